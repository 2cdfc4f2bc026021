#include "ui/InputDeferral.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

InputDeferral::InputDeferral()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QCoreApplication::instance()->installEventFilter(this);
}

InputDeferral::~InputDeferral()
{
    release();
}

void InputDeferral::release()
{
    if (!m_active)
        return;
    m_active = false;
    QCoreApplication::instance()->removeEventFilter(this);
    QGuiApplication::restoreOverrideCursor();
    for (auto &[receiver, event] : m_held) {
        if (receiver)
            QCoreApplication::postEvent(receiver, event.release());
    }
    m_held.clear();
}

bool InputDeferral::eventFilter(QObject *watched, QEvent *event)
{
    // The user's input reaches a window first; held there, it later takes the
    // whole way again: to the focused or pressed widget, through the key
    // routing. An input method's text goes straight to the focused widget.
    bool hold = false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        hold = watched->isWindowType() && event->spontaneous();
        break;
    case QEvent::MouseMove:
        // Plain moves pass: hovering and the cursor shape go on.
        hold = watched->isWindowType() && event->spontaneous()
               && static_cast<QMouseEvent *>(event)->buttons() != Qt::NoButton;
        break;
    case QEvent::InputMethod:
        hold = true;
        break;
    default:
        break;
    }
    if (!hold)
        return false;
    m_held.emplace_back(watched, std::unique_ptr<QEvent>(event->clone()));
    return true;
}
