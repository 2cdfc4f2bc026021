#pragma once

#include <QByteArray>

namespace platform {

// The folder that holds the running executable, as the system names it: the
// bytes of its path up to the last separator, whether or not they are text.
// Qt's own answer is empty for a folder whose name is not valid UTF-8.
QByteArray executableFolder();

} // namespace platform
