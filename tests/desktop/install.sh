#!/usr/bin/env bash
# Installs into a scratch prefix, checks the layout, the launcher, the desktop
# entry and its window class against the running program, the desktop's
# metadata and the manual pages, that the installed program keeps its files
# in the user's own folder and writes nothing under the prefix, and that a
# second install keeps what an earlier program wrote there. Runs on the X
# server of $DISPLAY (CTest runs it under tests/support/with-own-xserver.sh).
set -euo pipefail
cmake="$1" build="$2" shipped="$3"

scratch="$(mktemp -d)"
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
folder="$prefix/lib/yarnspin"
entry="$prefix/share/applications/yarnspin.desktop"
# The user the program runs for: a home of its own, nothing in the real one.
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime"
unset XDG_DATA_HOME
user_folder="$HOME/.local/share/yarnspin"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() { echo "$*"; exit 1; }
install_once() { "$cmake" --install "$build" --prefix "$prefix" >/dev/null; }
entry_value() { sed -n "s/^$1=//p" "$entry"; }

# Runs the command ten times a second until it succeeds, for at most ten seconds.
wait_until() {
  for _ in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

install_once

[ -x "$prefix/bin/yarnspin" ] && [ -x "$folder/yarnspin" ] || fail "launcher or executable missing"
[ -f "$folder/installed" ] || fail "no marker of an installed program folder"
[ -f "$folder/modules/yarnspin-webengine.so" ] || fail "the browser window's engine module missing"
for list in "$shipped"/*.txt; do
  cmp -s "$list" "$folder/Lists/$(basename "$list")" || fail "list $(basename "$list") not laid down"
done
for size in 16 24 32 48 96 128 256; do
  [ -s "$prefix/share/icons/hicolor/${size}x${size}/apps/yarnspin.png" ] || fail "no ${size}px icon"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/yarnspin.svg" ] || fail "no scalable icon"

# The desktop entry.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the desktop entry does not validate"
else
  echo "desktop-file-validate missing (desktop-file-utils): entry not validated"
fi
[ "$(entry_value Exec)" = "\"$prefix/bin/yarnspin\"" ] || fail "Exec is $(entry_value Exec)"
[ "$(entry_value Icon)" = yarnspin ] || fail "Icon is $(entry_value Icon)"
grep -q '^Name\[ru\]=' "$entry" && grep -q '^Comment\[ru\]=' "$entry" || fail "no Russian name or comment"

# The desktop's metadata, and the manual pages, which render without a
# warning and name the options --help names, no more and no fewer.
appstreamcli validate --no-net "$prefix/share/metainfo/com.merovale.yarnspin.metainfo.xml" >/dev/null ||
  fail "the metainfo does not validate: $(appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml)"
long_options() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }
help_options="$(env -u DISPLAY "$prefix/bin/yarnspin" --help | long_options)"
[ -n "$help_options" ] || fail "--help names no options"
for page in "$prefix/share/man/man1/yarnspin.1.gz" "$prefix/share/man/ru/man1/yarnspin.1.gz"; do
  warnings="$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$page renders with warnings: $warnings"
  page_options="$(MANWIDTH=80 man -E ascii -l "$page" 2>/dev/null | long_options)"
  [ "$page_options" = "$help_options" ] || fail "$page names $(echo $page_options), --help $(echo $help_options)"
done

# The launcher answers without a display and passes its arguments on.
version="$(env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/yarnspin" --version)"
[ "$version" = "Merovale Yarnspin 1.0.0.0" ] || fail "--version through the launcher: '$version'"

# Everything under the prefix: the program may write none of it, even as root.
installed_files() { find "$prefix" -printf '%P %y %s %T@ %m\n' | sort; }
installed_files >"$scratch/installed-before"

# An offscreen start stays up (a crash or an early exit would end it).
QT_QPA_PLATFORM=offscreen "$prefix/bin/yarnspin" &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed program ended at an offscreen start"
# The web engine is loaded at the browser window's first opening, never at start-up.
! grep -q libQt6WebEngine "/proc/$pid/maps" || fail "the web engine's libraries are loaded at start-up"
kill "$pid"; wait "$pid" 2>/dev/null || true

# On X: the first window is the program's own (no error box about missing
# lists, which carries the caption "Merovale Yarn"), and its X11 class is the
# entry's StartupWMClass. The launcher execs, so its process is the program's.
QT_QPA_PLATFORM=xcb "$prefix/bin/yarnspin" &
pid=$!
visible_window() {
  xdotool search --pid "$pid" --onlyvisible --name '^Merovale Yarnspin$' 2>/dev/null | head -n 1
}
window_shown() { window="$(visible_window)" && [ -n "$window" ]; }
main_window_shown() { main="$(visible_window)" && [ -n "$main" ] && [ "$main" != "$window" ]; }
wait_until window_shown || fail "the installed program showed no window on X"
class="$(xprop -id "$window" WM_CLASS | sed -n 's/.*= ".*", "\(.*\)"$/\1/p')"
[ "$class" = "$(entry_value StartupWMClass)" ] ||
  fail "window class '$class', StartupWMClass '$(entry_value StartupWMClass)'"
# That window is the box of a first start, which Enter closes. Then the main
# window's close writes the lists and the favourites.
xdotool windowfocus --sync "$window" key Return
wait_until main_window_shown || fail "the main window never appeared"
xdotool windowfocus --sync "$main" key ctrl+q
wait_until eval '! kill -0 "$pid" 2>/dev/null' || fail "the installed program did not end"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the installed program ended with status $status"

# The user's own folder got the shipped lists and the favourites, and the
# prefix stayed as installed.
for list in "$shipped"/*.txt; do
  cmp -s "$list" "$user_folder/Lists/$(basename "$list")" || fail "list $(basename "$list") not in $user_folder"
done
[ -f "$user_folder/Lists/favourite.txt" ] || fail "no favourites written in $user_folder"
[ -d "$user_folder/Config files" ] || fail "no Config files folder in $user_folder"
installed_files | diff "$scratch/installed-before" - || fail "the program wrote under the prefix"

# On a Wayland session with XWayland the launcher runs the program on X; a
# platform the user chose stays. The launcher execs, so the program's
# environment tells.
platform_of_started() {
  "$@" &
  pid=$!
  wait_until window_shown || fail "no window with: $*"
  platform="$(tr '\0' '\n' <"/proc/$pid/environ" | sed -n 's/^QT_QPA_PLATFORM=//p')"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  pid=
}
platform_of_started env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-0 "$prefix/bin/yarnspin"
[ "$platform" = xcb ] || fail "on Wayland the launcher set QT_QPA_PLATFORM to '$platform'"
platform_of_started env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_SESSION_TYPE=wayland "$prefix/bin/yarnspin"
[ "$platform" = xcb ] || fail "on a Wayland session the launcher set QT_QPA_PLATFORM to '$platform'"
platform_of_started env QT_QPA_PLATFORM='xcb:nograb' WAYLAND_DISPLAY=wayland-0 "$prefix/bin/yarnspin"
[ "$platform" = 'xcb:nograb' ] || fail "the launcher replaced the chosen platform with '$platform'"

# A second install over an earlier one, whose program wrote beside itself,
# keeps a list and the settings that program wrote, for its users' first
# starts to carry over, and lays down again a list that went missing or empty.
printf 'kotofeich\r\n' > "$folder/Lists/names.txt"
mkdir -p "$folder/Config files"
printf '[option]\r\ncheck2=1\r\n' > "$folder/Config files/yarnconfig.ini"
: > "$folder/Lists/actions.txt"
rm "$folder/Lists/places.txt"
install_once
[ "$(cat "$folder/Lists/names.txt")" = "$(printf 'kotofeich\r\n')" ] || fail "a second install replaced a written list"
grep -q 'check2=1' "$folder/Config files/yarnconfig.ini" || fail "a second install replaced the settings"
cmp -s "$shipped/actions.txt" "$folder/Lists/actions.txt" || fail "an emptied list was not laid down again"
cmp -s "$shipped/places.txt" "$folder/Lists/places.txt" || fail "a missing list was not laid down again"
echo "installed and started from $prefix"
