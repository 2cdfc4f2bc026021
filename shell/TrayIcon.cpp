#include "shell/TrayIcon.h"

#include "shell/IconPlacementWait.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 96, 128, 256})
        icon.addFile(QStringLiteral(":/shell/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(applicationIcon(), this))
    , m_placementWait(new IconPlacementWait([this] { return m_icon->geometry(); }, this))
{
    setObjectName(QStringLiteral("TextTrayIcon1"));
    m_icon->setToolTip(QStringLiteral("Merovale Yarnspin"));
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // A double click arrives as a click first; the click is the one reported.
        if (reason == QSystemTrayIcon::Trigger)
            emit clicked();
    });
    m_icon->show();
}

void TrayIcon::setMenu(QMenu *menu)
{
    m_icon->setContextMenu(menu);
}

bool TrayIcon::showBalloonNotice(const QString &title, const QString &text, int seconds)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    QString lines = text.left(255);
    lines.replace(u'\r', u'\n');
    m_placementWait->run([this, title = title.left(63), lines, seconds] {
        m_icon->showMessage(title, lines, QSystemTrayIcon::Information, seconds * 1000);
    });
    return true;
}
