#include "shell/TrayIcon.h"

#include "shell/IconPlacementWait.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include <utility>

namespace {

TrayIcon::NoticeInterceptor &noticeInterceptor()
{
    static TrayIcon::NoticeInterceptor hook;
    return hook;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 96, 128, 256})
        icon.addFile(QStringLiteral(":/artwork/icon-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

TrayIcon::TrayIcon(QWidget *mainWindow, QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_mainWindow(mainWindow)
    , m_icon(new QSystemTrayIcon(applicationIcon(), this))
    , m_placementWait(new IconPlacementWait([this] { return m_icon->geometry(); }, this))
{
    m_icon->setToolTip(QStringLiteral("Merovale Yarnspin"));
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // A double click arrives as a click first; restoring twice changes nothing.
        if (reason == QSystemTrayIcon::Trigger)
            restoreFromTray();
    });
    m_icon->show();
}

bool TrayIcon::showBalloonNotice(const QString &title, const QString &text, int seconds)
{
    if (noticeInterceptor()) {
        noticeInterceptor()(title, text);
        return true;
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    QString lines = text.left(255);
    lines.replace(u'\r', u'\n');
    m_placementWait->run([this, title = title.left(63), lines, seconds] {
        m_icon->showMessage(title, lines, QSystemTrayIcon::Information, seconds * 1000);
    });
    return true;
}

void TrayIcon::restoreFromTray()
{
    if (!m_mainWindow)
        return;
    if (m_mainWindow->isMinimized())
        m_mainWindow->showNormal();
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

void TrayIcon::hideToTray()
{
    if (m_mainWindow)
        m_mainWindow->hide();
    m_icon->show();
}

bool TrayIcon::isVisible() const
{
    return m_icon->isVisible();
}

void TrayIcon::setNoticeInterceptorForTesting(NoticeInterceptor interceptor)
{
    noticeInterceptor() = std::move(interceptor);
}
