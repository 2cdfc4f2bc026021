#!/usr/bin/env bash
# package.sh <cpack> <build folder> <version>
# Makes the Debian package from the build, checks it with lintian and
# dpkg-deb, unpacks it into a scratch root and starts the program from there
# as an ordinary user would, twice: composes, adds the tweet to the
# favourites, adds a phrase, closes the settings dialog and quits; everything
# must come back at the second start, and nothing under the unpacked /usr may
# change. Runs on the X server of $DISPLAY (CTest runs it under
# tests/support/with-own-xserver.sh).
set -euo pipefail
cpack="$1" build="$2" version="$3"

scratch="$(mktemp -d)"
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"

fail() {
  echo "$*"
  [ ! -s "$scratch/output.log" ] || { echo "the program's output:"; cat "$scratch/output.log"; }
  exit 1
}

# The package, made where it cannot disturb the build's own.
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb="$scratch/out/yarnspin_${version}-1_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$scratch/out")"

# lintian: no errors, and no warnings but these, which stay on purpose:
#   initial-upload-closes-no-bugs  the package is not for the Debian archive,
#                                  so no request-for-packaging bug exists to close.
status=0
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" >"$scratch/lintian.log" 2>&1 ||
  status=$?
grep -v '^running with root privileges' "$scratch/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian finds errors or warnings"

# The contents: all under /usr, the program folder in /usr/lib/yarnspin/ with
# its marker and the shipped lists (and nothing a program wrote there).
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./||' >"$scratch/contents"
for path in usr/bin/yarnspin usr/lib/yarnspin/yarnspin usr/lib/yarnspin/installed \
  usr/lib/yarnspin/modules/yarnspin-webengine.so \
  usr/lib/yarnspin/Lists/thenames.txt usr/lib/yarnspin/Lists/names.txt usr/lib/yarnspin/Lists/justnames.txt \
  usr/lib/yarnspin/Lists/actions.txt usr/lib/yarnspin/Lists/places.txt \
  usr/share/applications/yarnspin.desktop usr/share/icons/hicolor/256x256/apps/yarnspin.png \
  usr/share/icons/hicolor/scalable/apps/yarnspin.svg usr/share/metainfo/com.merovale.yarnspin.metainfo.xml \
  usr/share/man/man1/yarnspin.1.gz usr/share/man/ru/man1/yarnspin.1.gz \
  usr/share/doc/yarnspin/copyright usr/share/doc/yarnspin/changelog.gz usr/share/doc/yarnspin/changelog.Debian.gz; do
  grep -qxF "$path" "$scratch/contents" || fail "the package lacks /$path"
done
! grep -v '^usr/' "$scratch/contents" | grep -v '^$' || fail "the package puts files outside /usr"
! grep -E 'favourite\.txt|yarnconfig\.ini' "$scratch/contents" || fail "the package holds a user's files"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6widgets6 libqt6webenginewidgets6 fonts-wine qt6-translations-l10n qt6-image-formats-plugins qt6-gtk-platformtheme; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/yarnspin/changelog.Debian.gz | gunzip >"$scratch/changelog"
[ "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)" = "${version}-1" ] ||
  fail "the Debian changelog's last entry is not ${version}-1"

# Unpacked into a scratch root. As root, its files are handed to the ordinary
# user the program runs as: a write under /usr would then succeed, and show.
root="$scratch/root"
dpkg -x "$deb" "$root"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$root/usr"
  run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
unpacked_files() { find "$root" -printf '%P %y %s %T@ %m\n' | sort; }
unpacked_files >"$scratch/unpacked-before"

