#pragma once

#include <QStringList>
#include <QTextDocument>

// The text of a line-numbered editor as a list of lines. A line may itself
// hold line ends (a CR LF inside an appended tweet); the editor cannot keep
// one inside a row, so such a line shows as several rows, and each row
// remembers which line end joins it to the row above, through edits of the
// rows, undo and redo, until the user removes that row break. Row breaks the
// user makes are ordinary line ends. A document with no lines differs from
// one holding one empty line.
class LineDocument : public QTextDocument
{
    Q_OBJECT

public:
    explicit LineDocument(QObject *parent = nullptr);
    ~LineDocument() override;

    QStringList lines() const;
    // Lines given here must not hold line ends; the undo history is cleared.
    void setLines(const QStringList &lines);
    // One undo step; CR LF, CR or LF inside the line start a new row.
    void appendLine(const QString &line);

    // Sets the font the lines are laid out in and gives the document the
    // layout a plain-text editor shows it through. Without an editor there
    // is no layout, so that lines read before any editor shows them (a long
    // favourites file at start) are not laid out in a font nothing shows.
    void prepareForEditor(const QFont &font);

signals:
    // Sent while the document is still whole, so that an editor showing it
    // can let go whatever order the owners are destroyed in.
    void discarded();

private:
    bool m_noLines = true;
    bool m_hasEditorLayout = false;
};
