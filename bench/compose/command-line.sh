#!/usr/bin/env bash
# command-line.sh [program] [count]: tweets a second of "yarnspin --compose",
# from the program folder's own lists to /dev/null, in each output encoding;
# the best of three runs, each timed whole (start-up, list loading, output).
set -euo pipefail
program="${1:-build/bin/yarnspin}"
count="${2:-1000000}"
for encoding in utf-8 windows-1251; do
  best=
  for _ in 1 2 3; do
    start=$(date +%s%N)
    "$program" --compose "$count" --seed 1 --mode account --encoding "$encoding" >/dev/null
    elapsed=$(( $(date +%s%N) - start ))
    if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
  done
  echo "$encoding: $count tweets in $((best / 1000000)) ms, $((count * 1000000000 / best)) tweets a second"
done
