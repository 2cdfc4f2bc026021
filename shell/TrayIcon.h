#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class IconPlacementWait;
class QMenu;
class QSystemTrayIcon;
class QWidget;

// The program's icon in the notification area: its tool-tip, its menu, the
// click that brings the main window back, and balloon notices.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(QWidget *mainWindow, QMenu *menu, QObject *parent = nullptr);

    // Shows one notice with the info icon; a new notice replaces the one on
    // screen. Returns whether the notification area took it. A carriage
    // return in the text breaks the line. Asked for before the tray host has
    // placed the icon, the notice waits for that, at most a second.
    bool showBalloonNotice(const QString &title, const QString &text, int seconds);

    // Brings the main window back from the tray or the taskbar, to the front.
    void restoreFromTray();

    // Hides the main window and its taskbar entry; only the icon remains.
    void hideToTray();

    bool isVisible() const;

    // While set, notices go to the interceptor instead of the notification area.
    using NoticeInterceptor = std::function<void(const QString &title, const QString &text)>;
    static void setNoticeInterceptorForTesting(NoticeInterceptor interceptor);

private:
    QPointer<QWidget> m_mainWindow;
    QSystemTrayIcon *m_icon;
    IconPlacementWait *m_placementWait;
};
