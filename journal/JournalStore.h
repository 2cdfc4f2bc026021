#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <utility>
#include <vector>

// The journal's text, compact enough for a night of autogeneration: the
// Windows-1251 bytes themselves (the journal takes in only what the code page
// holds), whole lines back to back in chunks of a few tens of kilobytes, each
// chunk with where its lines start. Per line nothing else is kept but the
// number of wrapped rows the view last found for it. Line ends are not
// stored; there is always at least one line, the empty text being one empty
// line.
class JournalStore
{
public:
    struct Position
    {
        qsizetype line = 0;
        qsizetype column = 0;

        friend bool operator==(Position a, Position b) { return a.line == b.line && a.column == b.column; }
        friend bool operator!=(Position a, Position b) { return !(a == b); }
        friend bool operator<(Position a, Position b)
        {
            return a.line < b.line || (a.line == b.line && a.column < b.column);
        }
        friend bool operator<=(Position a, Position b) { return !(b < a); }
    };

    JournalStore();

    qsizetype lineCount() const;
    qsizetype lineLength(qsizetype line) const;
    QByteArrayView lineBytes(qsizetype line) const;
    QString lineText(qsizetype line) const;
    Position end() const;
    bool isEmpty() const;

    // The text between two positions, its lines joined by lineEnd.
    QString text(Position from, Position to, QStringView lineEnd) const;
    // The same as the bytes themselves, '\n' between lines.
    QByteArray bytes(Position from, Position to) const;
    // The same in pieces: a long line kept on its own is shared, not copied.
    QByteArrayList pieces(Position from, Position to) const;

    // Offsets count a line end as one character, as input methods and
    // assistive technology expect.
    qsizetype characterCount() const;
    qsizetype offsetOf(Position position) const;
    Position positionAt(qsizetype offset) const;

    // Replaces the text between two positions with bytes whose lines are
    // separated by '\n'; returns the end of the inserted text.
    Position replace(Position from, Position to, QByteArrayView inserted);
    // Appends bytes whose lines are separated by '\n'. Costs the same however
    // long the text already is.
    void appendBytes(QByteArrayView bytes);
    // The same for bytes without a line end; a long piece arriving at an
    // empty last line is shared, not copied.
    void appendToLastLine(const QByteArray &bytes);
    void clear();

    // Wrapped rows. Until the view has laid a line out and recorded its count,
    // the line counts as its length divided by the characters a row holds.
    // Setting that forgets every count recorded.
    void setCharactersPerRow(qsizetype count);
    qsizetype estimatedRows(qsizetype length) const;
    void setRows(qsizetype line, qsizetype rows);
    qsizetype rows(qsizetype line) const;
    bool rowsKnown(qsizetype line) const;
    qsizetype rowsBefore(qsizetype line) const;
    qsizetype totalRows() const;
    // The line holding a row (clamped to the text), and the row's index in it.
    std::pair<qsizetype, qsizetype> lineAtRow(qsizetype row) const;

private:
    struct Chunk
    {
        QByteArray bytes;
        std::vector<quint32> starts;
        // 0 while not known.
        std::vector<quint32> rows;
        qsizetype rowSum = 0;

        qsizetype lineCount() const { return qsizetype(starts.size()); }
        qsizetype lineEnd(qsizetype i) const;
    };
    // Sums over the chunks before one.
    struct Before
    {
        qsizetype lines = 0;
        qsizetype characters = 0;
        qsizetype rows = 0;
    };
    struct Line
    {
        QByteArrayView bytes;
        quint32 rows = 0;
    };

    qsizetype rowsIn(const Chunk &chunk, qsizetype i) const;
    void addLine(Chunk &chunk, QByteArrayView bytes, quint32 rows);
    // The chunk holding a line, and the line's index in it.
    std::pair<qsizetype, qsizetype> locate(qsizetype line) const;
    const Before &before(qsizetype chunk) const;
    void changedFrom(qsizetype chunk);
    void rebuild(qsizetype firstChunk, qsizetype lastChunk, const std::vector<Line> &lines);
    void sealLastChunk();

    // The last rowsBefore answer within a chunk: the view asks about the same
    // few lines over and over while it follows the end.
    struct RowsMemo
    {
        qsizetype chunk = -1;
        qsizetype index = 0;
        qsizetype rows = 0;
    };

    std::vector<Chunk> m_chunks;
    mutable RowsMemo m_rowsMemo;
    mutable std::vector<Before> m_before;
    mutable qsizetype m_beforeValid = 0;
    qsizetype m_charactersPerRow = 80;
};
