#!/usr/bin/env bash
# Installs into a scratch prefix, checks the layout, the launcher, the desktop
# entry and its window class against the running program, and that a second
# install keeps what the program wrote. Runs on the X server of $DISPLAY (CTest
# runs it under tests/support/with-own-xserver.sh).
set -euo pipefail
cmake="$1" build="$2" shipped="$3"

prefix="$(mktemp -d)"
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$prefix"' EXIT
folder="$prefix/lib/yarnspin"
entry="$prefix/share/applications/yarnspin.desktop"

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
[ -d "$folder/Config files" ] || fail "no Config files folder"
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

# The launcher answers without a display and passes its arguments on.
version="$(env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/yarnspin" --version)"
[ "$version" = "Merovale Yarnspin 1.0.0.0" ] || fail "--version through the launcher: '$version'"

# An offscreen start stays up (a crash or an early exit would end it).
QT_QPA_PLATFORM=offscreen "$prefix/bin/yarnspin" &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the installed program ended at an offscreen start"
kill "$pid"; wait "$pid" 2>/dev/null || true

# On X: the first window is the program's own (no error box about missing
# lists, which carries the caption "Merovale Yarn"), and its X11 class is the
# entry's StartupWMClass. The launcher execs, so its process is the program's.
QT_QPA_PLATFORM=xcb "$prefix/bin/yarnspin" &
pid=$!
window_shown() {
  window="$(xdotool search --pid "$pid" --onlyvisible --name '^Merovale Yarnspin$' 2>/dev/null | head -n 1)"
  [ -n "$window" ]
}
wait_until window_shown || fail "the installed program showed no window on X"
class="$(xprop -id "$window" WM_CLASS | sed -n 's/.*= ".*", "\(.*\)"$/\1/p')"
[ "$class" = "$(entry_value StartupWMClass)" ] ||
  fail "window class '$class', StartupWMClass '$(entry_value StartupWMClass)'"
kill "$pid"; wait "$pid" 2>/dev/null || true
pid=

# A second install keeps a list and the settings the program wrote, and lays
# down again a list that went missing or empty.
printf 'kotofeich\r\n' > "$folder/Lists/names.txt"
printf '[option]\r\ncheck2=1\r\n' > "$folder/Config files/yarnconfig.ini"
: > "$folder/Lists/actions.txt"
rm "$folder/Lists/places.txt"
install_once
[ "$(cat "$folder/Lists/names.txt")" = "$(printf 'kotofeich\r\n')" ] || fail "a second install replaced a written list"
grep -q 'check2=1' "$folder/Config files/yarnconfig.ini" || fail "a second install replaced the settings"
cmp -s "$shipped/actions.txt" "$folder/Lists/actions.txt" || fail "an emptied list was not laid down again"
cmp -s "$shipped/places.txt" "$folder/Lists/places.txt" || fail "a missing list was not laid down again"
echo "installed and started from $prefix"
