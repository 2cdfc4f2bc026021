#pragma once

#include <QObject>

class QMouseEvent;
class QSystemTrayIcon;

// The mouse on an icon that Qt embeds in an XEmbed tray: the left button acts
// when released, a double click acts once, the right button opens the menu
// when pressed, and no click on the icon closes a balloon that is showing.
// Qt's own icon widget acts on press and closes the balloon, so its mouse
// events, and those on the balloon where it covers the icon, are taken here.
// A tray that hosts status-notifier items sends none of these: its host
// decides, through QSystemTrayIcon::activated.
class TrayIconMouse : public QObject
{
    Q_OBJECT

public:
    explicit TrayIconMouse(QSystemTrayIcon &icon, QObject *parent = nullptr);

signals:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool concernsIcon(QObject *watched, const QMouseEvent &event) const;

    QSystemTrayIcon &m_icon;
    bool m_leftPressed = false;
};
