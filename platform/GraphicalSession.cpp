#include "platform/GraphicalSession.h"

#include <QStringList>
#include <QtGlobal>

namespace platform {

namespace {

bool needsDisplayServer(const QString &platformName)
{
    // "xcb:option=value" and "wayland-egl" are still those window systems.
    const QString name = platformName.section(u':', 0, 0).trimmed();
    return name.isEmpty() || name == u"xcb" || name.startsWith(u"wayland");
}

} // namespace

bool displayMissing(const QString &platformName)
{
    if (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return false;
    // Qt tries a list of platforms in order: one that runs without a display
    // (offscreen, vnc, eglfs…) lets the program start.
    const QStringList candidates = platformName.split(u';');
    for (const QString &candidate : candidates) {
        if (!needsDisplayServer(candidate))
            return false;
    }
    return true;
}

} // namespace platform
