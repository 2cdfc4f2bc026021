#include "ui/Interaction.h"

#include <QApplication>

void Interaction::showError(const QString &message)
{
    showBox({BoxKind::Error, applicationTitle(), errorText(message), QApplication::activeWindow()});
}

void Interaction::showMessage(const QString &message)
{
    showBox({BoxKind::Plain, applicationTitle(), message, nullptr});
}

QString Interaction::applicationTitle()
{
    return QStringLiteral("Merovale Yarn");
}

QString Interaction::errorText(const QString &message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}
