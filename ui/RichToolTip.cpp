#include "ui/RichToolTip.h"

#include "ui/RichToolTipWindow.h"

#include <QApplication>
#include <QHelpEvent>

#include <algorithm>

namespace {

RichToolTip *installedFilter = nullptr;

// Long hints stay up long enough to be read, but not for ever.
int visibleMilliseconds(const QString &text)
{
    return 10000 + 40 * int(std::min<qsizetype>(text.size(), 5000));
}

} // namespace

void RichToolTip::install(QApplication &application)
{
    if (!installedFilter)
        installedFilter = new RichToolTip(application);
}

QString RichToolTip::shownText()
{
    if (!installedFilter || !installedFilter->m_window || !installedFilter->m_window->isVisible())
        return {};
    return installedFilter->m_window->text();
}

RichToolTip::RichToolTip(QApplication &application)
    : QObject(&application)
{
    m_hideTimer.setSingleShot(true);
    connect(&m_hideTimer, &QTimer::timeout, this, &RichToolTip::hide);
    application.installEventFilter(this);
}

RichToolTip::~RichToolTip()
{
    delete m_window;
    installedFilter = nullptr;
}

bool RichToolTip::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (watched->isWidgetType())
            return showFor(static_cast<QWidget *>(watched), static_cast<QHelpEvent *>(event)->globalPos());
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == m_target)
            hide();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::ApplicationDeactivate:
        hide();
        break;
    default:
        break;
    }
    return false;
}

bool RichToolTip::showFor(QWidget *widget, const QPoint &globalPos)
{
    // A widget without a hint of its own lets the request travel on to its
    // parent, as Qt does; widgets drawing their own hints are left alone.
    const QString text = widget->toolTip();
    if (text.isEmpty())
        return false;
    if (!m_window)
        m_window = new RichToolTipWindow;
    if (m_target != widget) {
        disconnect(m_targetDestroyed);
        m_target = widget;
        m_targetDestroyed = connect(widget, &QObject::destroyed, this, &RichToolTip::hide);
    }
    m_window->setText(text);
    m_window->showNear(globalPos);
    m_hideTimer.start(visibleMilliseconds(text));
    return true;
}

void RichToolTip::hide()
{
    m_hideTimer.stop();
    disconnect(m_targetDestroyed);
    m_target = nullptr;
    if (RichToolTipWindow *window = m_window) {
        m_window = nullptr;
        window->hide();
        window->deleteLater();
    }
}
