#!/bin/sh
# Starts Merovale Yarnspin from its program folder; the marker file there
# tells the program that it is installed, so each user's lists and settings
# live in that user's own folder.
# On a Wayland session the program runs through XWayland: Wayland lets no
# program place its windows, bring them to the front or embed a tray icon.
# A platform the user chose is kept.
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -n "${DISPLAY:-}" ] &&
  { [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${XDG_SESSION_TYPE:-}" = wayland ]; }; then
  QT_QPA_PLATFORM=xcb
  export QT_QPA_PLATFORM
fi
exec "$(dirname "$(readlink -f "$0")")/../lib/yarnspin/yarnspin" "$@"
