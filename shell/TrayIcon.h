#pragma once

#include <QObject>

class IconPlacementWait;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the notification area: its image, its tool-tip, its
// menu, its click, and balloon notices beside it. It lives for the whole run,
// whether the main window is shown, minimised or hidden.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    explicit TrayIcon(QObject *parent = nullptr);

    // The menu a right click opens.
    void setMenu(QMenu *menu);

    // Shows one notice with the info icon; a new notice replaces the one on
    // screen. Returns whether the notification area took it. A carriage
    // return in the text breaks the line. Asked for before the tray host has
    // placed the icon, the notice waits for that, at most a second.
    bool showBalloonNotice(const QString &title, const QString &text, int seconds);

signals:
    // A click (or a double click, reported once) on the icon.
    void clicked();

private:
    QSystemTrayIcon *m_icon;
    IconPlacementWait *m_placementWait;
};
