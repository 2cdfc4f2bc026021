#!/usr/bin/env bash
# --help, --version and an unknown option answer on the terminal with no
# display at all: QApplication would abort without one. Without a display the
# program itself says it needs one, unless a platform that needs none is named.
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

# One line in Russian instead of Qt's abort, for every platform that needs a display.
needs_display='^yarnspin: программе нужен графический рабочий стол'
for platform in '' xcb wayland 'wayland;xcb'; do
  check 1 '' "$needs_display"
done
# A platform that needs no display starts the program and keeps it running: a
# copy in a scratch folder, so that the build's lists and lock stay untouched.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$program" "$scratch/yarnspin"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 5 "$scratch/yarnspin" 2>"$scratch/err" || status=$?
if [ "$status" -ne 124 ] || grep -q "$needs_display" "$scratch/err"; then
  echo "QT_QPA_PLATFORM=offscreen yarnspin: status $status, stderr:"; cat "$scratch/err"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
