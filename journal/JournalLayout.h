#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <map>
#include <vector>

class JournalStore;

// Lays the journal's lines out in rows as the view shows them, word-wrapped
// to its width, only when they are shown. A line longer than a few thousand
// characters is laid out in stretches ("pieces") of that size, each on its
// own, so no layout ever holds more: a stretch ends at a blank near its
// nominal end, where the row would likely break anyway. Every row has the
// same height.
class JournalLayout
{
public:
    // A row: the row-th row of one piece of a line.
    struct Row
    {
        qsizetype line = 0;
        qsizetype piece = 0;
        qsizetype row = 0;

        friend bool operator==(const Row &a, const Row &b)
        {
            return a.line == b.line && a.piece == b.piece && a.row == b.row;
        }
    };

    explicit JournalLayout(JournalStore &store);
    ~JournalLayout();

    void setFont(const QFont &font);
    // The width rows wrap at; both drop every layout.
    void setWidth(qreal width);
    qreal width() const { return m_width; }
    int rowHeight() const { return m_rowHeight; }

    qsizetype pieceCount(qsizetype line) const;
    qsizetype pieceStart(qsizetype line, qsizetype piece) const;
    qsizetype pieceEnd(qsizetype line, qsizetype piece) const;
    // The piece of a line that holds a column; the line's end belongs to the last.
    qsizetype pieceAt(qsizetype line, qsizetype column) const;

    // The laid-out piece, its rows placed one row height apart from 0. The
    // reference lasts until the next call that lays out or forgets.
    const QTextLayout &layout(qsizetype line, qsizetype piece);
    // Rows of a piece: laid out for the count.
    qsizetype rows(qsizetype line, qsizetype piece);

    // A column of a line as a position in its piece's layout, which holds
    // the input method's text too.
    qsizetype toLayout(qsizetype line, qsizetype piece, qsizetype column) const;
    // The row holding a position.
    Row rowAt(qsizetype line, qsizetype column);
    // The row below or above; false at either end of the text.
    bool next(Row &row);
    bool previous(Row &row);
    Row lastRow();
    // Rows counted from the top, with estimates for what is not laid out.
    qsizetype rowNumber(const Row &row);
    Row rowOfNumber(qsizetype number);

    // The texts of a line's rows, laid out anew and kept nowhere.
    QStringList rowTexts(qsizetype line);

    // Shown inside a line while an input method composes; empty ends it.
    void setPreedit(qsizetype line, qsizetype column, const QString &text);

    // After an edit: layouts from this line down are dropped.
    void forgetFrom(qsizetype line);
    // After the store took a new text: every layout and row count.
    void forgetAll();

private:
    struct Key
    {
        qsizetype line;
        qsizetype piece;
        friend bool operator<(const Key &a, const Key &b)
        {
            return a.line < b.line || (a.line == b.line && a.piece < b.piece);
        }
    };
    struct Cached
    {
        std::unique_ptr<QTextLayout> layout;
        quint64 used = 0;
    };

    void layOut(QTextLayout &layout, const QString &text) const;
    // The row counts of a long line's pieces, made on first use, when the
    // store starts counting the line as their sum; null for a one-piece line.
    std::vector<quint32> *pieceRows(qsizetype line);
    // A piece's row count as far as known, laying nothing out.
    qsizetype knownRows(qsizetype line, qsizetype piece);
    void recordRows(qsizetype line, qsizetype piece, qsizetype rows);
    void forgetLine(qsizetype line);

    JournalStore &m_store;
    QFont m_font;
    qreal m_width = 0;
    int m_rowHeight = 1;
    qreal m_averageCharacterWidth = 0;
    // By line, so that an edit drops what follows it in one step.
    std::map<Key, Cached> m_cache;
    quint64 m_uses = 0;
    // Exact row counts of the pieces of long lines laid out so far (0 where not).
    QHash<qsizetype, std::vector<quint32>> m_pieceRows;
    qsizetype m_preeditLine = -1;
    qsizetype m_preeditColumn = 0;
    QString m_preedit;
};
