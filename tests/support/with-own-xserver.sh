#!/usr/bin/env bash
# with-own-xserver.sh <command> [argument]...
# Runs the command on an X server of its own, on a display number the server
# picks free: tests sharing one server take each other's clipboard and focus,
# and a fixed display number collides with other servers. Exits with the
# command's status.
set -euo pipefail

scratch="$(mktemp -d)"
server=
stop_server() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap stop_server EXIT

# Xvfb writes the display number to the pipe once it accepts connections.
# -noreset: a server resetting after its last client left refuses the next
# program that connects at that moment.
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/server.log" &
server=$!
if ! read -r -t 30 display <"$scratch/display" || [ -z "$display" ]; then
  echo "with-own-xserver.sh: Xvfb did not start:" >&2
  cat "$scratch/server.log" >&2
  exit 1
fi

status=0
DISPLAY=":$display" "$@" || status=$?
exit "$status"
