#pragma once

class QWindow;

namespace platform {

// The state a window manager takes a withdrawn top-level window on in when
// it is shown again (ICCCM's initial state hint). Qt keeps that hint only
// where the program changed the state itself: a window minimised by the
// window manager keeps "normal", and Qt maps a window leaving the minimised
// state before it resets the hint, so without these a window hidden while
// minimised would come back iconified, and one meant to go to the taskbar
// would open. Both do nothing outside X11.
void letWindowStartNormal(QWindow &window);
void letWindowStartIconic(QWindow &window);

} // namespace platform
