#include "shell/TrayIconMouse.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>

#include <utility>

TrayIconMouse::TrayIconMouse(QSystemTrayIcon &icon, QObject *parent)
    : QObject(parent)
    , m_icon(icon)
{
    // Qt makes its icon widget anew whenever a tray host appears: watched
    // application-wide, it is found whatever its age.
    qApp->installEventFilter(this);
}

bool TrayIconMouse::concernsIcon(QObject *watched, const QMouseEvent &event) const
{
    if (!watched->isWidgetType())
        return false;
    const auto *widget = static_cast<QWidget *>(watched);
    const QRect icon = m_icon.geometry();
    // Qt's icon widget: the one in the place it reports for this icon.
    if (widget->inherits("QSystemTrayIconSys"))
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()) == icon;
    // A balloon's arrow points at the icon's centre and covers part of it.
    return widget->window()->inherits("QBalloonTip") && icon.contains(event.globalPosition().toPoint());
}

bool TrayIconMouse::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseButtonDblClick)
        return false;
    const auto &mouse = static_cast<const QMouseEvent &>(*event);
    if (!concernsIcon(watched, mouse))
        return false;
    const QPoint position = mouse.globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress) {
        if (mouse.button() == Qt::LeftButton)
            m_leftPressed = true;
        else if (mouse.button() == Qt::RightButton && m_icon.contextMenu())
            m_icon.contextMenu()->popup(position);
    } else if (type == QEvent::MouseButtonDblClick) {
        // The second press of a double click: its release does not count.
        m_leftPressed = false;
    } else if (mouse.button() == Qt::LeftButton && std::exchange(m_leftPressed, false)
               && m_icon.geometry().contains(position)) {
        emit clicked();
    }
    return true;
}
