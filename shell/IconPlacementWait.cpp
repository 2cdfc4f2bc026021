#include "shell/IconPlacementWait.h"

#include <utility>

namespace {

// Until the tray host embeds it, the icon is a window of its own at the
// screen's origin; Qt reports that place.
bool isPlaced(const QRect &iconGeometry)
{
    return !iconGeometry.isEmpty() && iconGeometry.topLeft() != QPoint(0, 0);
}

} // namespace

IconPlacementWait::IconPlacementWait(std::function<QRect()> iconGeometry, QObject *parent)
    : QObject(parent)
    , m_iconGeometry(std::move(iconGeometry))
{
    m_poll.setInterval(pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &IconPlacementWait::poll);
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    m_deadline.setInterval(longestWaitMs);
    connect(&m_deadline, &QTimer::timeout, this, &IconPlacementWait::giveUp);
}

void IconPlacementWait::run(std::function<void()> action)
{
    m_action = std::move(action);
    if (m_hostReportsNoPlace || isPlaced(m_iconGeometry())) {
        finish();
        return;
    }
    m_poll.start();
    m_deadline.start();
}

void IconPlacementWait::poll()
{
    if (isPlaced(m_iconGeometry()))
        finish();
}

void IconPlacementWait::giveUp()
{
    m_hostReportsNoPlace = !isPlaced(m_iconGeometry());
    finish();
}

void IconPlacementWait::finish()
{
    m_poll.stop();
    m_deadline.stop();
    // Taken out first: the action may ask for the next one.
    const std::function<void()> action = std::exchange(m_action, nullptr);
    if (action)
        action();
}
