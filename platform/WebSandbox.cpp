#include "platform/WebSandbox.h"

#include <QList>
#include <QtGlobal>

#include <unistd.h>

namespace platform {

bool webEngineCanStart(unsigned effectiveUserId, bool disableSandboxSet, const QByteArray &chromiumFlags)
{
    // The engine turns its sandbox off whenever the variable is set, whatever its value.
    return effectiveUserId != 0 || disableSandboxSet || chromiumFlags.split(' ').contains("--no-sandbox");
}

bool webEngineCanStart()
{
    return webEngineCanStart(geteuid(), qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"),
                             qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
}

} // namespace platform
