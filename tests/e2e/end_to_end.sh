#!/usr/bin/env bash
# Starts the built program as a real process on an X server, in a scratch
# program folder, composes with a real key press, reads the clipboard from
# another process, closes the window and checks what reached the disk.
set -euo pipefail
program="$1"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

folder="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$program" "$folder/yarnspin"
mkdir -p "$folder/Lists" "$folder/Config files"
printf 'Грустная сказка\r\n' | iconv -f UTF-8 -t CP1251 > "$folder/Lists/thenames.txt"
printf 'kotofeich\r\n' > "$folder/Lists/names.txt"
printf 'Воробей\r\n' | iconv -f UTF-8 -t CP1251 > "$folder/Lists/justnames.txt"
printf 'погулять\r\n' | iconv -f UTF-8 -t CP1251 > "$folder/Lists/actions.txt"
# No final line end: the close writes it back with one.
printf 'на болоте.' | iconv -f UTF-8 -t CP1251 > "$folder/Lists/places.txt"
# Notices off, so no balloon steals the focus.
printf '[option]\r\ncheck2=1\r\n' > "$folder/Config files/yarnconfig.ini"

QT_QPA_PLATFORM=xcb "$folder/yarnspin" &
pid=$!

visible_window() {
  xdotool search --pid "$pid" --onlyvisible --name '^Merovale Yarnspin$' 2>/dev/null | head -n 1
}

# Runs the command ten times a second until it succeeds, for at most ten seconds.
wait_until() {
  for _ in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

message_shown() { message="$(visible_window)" && [ -n "$message" ]; }
main_window_shown() { window="$(visible_window)" && [ -n "$window" ] && [ "$window" != "$message" ]; }
clipboard_filled() { clipboard="$(xclip -o -selection clipboard 2>/dev/null)" && [ -n "$clipboard" ]; }
program_ended() { ! kill -0 "$pid" 2>/dev/null; }

# The first start greets with the favourites' first-run message before the
# main window shows; Enter closes it.
wait_until message_shown || { echo "the first-run message never appeared"; exit 1; }
xdotool windowfocus --sync "$message" key Return
wait_until main_window_shown || { echo "the main window never appeared"; exit 1; }

xdotool windowfocus --sync "$window" key F2
wait_until clipboard_filled || { echo "nothing reached the clipboard"; exit 1; }
expected=" @kotofeich погулять на болоте."
case "$clipboard" in
  *"$expected"*) ;;
  *) echo "clipboard holds: '$clipboard'"; exit 1 ;;
esac

xdotool windowfocus --sync "$window" key ctrl+q
wait_until program_ended || { echo "the program did not end"; exit 1; }
wait "$pid" || { echo "the program ended with an error"; exit 1; }

places="$(od -An -c "$folder/Lists/places.txt" | tr -s ' ')"
[ "$(tail -c 2 "$folder/Lists/places.txt" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || { echo "places.txt: $places"; exit 1; }
[ "$(od -An -c "$folder/Lists/names.txt" | tr -d ' \n')" = 'kotofeich\r\n' ] || { echo "names.txt changed"; exit 1; }
[ -f "$folder/Lists/favourite.txt" ] || { echo "the favourites file was not written"; exit 1; }
echo "1 passed, 0 failed"
