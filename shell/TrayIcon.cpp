#include "shell/TrayIcon.h"

#include "platform/DesktopNotifications.h"
#include "platform/WindowManagerHints.h"
#include "shell/DeferredIconEngine.h"
#include "shell/IconPlacementWait.h"
#include "shell/TrayIconMouse.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int hostWatchIntervalMs = 1000;

QIcon applicationIcon()
{
    return QIcon(new DeferredIconEngine(QStringLiteral(":/shell/icon-%1.png"), {16, 24, 32, 48, 96, 128, 256}));
}

} // namespace

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
    , m_icon(new QSystemTrayIcon(applicationIcon(), this))
    , m_placementWait(new IconPlacementWait([this] { return m_icon->geometry(); }, this))
    , m_desktopNotifications(new platform::DesktopNotifications(this))
{
    setObjectName(QStringLiteral("TextTrayIcon1"));
    m_icon->setToolTip(QStringLiteral("Merovale Yarnspin"));
    // On an XEmbed tray the program reads the mouse itself; a status-notifier
    // host reports the click on its own terms, and has no double click.
    connect(new TrayIconMouse(*m_icon, this), &TrayIconMouse::clicked, this, &TrayIcon::clicked);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            emit clicked();
    });
    m_hostWatch.setInterval(hostWatchIntervalMs);
    connect(&m_hostWatch, &QTimer::timeout, this, &TrayIcon::returnToTaskbarWithoutHost);
    m_icon->show();
}

void TrayIcon::setMenu(QMenu *menu)
{
    m_icon->setContextMenu(menu);
}

bool TrayIcon::showBalloonNotice(const QString &title, const QString &text, int seconds)
{
    const QString shortTitle = title.left(63);
    QString lines = text.left(255);
    lines.replace(u'\r', u'\n');
    if (!isHostPresent())
        return m_desktopNotifications->show(m_icon->toolTip(), shortTitle, lines, seconds * 1000);
    if (!QSystemTrayIcon::supportsMessages())
        return false;
    m_placementWait->run([this, shortTitle, lines, seconds] {
        m_icon->showMessage(shortTitle, lines, QSystemTrayIcon::Information, seconds * 1000);
    });
    return true;
}

void TrayIcon::hideWindow(QWidget &window)
{
    window.hide();
    m_icon->show();
    m_hiddenWindow = &window;
    if (isHostPresent())
        m_hostWatch.start();
}

void TrayIcon::restoreWindow(QWidget &window)
{
    m_hostWatch.stop();
    m_hiddenWindow = nullptr;
    // Hidden while minimised, the window would come back iconified.
    if (!window.isVisible() && window.windowHandle())
        platform::letWindowStartNormal(*window.windowHandle());
    if (window.isMinimized())
        window.showNormal();
    window.show();
    window.raise();
    window.activateWindow();
}

bool TrayIcon::isHostPresent()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::returnToTaskbarWithoutHost()
{
    if (!m_hiddenWindow || m_hiddenWindow->isVisible()) {
        m_hostWatch.stop();
        return;
    }
    if (isHostPresent())
        return;
    // The tray went away while the window was in it: the taskbar keeps it.
    m_hostWatch.stop();
    if (m_hiddenWindow->windowHandle())
        platform::letWindowStartIconic(*m_hiddenWindow->windowHandle());
    m_hiddenWindow->showMinimized();
}
