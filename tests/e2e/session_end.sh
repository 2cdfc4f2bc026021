#!/usr/bin/env bash
# session_end.sh <built program>
# The end of a desktop session and a crash, on the real program (on the X
# server of $DISPLAY; CTest runs it under tests/support/with-own-xserver.sh):
# SIGTERM after an added title and a favourite, with the settings dialog or a
# message box open, and with a list that cannot be written; SIGKILL after an
# addition, and the next start putting it back.
set -euo pipefail
export LC_ALL=C.UTF-8
program="$1"

scratch="$(mktemp -d)"
pid=
trap '[ -z "$pid" ] || kill -9 "$pid" 2>/dev/null || true; [ -n "${KEEP_SCRATCH:-}" ] || rm -rf "$scratch"' EXIT

fail() {
  echo "$folder: $*"
  [ ! -s "$folder/output.log" ] || { echo "its output:"; cat "$folder/output.log"; }
  exit 1
}

# new_folder <name>: the program with one-entry lists, an empty favourites
# file (no first-run message) and notices off, its user data beside it.
new_folder() {
  folder="$scratch/$1"
  mkdir -p "$folder/Lists" "$folder/Config files" "$folder/data"
  cp "$program" "$folder/yarnspin"
  printf '[option]\r\ncheck2=1\r\n' >"$folder/Config files/yarnconfig.ini"
  printf 'Грустная сказка\r\n' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/thenames.txt"
  printf 'kotofeich\r\n' >"$folder/Lists/names.txt"
  printf 'Воробей\r\n' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/justnames.txt"
  printf 'погулять\r\n' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/actions.txt"
  printf 'на болоте.\r\n' | iconv -f UTF-8 -t CP1251 >"$folder/Lists/places.txt"
  : >"$folder/Lists/favourite.txt"
}

# Runs the command ten times a second until it succeeds, for at most ten seconds.
wait_until() {
  for _ in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The program's visible windows whose title is exactly the text given.
windows_named() {
  local id
  for id in $(xdotool search --pid "$pid" --onlyvisible --name '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" != "$1" ] || echo "$id"
  done
}
main_shown() { main="$(windows_named 'Merovale Yarnspin' | head -n 1)" && [ -n "$main" ]; }
shown() { shown="$(windows_named "$1" | grep -vxF "${main:-none}" | head -n 1)" && [ -n "$shown" ]; }

start() {
  main=  # X reuses window identifiers from one run to the next
  XDG_DATA_HOME="$folder/data" QT_QPA_PLATFORM=xcb "$folder/yarnspin" >"$folder/output.log" 2>&1 &
  pid=$!
}

start_and_wait() {
  start
  wait_until main_shown || fail "the main window never appeared"
}

# Adds a title through "Сервис" → "Добавить в базу твитов" → "Название твита":
# once the menu bar's first menu is open, each Right opens the next menu, or
# the submenu of the item it has made current.
add_title() {
  xdotool mousemove --window "$main" 15 10 click 1
  sleep 0.5
  xdotool key --delay 150 Right Right Right Return
  wait_until shown 'Новое название для твита' || fail "the input box never appeared"
  # ASCII only: xdotool drops letters it has to map onto a spare key.
  xdotool windowfocus --sync "$shown" type --delay 20 "$1"
  xdotool key Return
}

# Composes, and keeps the tweet with the link "последний" of "твит в избранное".
compose_and_keep() {
  xdotool windowfocus --sync "$main" key F2
  sleep 0.3
  xdotool mousemove --window "$main" 95 453 click 1
}

# Sends the signal and waits for the program to end; its status must be 0.
end_with() {
  kill -"$1" "$pid"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$1" = KILL ] || [ "$status" -eq 0 ] || fail "SIG$1 ended the program with status $status"
}

text_of() { iconv -f CP1251 -t UTF-8 "$1" | tr -d '\r'; }
# The opening and the verb are the program's own; the rest comes from the lists.
tweet=' @kotofeich погулять на болоте\.$'

# 1. SIGTERM with nothing open, with the settings dialog open, and with a
#    message box open: the addition and the favourite are written all the same.
for open in nothing settings message; do
  new_folder "term-$open"
  start_and_wait
  add_title 'New tale'
  compose_and_keep
  case "$open" in
    settings)
      xdotool windowfocus --sync "$main" key F5
      wait_until shown 'Настройки' || fail "the settings dialog never appeared" ;;
    message)
      # An empty title adds nothing and says so in a box.
      add_title ''
      wait_until shown 'Merovale Yarn' || fail "the message never appeared" ;;
  esac
  end_with TERM
  [ "$(text_of "$folder/Lists/thenames.txt" | tail -n 1)" = 'New tale' ] || fail "the title was lost"
  text_of "$folder/Lists/favourite.txt" | grep -q "$tweet" || fail "the favourite was lost"
  [ ! -e "$folder/data/yarnspin/recovered" ] || fail "files went to the recovered folder though they could be written"
