#!/usr/bin/env bash
# Runs desktop_test.py against the window SWITCHSIM under a virtual display,
# with a session bus of its own and the accessibility bus on it.
# Usage: run_desktop_test.sh SWITCHSIM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap "kill $launcher 2>/dev/null" EXIT
  unset QT_QPA_PLATFORM
  /usr/bin/python3 "$0/desktop_test.py" "$1"
' "$here" "$program"
