#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>

#include <functional>

// Holds back an action that needs the tray icon's place on screen (a balloon
// drawn beside it) until the tray host has placed the icon, at most a second:
// a balloon asked for at start-up would otherwise appear in the screen's corner.
class IconPlacementWait : public QObject
{
    Q_OBJECT

public:
    static constexpr int longestWaitMs = 1000;
    static constexpr int pollIntervalMs = 25;

    IconPlacementWait(std::function<QRect()> iconGeometry, QObject *parent = nullptr);

    // Runs the action now when the icon is placed, else as soon as it is or
    // when the wait runs out. A new action replaces one still waiting. Once a
    // wait has run out unplaced, the host reports no place (a notification
    // service, not an embedding tray) and later actions run at once.
    void run(std::function<void()> action);

    bool isWaiting() const { return bool(m_action); }

private:
    void poll();
    void finish();
    void giveUp();

    std::function<QRect()> m_iconGeometry;
    std::function<void()> m_action;
    bool m_hostReportsNoPlace = false;
    QTimer m_poll;
    QTimer m_deadline;
};
