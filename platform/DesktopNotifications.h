#pragma once

#include <QObject>

namespace platform {

// The desktop's notification service (org.freedesktop.Notifications on the
// session bus), which shows notices where no tray shows the program's icon.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    explicit DesktopNotifications(QObject *parent = nullptr);

    // Hands one notice with the information icon to the service, replacing
    // the one shown before. Returns false without a session bus; without a
    // service the notice is dropped silently. Does not wait for the service.
    bool show(const QString &application, const QString &title, const QString &text, int milliseconds);

private:
    uint m_shownId = 0;
};

} // namespace platform
