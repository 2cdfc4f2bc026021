#include "platform/DesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace platform {

DesktopNotifications::DesktopNotifications(QObject *parent)
    : QObject(parent)
{
}

bool DesktopNotifications::show(const QString &application, const QString &title, const QString &text,
                                int milliseconds)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << application << m_shownId << QStringLiteral("dialog-information") << title << text << QStringList()
         << QVariantMap() << qint32(milliseconds);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        const QDBusPendingReply<uint> reply = *finished;
        if (reply.isValid())
            m_shownId = reply.value();
        finished->deleteLater();
    });
    return true;
}

} // namespace platform
