#pragma once

#include <QPlainTextEdit>
#include <QStringList>

class LineDocument;
class LineNumberGutter;

// A word-wrapping plain-text editor with a line-number gutter, for the
// favourites. Beyond Qt's own editing: Enter keeps the indentation of the
// line, Tab inserts blanks up to the next word start of the line above (or
// the next multiple of eight columns), and the cursor may stand past the end
// of a line, where typing fills the gap with blanks. Rows are numbered by
// the text's own lines, not by wrapped rows. Typed, pasted, dropped and
// input-method text is taken as the files can hold it: each character
// Windows-1251 lacks becomes "?".
class LineNumberedEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LineNumberedEditor(QWidget *parent = nullptr);
    ~LineNumberedEditor() override;

    // The editor shows this document and does not own it; when the document
    // goes first, the editor goes on with an empty one of its own.
    void setLineDocument(LineDocument *document);

    void loadLines(const QStringList &lines);
    QStringList lines() const;
    void appendLine(const QString &line);
    // Empties the text and the undo and redo histories.
    void clearAll();

    // Columns between the end of the line and the cursor.
    int virtualColumns() const { return m_virtualColumns; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class LineNumberGutter;

    int gutterWidth() const;
    void paintGutter(QPaintEvent *event);
    void updateGutter(const QRect &rect, int dy);
    void updateGutterWidth();

    int columnWidth() const;
    int virtualColumnsAt(qreal x, qreal lineEndX) const;
    void setVirtualColumns(int columns);
    void moveVertically(int direction);
    void newLineKeepingIndentation();
    void tabToNextWordStart();

    LineDocument *m_document = nullptr;
    LineNumberGutter *m_gutter;
    QFont m_gutterFont;
    int m_virtualColumns = 0;
    bool m_keepVirtualColumns = false;
};
