#!/usr/bin/env bash
# Runs desktop_test.py against the window SWITCHSIM on a virtual display of
# its own (Xvfb picks a free one), with a session bus of its own and the
# accessibility bus on it. Usage: run_desktop_test.sh SWITCHSIM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
gave_up() {
  echo "run_desktop_test: $1; Xvfb said:" >&2
  cat "$scratch/xvfb.log" >&2
  exit 1
}
for _ in $(seq 600); do
  [ -s "$scratch/display" ] && break
  kill -0 $xvfb 2>/dev/null || gave_up "Xvfb did not start"
  sleep 0.1
done
display=$(head -n 1 "$scratch/display")
# The display must answer an X client's greeting before the window is started on it.
for attempt in $(seq 300); do
  /usr/bin/python3 - "$display" 2>/dev/null <<'PY' && break
import socket, struct, sys
s = socket.socket(socket.AF_UNIX)
s.settimeout(5)
s.connect(f"/tmp/.X11-unix/X{sys.argv[1]}")
s.sendall(struct.pack("<cxHHHHxx", b"l", 11, 0, 0, 0))
sys.exit(0 if s.recv(1) == b"\x01" else 1)
PY
  [ "$attempt" -lt 300 ] || gave_up "display :$display never answered"
  kill -0 $xvfb 2>/dev/null || gave_up "Xvfb stopped"
  sleep 0.1
done
DISPLAY=:$display
# Settings of its own: what a user's window remembers (its size, its speed) stays out of the test.
XDG_CONFIG_HOME=$scratch/config
export DISPLAY XDG_CONFIG_HOME
unset QT_QPA_PLATFORM
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap "kill $launcher 2>/dev/null" EXIT
  /usr/bin/python3 "$0/desktop_test.py" "$1"
' "$here" "$program" || gave_up "the test failed"