home="$scratch/home"
mkdir -p "$home" && mkdir -m 700 "$scratch/runtime"
[ ${#run_as[@]} -eq 0 ] || chown 65534:65534 "$home" "$scratch/runtime"
user_folder="$home/.local/share/yarnspin"

# Runs the command ten times a second until it succeeds, for at most 20
# seconds, while the program runs.
wait_until() {
  for _ in $(seq 1 200); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended early"
    sleep 0.1
  done
  return 1
}
# The program's visible windows whose title is exactly the text given
# (xdotool's own matching of titles is unreliable beyond ASCII).
windows_named() {
  local id
  for id in $(xdotool search --pid "$pid" --onlyvisible --name '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" != "$1" ] || echo "$id"
  done
}
# Dialogs and boxes are transient for the main window; it is the one that is not.
main_window() {
  local id
  for id in $(windows_named 'Merovale Yarnspin'); do
    xprop -id "$id" WM_TRANSIENT_FOR | grep -q 'not found' && echo "$id" && return 0
  done
  return 1
}
box_shown() { box="$(windows_named 'Merovale Yarnspin' | grep -vxF "${main:-none}" | head -n 1)" && [ -n "$box" ]; }
main_shown() { main="$(main_window)" && [ -n "$main" ]; }
window_named() { shown="$(windows_named "$1" | head -n 1)" && [ -n "$shown" ]; }
shown_count() { xdotool search --pid "$pid" --onlyvisible --name '' 2>/dev/null | wc -l; }
no_error_box() { [ -z "$(windows_named 'Merovale Yarn')" ] || fail "an error box is shown"; }
clipboard_filled() {
  clipboard="$(xclip -o -selection clipboard 2>/dev/null)" && clipboard="${clipboard%$'\r'}" && [ -n "$clipboard" ]
}

start() {
  : | xclip -selection clipboard
  "${run_as[@]}" env -u XDG_DATA_HOME HOME="$home" XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb \
    "$root/usr/bin/yarnspin" >"$scratch/output.log" 2>&1 &
  pid=$!
}

quit() {
  no_error_box
  xdotool windowfocus --sync "$main" key ctrl+q
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end: a box keeps it open?"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Windows-1251 bytes of a file as UTF-8 text without CRs.
text_of() { iconv -f CP1251 -t UTF-8 "$1" | tr -d '\r'; }

# The first start: the box of a first start, then compose, keep the tweet,
# add a title through the menu, give the account in the settings, quit.
start
wait_until box_shown || fail "the first-start box never appeared"
xdotool windowfocus --sync "$box" key Return
wait_until main_shown || fail "the main window never appeared"
xdotool windowfocus --sync "$main" key F2
wait_until clipboard_filled || fail "nothing was composed"
tweet="$clipboard"
# The link "последний" of the row "твит в избранное".
xdotool mousemove --window "$main" 95 453 click 1
# "Сервис" → "Добавить в базу твитов" → "Название твита", by the keyboard
# once the menu bar's first menu is open: each Right opens the next menu, or
# the submenu of the item it has made current.
before="$(shown_count)"
xdotool mousemove --window "$main" 15 10 click 1
wait_until eval '[ "$(shown_count)" -gt "$before" ]' || fail "the menu never opened"
xdotool key --delay 150 Right Right Right Return
wait_until window_named 'Новое название для твита' || fail "the input box for a title never appeared"
xdotool windowfocus --sync "$shown" type --delay 20 'packaged title'
xdotool key Return
xdotool windowfocus --sync "$main" key F5
wait_until window_named 'Настройки' || fail "the settings dialog never appeared"
xdotool windowfocus --sync "$shown" type --delay 20 'packaged_user'
xdotool key Escape
wait_until eval '[ -z "$(windows_named Настройки)" ]' || fail "the settings dialog did not close"
quit

[ "$(text_of "$user_folder/Lists/thenames.txt" | tail -n 1)" = "packaged title" ] || fail "the added title was not kept"
text_of "$user_folder/Lists/favourite.txt" | grep -qxF "$tweet" || fail "the favourite '$tweet' was not kept"
grep -qx $'address=packaged_user\r' "$user_folder/Config files/yarnconfig.ini" || fail "the settings were not kept"
cp -r "$user_folder" "$scratch/after-first"

# The second start: no box before the main window (a box at start comes
# before it), and every file read and written back as it was.
start
wait_until window_named 'Merovale Yarnspin' || fail "no window at the second start"
main_shown && [ "$(windows_named 'Merovale Yarnspin')" = "$main" ] || fail "a box came up at the second start"
quit
diff -r "$scratch/after-first" "$user_folder" || fail "the second start lost or changed something"
unpacked_files | diff "$scratch/unpacked-before" - || fail "the program wrote under the unpacked /usr"
echo "package $(basename "$deb") made, checked, and run twice from $root"
