#!/usr/bin/env bash
# Runs desktop_test.py against the window SWITCHSIM on a virtual display of
# its own (Xvfb picks a free one), with a session bus of its own and the
# accessibility bus on it. Usage: run_desktop_test.sh SWITCHSIM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 600); do
  [ -s "$scratch/display" ] && break
  kill -0 $xvfb 2>/dev/null || { echo "run_desktop_test: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$scratch/display")
export DISPLAY
unset QT_QPA_PLATFORM
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap "kill $launcher 2>/dev/null" EXIT
  /usr/bin/python3 "$0/desktop_test.py" "$1"
' "$here" "$program"
