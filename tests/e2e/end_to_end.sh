#!/usr/bin/env bash
# end_to_end.sh <built program> <source holding the built-in openings>
# Starts the built program as a real process on the X server of $DISPLAY (CTest
# runs it under tests/support/with-own-xserver.sh), in scratch program folders,
# composes with a real key press, reads the clipboard from another process,
# closes the window and checks what reached the disk. One run uses lists made
# here; the others use a copy of the program folder as the build laid it out.
set -euo pipefail
export LC_ALL=C.UTF-8 # the clipboard and the lists are compared as UTF-8
program="$1"
openings_source="$2"
built_folder="$(dirname "$program")"

scratch="$(mktemp -d)"
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

# new_folder <name>: a program folder holding the program, an empty Lists/
# and settings that turn notices off (so no balloon steals the focus), plus
# the settings lines given on standard input.
new_folder() {
  folder="$scratch/$1"
  mkdir -p "$folder/Lists" "$folder/Config files"
  cp "$program" "$folder/yarnspin"
  { printf '[option]\r\ncheck2=1\r\n'; sed 's/$/\r/'; } >"$folder/Config files/yarnconfig.ini"
}

fail() {
  echo "$folder: $*"
  exit 1
}

# Reports the program's end and its output, when it has ended.
fail_if_ended() {
  kill -0 "$pid" 2>/dev/null && return 0
  local status=0
  wait "$pid" || status=$?
  pid=
  echo "$folder: the program ended early with status $status; its output:"
  cat "$folder/output.log"
  exit 1
}

# Runs the command ten times a second until it succeeds, for at most ten
# seconds, while the program runs.
wait_until() {
  for _ in $(seq 1 100); do
    "$@" && return 0
    fail_if_ended
    sleep 0.1
  done
  return 1
}

visible_window() {
  xdotool search --pid "$pid" --onlyvisible --name '^Merovale Yarnspin$' 2>/dev/null | head -n 1
}
message_shown() { message="$(visible_window)" && [ -n "$message" ]; }
main_window_shown() { window="$(visible_window)" && [ -n "$window" ] && [ "$window" != "$message" ]; }
# The buffer copied holds the tweet and its line break (CR LF).
clipboard_filled() {
  clipboard="$(xclip -o -selection clipboard 2>/dev/null)" && clipboard="${clipboard%$'\r'}" && [ -n "$clipboard" ]
}

# Starts the program of $folder, lets the first start's favourites message go
# (Enter closes it) and composes one tweet with F2; the tweet is left in
# $clipboard.
start_and_compose() {
  QT_QPA_PLATFORM=xcb "$folder/yarnspin" >"$folder/output.log" 2>&1 &
  pid=$!
  wait_until message_shown || fail "the first-run message never appeared"
  xdotool windowfocus --sync "$message" key Return
  wait_until main_window_shown || fail "the main window never appeared"
  xdotool windowfocus --sync "$window" key F2
  wait_until clipboard_filled || fail "nothing reached the clipboard"
}

# Closes the main window with Ctrl+Q and waits for a clean end.
quit() {
  xdotool windowfocus --sync "$window" key ctrl+q
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || { cat "$folder/output.log"; fail "the program ended with status $status"; }
}

# Writes the entries of the folder's list files (Windows-1251, CR LF) as
# UTF-8 lines into <list>.utf8 beside the folder's Lists/.
convert_lists() {
  local list
  for list in names justnames actions places; do
    iconv -f CP1251 -t UTF-8 "$folder/Lists/$list.txt" | tr -d '\r' >"$folder/$list.utf8"
  done
}

# Whether the tweet reads "<opening> <hero> <action> <place>", each part an
# entry of its list; the hero is the prefix ("@" or nothing) and an entry of
# the heroes' list (names or justnames).
composed_from_lists() {
  local tweet="$1" hero_prefix="$2" heroes="$3"
  local opening hero place rest
  convert_lists
  while IFS= read -r opening; do
    [[ "$tweet" == "$opening $hero_prefix"* ]] || continue
    while IFS= read -r hero; do
      rest="${tweet#"$opening $hero_prefix"}"
      [[ "$rest" == "$hero "* ]] || continue
      rest="${rest#"$hero "}"
      while IFS= read -r place; do
        [[ "$rest" == *" $place" ]] && grep -qxF -- "${rest%" $place"}" "$folder/actions.utf8" && return 0
      done <"$folder/places.utf8"
    done <"$folder/$heroes.utf8"
  done <"$scratch/openings"
  return 1
}

sed -n 's/^ *u"\(.*\)",\{0,1\}$/\1/p' "$openings_source" >"$scratch/openings"
[ "$(wc -l <"$scratch/openings")" -eq 16 ] || { echo "expected 16 built-in openings in $openings_source"; exit 1; }

# Lists made here, one entry each: the tweet is known in full, and the close
# writes every list back with CR LF after each line.
new_folder made </dev/null
printf 'Грустная сказка\r\n' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/thenames.txt"
printf 'kotofeich\r\n' >"$folder/Lists/names.txt"
printf 'Воробей\r\n' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/justnames.txt"
printf 'погулять\r\n' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/actions.txt"
# No final line end: the close writes it back with one.
printf 'на болоте.' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/places.txt"
start_and_compose
[[ "$clipboard" == *" @kotofeich погулять на болоте." ]] || fail "clipboard holds: '$clipboard'"
quit
[ "$(tail -c 2 "$folder/Lists/places.txt" | od -An -tx1 | tr -d ' ')" = "0d0a" ] ||
  fail "places.txt: $(od -An -c "$folder/Lists/places.txt" | tr -s ' ')"
[ "$(od -An -c "$folder/Lists/names.txt" | tr -d ' \n')" = 'kotofeich\r\n' ] || fail "names.txt changed"
[ -f "$folder/Lists/favourite.txt" ] || fail "the favourites file was not written"

# The program folder as built, in both composition modes: the build must have
# laid out the shipped lists, and the tweet is made of their entries. (The
# title shows only in the window, out of reach of another process.)
for mode in account plain-name; do
  if [ "$mode" = account ]; then
    new_folder "built-$mode" </dev/null
    hero_prefix="@" heroes=names
  else
    new_folder "built-$mode" <<<"justname=1"
    hero_prefix="" heroes=justnames
  fi
  for list in thenames names justnames actions places; do
    [ -s "$built_folder/Lists/$list.txt" ] || fail "the build left no $list.txt in $built_folder/Lists"
    cp "$built_folder/Lists/$list.txt" "$folder/Lists/"
  done
  start_and_compose
  quit
  composed_from_lists "$clipboard" "$hero_prefix" "$heroes" ||
    fail "the tweet '$clipboard' is not an opening, a hero, an action and a place of the lists"
done

# A program folder whose name is not UTF-8 text: the program names it in a
# message and ends with status 1, never working in another folder instead.
new_folder "$(printf 'not-text-\xff\xfe')" </dev/null
cp "$built_folder/Lists/"*.txt "$folder/Lists/"
home="$scratch/home-of-not-text"
HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=xcb "$folder/yarnspin" >"$scratch/not-text.log" 2>&1 &
pid=$!
message_box() { box="$(xdotool search --pid "$pid" --onlyvisible --name '^Merovale Yarn$' 2>/dev/null | head -n 1)" && [ -n "$box" ]; }
wait_until message_box || fail "no message named the folder"
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program went on after the message"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 1 ] || { cat "$scratch/not-text.log"; fail "the program ended with status $status"; }
[ ! -e "$home" ] || fail "the program made a folder of its own instead: $(find "$home" | head -n 3)"
echo "4 runs passed, 0 failed"
