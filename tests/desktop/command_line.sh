#!/usr/bin/env bash
# --help, --version and an unknown option answer on the terminal with no
# display at all: QApplication would abort without one.
set -uo pipefail
program="$1"
failures=0

# Whether the file matches the pattern; an empty pattern asks for an empty file.
matches() {
  if [ -z "$2" ]; then [ ! -s "$1" ]; else grep -qE -e "$2" "$1"; fi
}

# check <expected status> <pattern on stdout> <pattern on stderr> <arguments...>
check() {
  local status="$1" out_pattern="$2" err_pattern="$3"
  shift 3
  local out err actual
  out="$(mktemp)"; err="$(mktemp)"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$out" 2>"$err"
  actual=$?
  if [ "$actual" -ne "$status" ] || ! matches "$out" "$out_pattern" || ! matches "$err" "$err_pattern"; then
    echo "yarnspin $*: status $actual, stdout:"; cat "$out"; echo "stderr:"; cat "$err"
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

[ "$failures" -eq 0 ]
