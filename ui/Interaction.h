#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QUrl;
class QWidget;

// What the program asks of the user and of the desktop outside its own
// windows: message boxes, questions, the input box, the file and print
// dialogs, handing an address to the desktop's handler, balloon notices.
// Every window is given one when it is made: the program gives the desktop's
// (DesktopInteraction); tests give one that records and answers.
class Interaction
{
public:
    enum class BoxKind { Error, Plain, Information, Warning };

    struct Box
    {
        BoxKind kind;
        QString caption;
        QString text;
        // Without an owner the box is centred on the screen and modal to the whole program.
        QWidget *owner = nullptr;
    };

    virtual ~Interaction() = default;

    // A box with an OK button. Its text is plain text, never markup.
    virtual void showBox(const Box &box) = 0;
    // Captioned with the application title, Yes and No, No the default and
    // Escape's answer. Returns whether the user answered Yes.
    virtual bool askYesNo(const QString &question) = 0;
    // The one-line input box: the text entered (possibly empty) on OK, nothing
    // on Cancel or close.
    virtual std::optional<QString> askText(QWidget *parent, const QString &caption, const QString &prompt) = 0;
    // Name filters read "Description (*.ext)"; an empty path means the user cancelled.
    virtual QString chooseFileToOpen(QWidget *parent, const QString &title, const QStringList &nameFilters) = 0;
    // Adds the default suffix to a name typed without one and asks before
    // replacing an existing file.
    virtual QString chooseFileToSave(QWidget *parent, const QString &title, const QStringList &nameFilters,
                                     const QString &defaultSuffix) = 0;
    // The program's one printer after its print dialog, so that every window
    // prints with the settings last chosen in any; nullptr when cancelled.
    virtual QPrinter *choosePrinter(QWidget *parent) = 0;
    // The desktop's default handler (web browser, mail program) opens the
    // address; the result is not examined.
    virtual void openOnDesktop(const QUrl &address) = 0;
    // A balloon notice with the info icon, shown for ten seconds.
    virtual void showNotice(const QString &title, const QString &text) = 0;

    // The application-level error box: the application title, the error icon
    // and OK, over the active window; errorText() gives its text.
    void showError(const QString &message);
    // A plain message: the application title, no icon, OK, centred on the screen.
    void showMessage(const QString &message);

    // The title every application-level box carries.
    static QString applicationTitle();
    // A full stop is appended when the message's last character sorts after it.
    static QString errorText(const QString &message);
};
