#pragma once

#include <QString>

namespace platform {

// The folder that holds each user's own program data, by the desktop's rule:
// $XDG_DATA_HOME when it names an absolute path, else ~/.local/share.
QString userDataHome();

// The same from its inputs: the variable's value (possibly empty) and the
// user's home folder.
QString userDataHome(const QString &xdgDataHome, const QString &home);

} // namespace platform
