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

QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Error: return QMessageBox::Critical;
    case Kind::Information: return QMessageBox::Information;
    case Kind::Warning: return QMessageBox::Warning;
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
        interceptor()(Shown{kind, caption, text, owner});
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

void setInterceptorForTesting(Interceptor hook)
{
    interceptor() = std::move(hook);
}

} // namespace MessageBoxes
