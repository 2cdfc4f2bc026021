#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class IconPlacementWait;
class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace platform {
class DesktopNotifications;
}

// The program's icon in the notification area: its image, its tool-tip, its
// menu, its click, and balloon notices beside it. It lives for the whole run,
// whether the main window is shown, minimised or hidden. On a desktop without
// a tray, notices go to the desktop's notification service instead.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit TrayIcon(QObject *parent = nullptr);

    // The menu a right click opens.
    void setMenu(QMenu *menu);

    // Shows one notice with the info icon; a new notice replaces the one on
    // screen. Returns whether the notification area or the notification
    // service took it. A carriage return in the text breaks the line. Asked
    // for before the tray host has placed the icon, the notice waits for
    // that, at most a second.
    bool showBalloonNotice(const QString &title, const QString &text, int seconds);

    // Hides the window, taskbar entry and all, so that only the icon is left.
    // Should the tray go away while it holds the window, the window goes back
    // to the taskbar, minimised.
    void hideWindow(QWidget &window);
    // Brings the window back from the tray or the taskbar in its normal
    // state, to the front.
    void restoreWindow(QWidget &window);

    // Whether the desktop shows tray icons now. Without a tray a window
    // hidden to it could not be brought back: it stays on the taskbar.
    static bool isHostPresent();

signals:
    // The left button released on the icon (a double click: once).
    void clicked();

private:
    void returnToTaskbarWithoutHost();

    QSystemTrayIcon *m_icon;
    IconPlacementWait *m_placementWait;
    platform::DesktopNotifications *m_desktopNotifications;
    // While a window is hidden in the tray: it, and whether the tray is still there.
    QPointer<QWidget> m_hiddenWindow;
    QTimer m_hostWatch;
};
