#!/usr/bin/env bash
# Start-up as the user sees it: from the process start to the login window's first complete paint,
# under an X server (Xvfb with the openbox window manager, started here on a free display), against
# a bare Qt window painted under the same server. The two run alternately; the line printed gives
# the medians and their ratio.
#   bash bench/startup.sh     RUNS=n sets the runs of each (default 21); BUILD the build folder
# Needs a Release build with -DTASSELLA_BENCH=ON (bench/run.sh makes one in build-rel/), Xvfb and
# openbox (Debian packages xvfb, openbox).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-21}
BIN=$BUILD/bench/bench_startup
[[ -x $BIN ]] || {
    echo "no $BIN: build the target bench_startup with -DTASSELLA_BENCH=ON first" >&2
    exit 1
}

display=99
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=
trap 'kill $wm $xvfb 2>/dev/null || true; rm -f /tmp/bench_startup.$$.err' EXIT
for _ in $(seq 100); do
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.05
done
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
wm=$!
# The window manager takes the screen before the first window maps.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run: the milliseconds the process prints, counted from just before it starts. A run that
# fails (its window never painted) stops the measure with the run's own messages.
run() {
    local out
    if ! out=$("$BIN" "$1" "${EPOCHREALTIME/./}" 2>/tmp/bench_startup.$$.err); then
        echo "bench_startup $1 failed:" >&2
        cat /tmp/bench_startup.$$.err >&2
        exit 1
    fi
    echo "$out"
}

bare=() tassella=()
run painted-bare >/dev/null # the libraries into the page cache
run painted-tassella >/dev/null
for ((i = 0; i < RUNS; i++)); do
    bare+=("$(run painted-bare)")
    tassella+=("$(run painted-tassella)")
done
b=$(printf '%s\n' "${bare[@]}" | median)
t=$(printf '%s\n' "${tassella[@]}" | median)
load=$(cut -d' ' -f1-3 /proc/loadavg)
awk -v b="$b" -v t="$t" -v n="$RUNS" -v l="$load" 'BEGIN {
    printf "start-up to the login painted, under X: %.2fx a bare window (%.1f ms against %.1f ms, medians of %d; load %s) (goal 1.3x)\n",
        t / b, t, b, n, l }'
