#!/usr/bin/env bash
# --help, --version, --compose and an unknown option answer on the terminal
# with no display at all: QApplication would abort without one. Without a
# display the program itself says it needs one, unless a platform that needs
# none is named.
set -uo pipefail
program="$1"
failures=0
platform=

# Whether the file matches the pattern; an empty pattern asks for an empty file.
matches() {
  if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -qE -e "$2" "$1"; fi
}

# check <expected status> <pattern on stdout> <pattern on stderr> <arguments...>
# Runs with no display; $platform, when set, becomes QT_QPA_PLATFORM.
check() {
  local status="$1" out_pattern="$2" err_pattern="$3"
  shift 3
  local out err actual
  out="$(mktemp)"; err="$(mktemp)"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${platform:+QT_QPA_PLATFORM="$platform"} \
    timeout 10 "$program" "$@" >"$out" 2>"$err"
  actual=$?
  if [ "$actual" -ne "$status" ] || ! matches "$out" "$out_pattern" || ! matches "$err" "$err_pattern"; then
    echo "QT_QPA_PLATFORM=${platform:-} yarnspin $*: status $actual, stdout:"; cat "$out"; echo "stderr:"; cat "$err"
    failures=$((failures + 1))
  fi
  rm -f "$out" "$err"
}

check 0 '^Merovale Yarnspin 1\.0\.0\.0$' '' --version
check 0 '^Merovale Yarnspin 1\.0\.0\.0$' '' -v
check 0 '--version' '' --help
check 0 '--help' '' -h
check 2 '' '"--frobnicate"' --frobnicate
check 2 '' '"list\.txt"' list.txt
check 2 '' '"--help"' --version --help
# The whole usage, not only the complaint, on the error stream.
check 2 '' '--version' -x
check 2 '' '"--compose"' --compose
check 2 '' '--compose' --seed 5
check 2 '' '"-1" .*--compose' --compose -1
check 2 '' '"x" .*--seed' --compose 1 --seed x
check 2 '' '"4294967296" .*--seed' --compose 1 --seed 4294967296
check 2 '' '"both" .*--mode' --compose 1 --mode both
check 2 '' '"koi8-r" .*--encoding' --compose 1 --encoding koi8-r
check 2 '' '"--title=1"' --compose 1 --title=1

# One line in Russian instead of Qt's abort, for every platform that needs a display.
needs_display='^yarnspin: программе нужен графический рабочий стол'
for platform in '' xcb wayland 'wayland;xcb'; do
  check 1 '' "$needs_display"
done
# A platform that needs no display starts the program and keeps it running: a
# copy in a scratch folder, so that the build's lists and lock stay untouched.
# Its folder first serves --compose.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/yarnspin"

# --compose reads the lists of the scratch copy's folder: entries named by
# their index, so a tweet tells which ones were drawn, and Cyrillic plain
# names, so the encodings differ.
mkdir -p "$scratch/Lists" "$scratch/Config files"
numbered() { for i in $(seq 0 $(($2 - 1))); do printf '%s%d\r\n' "$1" "$i"; done; }
numbered title 50 >"$scratch/Lists/thenames.txt"
numbered account 254 >"$scratch/Lists/names.txt"
numbered action 267 >"$scratch/Lists/actions.txt"
numbered place 183 >"$scratch/Lists/places.txt"
numbered 'Ёжик' 30 | iconv -f UTF-8 -t CP1251 >"$scratch/Lists/justnames.txt"
program="$scratch/yarnspin"
# From the seed 12345 the five draws below 50, 16, 254, 267 and 183 are 19,
# 4, 20, 147 and 115, the opening being the fifth built-in one.
check 0 $'^title19\t[^\t]+ @account20 action147 place115$' '' --compose 1 --seed 12345 --title --mode account
# No re-seeding: the same seed gives the same tweets, each different.
"$program" --compose 20 --seed 7 >"$scratch/first" 2>&1
"$program" --compose 20 --seed 7 >"$scratch/again" 2>&1
if ! cmp -s "$scratch/first" "$scratch/again" || [ "$(sort -u "$scratch/first" | wc -l)" -lt 15 ]; then
  echo "--compose 20 --seed 7 twice:"; paste "$scratch/first" "$scratch/again"; failures=$((failures + 1))
fi
# The settings' mode is the default; UTF-8 unless the files' own encoding is asked for.
printf '[option]\r\ntwiname=0\r\njustname=1\r\n' >"$scratch/Config files/yarnconfig.ini"
check 0 '^.+ Ёжик[0-9]+ action[0-9]+ place[0-9]+$' '' --compose 3
check 0 '@account[0-9]+ ' '' --compose 3 --mode account
"$program" --compose 5 --seed 9 --encoding windows-1251 >"$scratch/cp1251"
"$program" --compose 5 --seed 9 >"$scratch/utf8"
if ! iconv -f CP1251 -t UTF-8 "$scratch/cp1251" | cmp -s - "$scratch/utf8"; then
  echo "--encoding windows-1251 is not the UTF-8 output in Windows-1251"; failures=$((failures + 1))
fi
# Neither mode in the settings needs --mode; a list that cannot be read stops it.
printf '[option]\r\ntwiname=0\r\njustname=0\r\n' >"$scratch/Config files/yarnconfig.ini"
check 1 '' '--mode account' --compose 1
check 0 'Ёжик' '' --compose 1 --mode name
mv "$scratch/Lists/actions.txt" "$scratch/actions.txt"
check 1 '' '^yarnspin: Cannot open file ".*[^/]//Lists/actions\.txt"' --compose 1 --mode name
mv "$scratch/actions.txt" "$scratch/Lists/actions.txt"
# A program folder whose name is not UTF-8 is named; no other folder stands in for it.
not_text="$scratch/$(printf 'not-text-\xff')"
mkdir "$not_text"
cp "$program" "$not_text/yarnspin"
program="$not_text/yarnspin"
check 1 '' '^yarnspin: Путь к папке программы ".*/not-text-' --compose 1 --mode name
program="$scratch/yarnspin"
rm -r "$scratch/Lists" "$scratch/Config files"
# Qt's own options reach the window's start: the platform named on the command line.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 5 "$scratch/yarnspin" -platform offscreen \
  -session 1234 2>"$scratch/err" || status=$?
if [ "$status" -ne 124 ] || grep -q "$needs_display" "$scratch/err"; then
  echo "yarnspin -platform offscreen -session 1234: status $status, stderr:"; cat "$scratch/err"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
