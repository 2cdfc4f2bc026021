#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace MessageBoxes {

namespace {

Interceptor &interceptor()
{
    static Interceptor hook;
    return hook;
}

bool &questionAnswer()
{
    static bool yes = false;
    return yes;
}

QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Error: return QMessageBox::Critical;
    case Kind::Information: return QMessageBox::Information;
    case Kind::Warning: return QMessageBox::Warning;
    case Kind::Question: return QMessageBox::Question;
    case Kind::Plain: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Merovale Yarn");
}

QString errorText(const QString &message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void show(QWidget *owner, Kind kind, const QString &caption, const QString &text)
{
    if (interceptor()) {
        interceptor()(Shown{kind, caption, text});
        return;
    }
    QMessageBox box(iconOf(kind), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

void showError(const QString &message)
{
    show(QApplication::activeWindow(), Kind::Error, applicationTitle(), errorText(message));
}

void showMessage(const QString &message)
{
    show(QApplication::activeWindow(), Kind::Plain, applicationTitle(), message);
}

bool askYesNo(const QString &question)
{
    if (interceptor()) {
        interceptor()(Shown{Kind::Question, applicationTitle(), question});
        return questionAnswer();
    }
    QMessageBox box(QMessageBox::Question, applicationTitle(), question, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void setInterceptorForTesting(Interceptor hook)
{
    interceptor() = std::move(hook);
}

void setQuestionAnswerForTesting(bool yes)
{
    questionAnswer() = yes;
}

} // namespace MessageBoxes
