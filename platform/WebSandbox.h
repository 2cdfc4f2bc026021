#pragma once

#include <QByteArray>

namespace platform {

// The web engine refuses to start its sandbox for the superuser and ends the
// process when the first web view is made, unless the user has turned the
// sandbox off. The program never turns it off by itself.
bool webEngineCanStart();

// The same decision from its inputs: the effective user id, whether
// QTWEBENGINE_DISABLE_SANDBOX is set, and QTWEBENGINE_CHROMIUM_FLAGS.
bool webEngineCanStart(unsigned effectiveUserId, bool disableSandboxSet, const QByteArray &chromiumFlags);

} // namespace platform
