#!/usr/bin/env bash
# Starts the real program in its own X server, window manager and session bus with the desktop's
# accessibility bus, and lets atspi_walk.py read it as a screen reader would.
#   atspi.sh <path of the Tassella executable>
set -euo pipefail
program=$1
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# A program folder of its own: the executable and the initial password file beside it.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/Tassella"
cp "$(dirname "$program")/unins000.dll" "$folder/"

display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$folder"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
unset QT_QPA_PLATFORM
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export XDG_RUNTIME_DIR=$folder/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

dbus-run-session -- bash -c '
    openbox >/dev/null 2>&1 &
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 1
    "$0/Tassella" >"$0/program.log" 2>&1 &
    app=$!
    status=0
    /usr/bin/python3 "$1/atspi_walk.py" || status=$?
    kill $app 2>/dev/null || true
    exit $status
' "$folder" "$here"
