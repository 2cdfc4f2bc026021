#!/usr/bin/env bash
# bench/journal/soak-autogeneration.sh [--minutes N] <program>...
# Autogeneration soak: each program (a built yarnspin, whose program folder is
# copied to a scratch folder first, or build/bench/bench_ticking_window, the
# yardstick, run where it is) runs on an Xvfb of its own under openbox,
# autogeneration is switched on with F3, and the program's CPU time and
# resident memory are sampled every 10 seconds for N minutes (10 by default).
# All programs run at once, so they share whatever else loads the machine:
# give the old build beside the new one to compare them. Prints, per
# program, its CPU as a share of one core, the X server's beside it, and the
# growth of resident memory per hour (least squares over the samples after
# the first minute).
set -euo pipefail

minutes=10
if [ "${1:-}" = --minutes ]; then
  minutes="$2"
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--minutes N] <program>..." >&2; exit 2; }
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is needed (apt-get install xvfb openbox xdotool)" >&2; exit 1; }
done

scratch="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# start <index> <program>: its own server, window manager and program; the
# program's and the server's process ids in program_pid[i], server_pid[i].
declare -a program_pid server_pid journal_size
start() {
  local i="$1" program="$2" folder="$scratch/program-$1"
  if [ -d "$(dirname "$program")/Lists" ]; then
    mkdir -p "$folder"
    cp -r "$(dirname "$program")"/. "$folder/"
    # No first-start box: the favourites file exists.
    : >"$folder/Lists/favourite.txt"
  else
    folder="$(dirname "$program")"
  fi
  mkfifo "$scratch/display-$i"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$scratch/display-$i" 2>/dev/null &
  server_pid[i]=$!
  pids+=("$!")
  local display
  read -r -t 30 display <"$scratch/display-$i"
  DISPLAY=":$display" openbox >/dev/null 2>&1 &
  pids+=("$!")
  sleep 1
  # A data folder of its own: a notice the user has yet to see (files saved
  # for them after a failed write) would hold the program at start-up.
  DISPLAY=":$display" XDG_DATA_HOME="$scratch/data-$i" "$folder/$(basename "$program")" >/dev/null 2>&1 &
  program_pid[i]=$!
  pids+=("$!")
  local window
  window=$(DISPLAY=":$display" xdotool search --sync --name '^Merovale Yarnspin|^Ticking window' | head -1)
  DISPLAY=":$display" xdotool windowactivate --sync "$window" key --window "$window" F3
}

programs=("$@")
for i in "${!programs[@]}"; do
  start "$i" "${programs[$i]}"
done

samples=$((minutes * 6))
declare -A rows
for ((s = 0; s <= samples; s++)); do
  now=$(date +%s.%N)
  for i in "${!programs[@]}"; do
    rows[$i]+="$now $(cpu_ticks "${program_pid[$i]}") $(cpu_ticks "${server_pid[$i]}") $(rss_kib "${program_pid[$i]}")"$'\n'
  done
  [ "$s" -lt "$samples" ] && sleep 10
done

printf '%-50s %10s %10s %16s %10s\n' program 'CPU %' 'X CPU %' 'MiB per hour' 'RSS MiB'
for i in "${!programs[@]}"; do
  printf '%s' "${rows[$i]}" | awk -v name="${programs[$i]}" -v hz="$ticks_per_second" '
    NF == 4 { t[n] = $1; cpu[n] = $2; xcpu[n] = $3; rss[n] = $4; n++ }
    END {
      # The first minute is start-up: the rates are taken after it.
      first = 6; last = n - 1
      span = t[last] - t[first]
      for (k = first; k <= last; k++) { sx += t[k]; sy += rss[k]; sxx += t[k] * t[k]; sxy += t[k] * rss[k]; m++ }
      slope = (m * sxy - sx * sy) / (m * sxx - sx * sx)
      printf "%-50s %10.2f %10.2f %16.1f %10.1f\n", name, 100 * (cpu[last] - cpu[first]) / hz / span,
             100 * (xcpu[last] - xcpu[first]) / hz / span, slope * 3600 / 1024, rss[last] / 1024
    }'
done
