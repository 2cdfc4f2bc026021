#pragma once

#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so tests can record the
// messages instead of blocking on a modal box.
namespace MessageBoxes {

enum class Kind { Error, Plain, Information, Warning, Question };

struct Shown
{
    Kind kind;
    QString caption;
    QString text;
    QWidget *owner = nullptr;
};

// The application title every application-level box carries.
QString applicationTitle();

// The error box: application title, error icon, OK. A full stop is appended
// when the message's last character sorts after the full stop.
void showError(const QString &message);

// A plain message: application title, no icon, OK, centred on the screen.
void showMessage(const QString &message);

// A box with its own caption, icon kind and owner (Information or Warning);
// a box without an owner is centred on the screen.
void show(QWidget *owner, Kind kind, const QString &caption, const QString &text);

// A question: application title, Yes and No, No the default and Escape's
// answer. Returns whether the user answered Yes.
bool askYesNo(const QString &question);

// The text the error box shows for a message.
QString errorText(const QString &message);

// While set, boxes are handed to the interceptor instead of being shown.
using Interceptor = std::function<void(const Shown &)>;
void setInterceptorForTesting(Interceptor interceptor);

// While the interceptor is set, questions are recorded and get this answer
// (No unless a test says otherwise).
void setQuestionAnswerForTesting(bool yes);

} // namespace MessageBoxes
