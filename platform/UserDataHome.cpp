#include "platform/UserDataHome.h"

#include <QDir>
#include <QtGlobal>

namespace platform {

QString userDataHome(const QString &xdgDataHome, const QString &home)
{
    // A relative value is invalid by the rule and ignored, not taken from
    // whatever folder the program happened to start in.
    if (QDir::isAbsolutePath(xdgDataHome))
        return QDir::cleanPath(xdgDataHome);
    return QDir::cleanPath(home + QStringLiteral("/.local/share"));
}

QString userDataHome()
{
    return userDataHome(qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
}

} // namespace platform
