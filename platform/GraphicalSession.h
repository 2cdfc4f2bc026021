#pragma once

#include <QString>

namespace platform {

// Whether the window system Qt would start needs a display server that is not
// there: the platform is X11 or Wayland (QT_QPA_PLATFORM unset, "xcb",
// "wayland", or a list of those) and neither DISPLAY nor WAYLAND_DISPLAY is
// set. Qt itself would abort with a hint to reinstall the application.
bool displayMissing(const QString &platformName);

} // namespace platform
