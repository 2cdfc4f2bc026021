#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class Interaction;
class QWidget;

// The operations the program performs on a journal-like text area. Windows
// work through this, so the widget behind it can change without them.
// Text crosses this boundary with CR LF line ends.
class JournalView
{
public:
    virtual ~JournalView() = default;

    // Empty text or text ending with a line end gets the line and a line end;
    // otherwise a line end and the line, which is then left without one.
    virtual void appendLine(const QString &line) = 0;
    // The same for a line in Windows-1251, as the phrase lists hold it: taken
    // in as it is, a long one shared rather than copied.
    virtual void appendEncodedLine(const QByteArray &line) = 0;
    virtual QString text() const = 0;
    // Any of CR LF, CR or LF ends a line.
    virtual void setText(const QString &text) = 0;
    // Makes a tweet file the text. A file read within a moment is in when
    // this returns; a larger one is read a slice at a time while the window
    // keeps painting, the user's input meanwhile waiting for it. `opened`
    // runs once the text is in. Throws AppError when the file cannot be
    // opened or is too large; an error while reading later is shown by the
    // error box of `interaction`. Either way the old text stays.
    virtual void openFile(const QString &path, Interaction &interaction, std::function<void()> opened) = 0;
    virtual bool isEmpty() const = 0;
    virtual QString selectedText() const = 0;
    // The rows as displayed with word wrap; the empty row after a final line
    // end is not one.
    virtual QStringList displayedRows() const = 0;

    virtual void clear() = 0;
    virtual void selectAll() = 0;
    virtual void copy() = 0;
    // Copies as copy() does, but while the clipboard still holds this area's
    // last copy made so, only replaces that copy's text. Autogeneration copies
    // twenty tweets a second, and each new offer would cost a round trip to
    // the X server and wake everything that watches the clipboard. A paste
    // gets the new text; clipboard managers, which notice new offers only,
    // do not see it.
    virtual void copyOverOwnCopy() = 0;
    // Offers anew the copy copyOverOwnCopy() keeps up to date, if the
    // clipboard still holds it, so that clipboard managers take in its text.
    virtual void reofferOwnCopy() = 0;
    virtual void cut() = 0;
    virtual void paste() = 0;

    virtual QWidget *widget() = 0;
};