done

# 2. SIGTERM when a list cannot be written: the files before it are written,
#    it and those after it go whole to the recovered folder, and the old file
#    stays; the next start names the folder.
new_folder term-unwritable
start_and_wait
add_title 'New tale'
compose_and_keep
rm "$folder/Lists/names.txt" && mkdir "$folder/Lists/names.txt"
end_with TERM
[ "$(text_of "$folder/Lists/thenames.txt" | tail -n 1)" = 'New tale' ] || fail "the titles were not written"
[ -d "$folder/Lists/names.txt" ] || fail "the unwritable list was replaced"
recovered="$(ls -d "$folder"/data/yarnspin/recovered/*/ 2>/dev/null | head -n 1)"
[ -n "$recovered" ] || fail "no recovered folder"
for list in names actions places justnames; do
  cmp -s "$recovered/Lists/$list.txt" <(printf '%s\r\n' "$(text_of "$scratch/term-nothing/Lists/$list.txt" | head -n 1)" |
    iconv -f UTF-8 -t CP1251) || fail "$list.txt did not reach the recovered folder whole"
done
text_of "$recovered/Lists/favourite.txt" | grep -q "$tweet" || fail "the favourites did not reach the recovered folder"
grep -qF "${recovered%/}" "$folder/output.log" || fail "the terminal was not told where the files went"
rmdir "$folder/Lists/names.txt" && cp "$scratch/term-nothing/Lists/names.txt" "$folder/Lists/"
start
wait_until shown 'Merovale Yarn' || fail "the next start did not name the recovered folder"
xdotool windowfocus --sync "$shown" key Return
wait_until main_shown || fail "the main window never appeared after the message"
end_with TERM

# 3. SIGKILL after an addition: the recovery copy goes out within the minute
#    (the first at once); the next start asks, and Yes puts the title back.
new_folder crash
start_and_wait
add_title 'Rescued tale'
wait_until eval 'ls "$folder"/data/yarnspin/pending/*/Lists/thenames.txt >/dev/null 2>&1' ||
  fail "no recovery copy was written"
end_with KILL
start
wait_until shown 'Merovale Yarn' || fail "the next start did not offer the copy back"
# No is the default: Shift+Tab goes to Yes.
xdotool windowfocus --sync "$shown" key shift+Tab space
wait_until main_shown || fail "the main window never appeared after the question"
xdotool windowfocus --sync "$main" key ctrl+q
wait "$pid" || fail "the program did not end cleanly"
pid=
[ "$(text_of "$folder/Lists/thenames.txt" | tail -n 1)" = 'Rescued tale' ] || fail "the crash lost the title"
[ -z "$(ls -A "$folder/data/yarnspin/pending" 2>/dev/null)" ] || fail "the recovery copy outlived the clean close"
echo "session end and crash recovery: all cases passed"
