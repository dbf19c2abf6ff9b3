#!/usr/bin/env bash
# Every benchmark in one run. Builds what it needs in Release (build-rel/) and generates the large
# archives once.
#   bash bench/run.sh            RUNS=n sets the runs per measure (default 7)
#
# Cache state: every archive is written, its pages written out and dropped from the page cache
# (posix_fadvise DONTNEED, bench_files evict), then read once; every measure then reads it from a
# warm cache in that one state, the state of a file read back after a reboot.
#
# Whole-process measures run each program side by side with its floors, alternating, and print the
# ratio of the medians against cat, against a two-thread read of the same file (the program reads
# in two halves at once) and against a bare Qt window reading the file through; then the lines the
# window shows and the peak resident memory of the process.
#
# Click-to-painted measures run under Xvfb with openbox (installed with apt when missing): inside
# the running program, from the command to the first complete paint of the window it opens,
# against a floor program that on the same click reads the same file and opens one window showing
# its size.
#
# The machine's load is printed first and last: other work on the machine moves every figure.
# Adding a measure is one line at the end of this file.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-7}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
echo "load before: $(uptime | sed 's/.*load average/load average/')"

echo "building the benchmarks in $BUILD (Release)..." >&2
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTASSELLA_BENCH=ON -DTASSELLA_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target bench_startup bench_lists bench_listgen bench_summary bench_export bench_sheet \
    bench_click bench_files >/dev/null
B=$BUILD/bench

# A year of a busy office: 100 000 slips (244 MB) and 100 000 payers (268 MB); and a year of
# 1 000 000 slips (2.4 GB) for the summary's growth. Made once.
DATA=$B/data
DATA1M=$B/data-1m
EMPTY=$B/data-empty
if [[ ! -f $DATA/.complete ]]; then
    echo "generating the archives in $DATA..." >&2
    "$B/bench_listgen" "$DATA" 100000 100000
    touch "$DATA/.complete"
fi
if [[ ! -f $DATA1M/.complete ]]; then
    echo "generating the archive in $DATA1M..." >&2
    "$B/bench_listgen" "$DATA1M" 1000000 10
    touch "$DATA1M/.complete"
fi
mkdir -p "$EMPTY"
ARCHIVES=("$DATA/2024.bol" "$DATA/Esecutori.pro" "$DATA1M/2024.bol")
"$B/bench_files" evict "${ARCHIVES[@]}"
cat "${ARCHIVES[@]}" >/dev/null
echo "cache state: archives written, evicted (posix_fadvise DONTNEED), then read once"

# One whole run of a command, in microseconds of wall time.
elapsed_us() {
    local start=${EPOCHREALTIME/./}
    eval "$1" >/dev/null 2>&1
    echo $((${EPOCHREALTIME/./} - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

goal_text() { [[ -n $1 ]] && echo " (goal ${1}x)" || true; }

# "N lines, peak M MB" of one run of a command: the lines it reports showing, and the peak resident
# memory of its process.
lines_and_peak() {
    local out peak lines
    out=$(/usr/bin/time -f "peak_kb_time %M" bash -c "$1" 2>&1 || true)
    lines=$(awk '$1 == "lines" { print $2 }' <<<"$out" | tail -1)
    peak=$(awk '$1 == "peak_kb_time" { print $2 }' <<<"$out" | tail -1)
    awk -v l="${lines:--}" -v p="${peak:-0}" 'BEGIN { printf "%s lines shown, peak %.0f MB", l, p / 1024 }'
}

# time_measure "label" goal "program command" "floor name" "floor command" [more floors...]
# The goal applies to the first floor.
time_measure() {
    local label=$1 goal=$2 program=$3 i k
    shift 3
    local names=() commands=()
    while (($#)); do
        names+=("$1")
        commands+=("$2")
        shift 2
    done
    for k in "${!commands[@]}"; do eval "${commands[$k]}" >/dev/null 2>&1 || true; done
    eval "$program" >/dev/null 2>&1 || true
    local programs=() floors=()
    for ((i = 0; i < RUNS; i++)); do
        for k in "${!commands[@]}"; do floors+=("$k $(elapsed_us "${commands[$k]}")"); done
        programs+=("$(elapsed_us "$program")")
    done
    local p text
    p=$(printf '%s\n' "${programs[@]}" | median)
    text=$(awk -v p="$p" 'BEGIN { printf "%.0f ms", p / 1000 }')
    for k in "${!commands[@]}"; do
        local f
        f=$(printf '%s\n' "${floors[@]}" | awk -v k="$k" '$1 == k { print $2 }' | median)
        text+=$(awk -v p="$p" -v f="$f" -v n="${names[$k]}" 'BEGIN { printf ", %.1fx %s", p / f, n }')
        ((k == 0)) && text+=$(goal_text "$goal")
    done
    echo "$label: $text; $(lines_and_peak "$program")"
}

# memory_measure "label" goal "program on the full archive" "the same on an empty one"
# Both print "lines N text BYTES rss_kb KB" while the list is shown; the extra resident memory of
# the full list is compared with the UTF-16 size of its lines.
memory_measure() {
    local label=$1 goal=$2 full=$3 empty=$4 ratios=() i
    for ((i = 0; i < 3; i++)); do
        local f e
        f=$(eval "$full" 2>/dev/null)
        e=$(eval "$empty" 2>/dev/null)
        ratios+=("$(awk -v f="$f" -v e="$e" 'BEGIN { split(f, a, " "); split(e, b, " ");
            printf "%.3f\n", (a[6] - b[6]) * 1024 / a[4] }')")
    done
    local r
    r=$(printf '%s\n' "${ratios[@]}" | median)
    awk -v l="$label" -v r="$r" -v g="$(goal_text "$goal")" 'BEGIN { printf "%s: %.1fx text%s\n", l, r, g }'
}

# Each list against cat, the two-thread read and a bare Qt window reading the same file through.
list_measure() {
    local label=$1 file=$2
    shift 2
    time_measure "$label" 3 "$*" cat "cat $file" "two-thread read" "$B/bench_files read2 $file" \
        "bare Qt window reading the file" "$B/bench_startup bare $file"
}

# The window system for the measures the user feels: Xvfb on a free display, with openbox.
XPIDS=()
stop_x() { for pid in "${XPIDS[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap stop_x EXIT
start_x() {
    if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null; then
        echo "installing Xvfb and openbox..." >&2
        local sudo=()
        ((EUID == 0)) || sudo=(sudo)
        "${sudo[@]}" apt-get install -y xvfb openbox >/dev/null
    fi
    local n=$((100 + RANDOM % 400))
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    XPIDS+=($!)
    for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
    DISPLAY=":$n" openbox >/dev/null 2>&1 &
    XPIDS+=($!)
    sleep 1
    X_DISPLAY=":$n"
}

# click_measure "label" mode folder [maximised]: three processes of each, alternating, each the
# median of RUNS clicks; the medians of those compared.
click_measure() {
    local label=$1 mode=$2 folder=$3 placement=${4:-} programs=() floors=() lines="" peak="" i
    for ((i = 0; i < 3; i++)); do
        local f p
        f=$(DISPLAY=$X_DISPLAY QT_QPA_PLATFORM=xcb "$B/bench_click" "$folder" floor "$RUNS" $placement 2>/dev/null)
        p=$(DISPLAY=$X_DISPLAY QT_QPA_PLATFORM=xcb "$B/bench_click" "$folder" "$mode" "$RUNS" 2>/dev/null)
        floors+=("$(awk '{ print $2 }' <<<"$f")")
        programs+=("$(awk '{ print $2 }' <<<"$p")")
        lines=$(awk '{ print $4 }' <<<"$p")
        peak=$(awk '{ printf "%.0f", $6 / 1024 }' <<<"$p")
    done
    local fm pm
    fm=$(printf '%s\n' "${floors[@]}" | median)
    pm=$(printf '%s\n' "${programs[@]}" | median)
    awk -v l="$label" -v p="$pm" -v f="$fm" -v n="$lines" -v m="$peak" \
        'BEGIN { printf "%s: click to painted %.0f ms, %.1fx the floor program (%.0f ms) (goal 2x); %s lines shown, peak %s MB\n", l, p, p / f, f, n, m }'
}

time_measure "start-up, 25 windows and the login (offscreen)" "" "$B/bench_startup tassella" \
    "a bare Qt window" "$B/bench_startup bare"
list_measure "unpaid list, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA unpaid"
list_measure "expired list, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA expired"
list_measure "slip search, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA slipsearch rossi"
list_measure "slip search, all 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA slipsearch"
list_measure "payer search, 100000 payers" "$DATA/Esecutori.pro" "$B/bench_lists $DATA payersearch rossi"
list_measure "summary window, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA summary"
list_measure "summary window, 100000 slips, name filter" "$DATA/2024.bol" "$B/bench_lists $DATA summary rossi"
list_measure "summary window, 1000000 slips" "$DATA1M/2024.bol" "$B/bench_lists $DATA1M summary"

# The summary's growth: its own work, without a window, on ten times the slips (goal: linear).
summary_growth() {
    local small=() large=() i
    "$B/bench_summary" "$DATA/2024.bol" >/dev/null
    "$B/bench_summary" "$DATA1M/2024.bol" >/dev/null
    for ((i = 0; i < RUNS; i++)); do
        small+=("$(elapsed_us "$B/bench_summary $DATA/2024.bol")")
        large+=("$(elapsed_us "$B/bench_summary $DATA1M/2024.bol")")
    done
    local s l
    s=$(printf '%s\n' "${small[@]}" | median)
    l=$(printf '%s\n' "${large[@]}" | median)
    awk -v s="$s" -v l="$l" 'BEGIN { printf "summary without a window, 1000000 slips: %.0f ms, %.1fx the 100000-slip time (%.0f ms) (goal 11x)\n", l / 1000, l / s, s / 1000 }'
}
summary_growth

memory_measure "unpaid list memory" 3 "$B/bench_lists $DATA unpaid" "$B/bench_lists $EMPTY unpaid"
memory_measure "slip search memory, 100000 lines" 3 "$B/bench_lists $DATA slipsearch" "$B/bench_lists $EMPTY slipsearch"
memory_measure "payer search memory, 100000 lines" 3 "$B/bench_lists $DATA payersearch" "$B/bench_lists $EMPTY payersearch"
memory_measure "summary window memory, 100000 lines" 3 "$B/bench_lists $DATA summary" "$B/bench_lists $EMPTY summary"

start_x
click_measure "unpaid list under X, 100000 slips" unpaid "$DATA"
click_measure "summary under X, 100000 slips" summary "$DATA" maximised
click_measure "slip search under X, all 100000 slips" slipsearch "$DATA"
# Start-up to the login's first complete paint under X, on a display of its own.
BUILD="$BUILD" bash bench/startup.sh

# The summary's own work without any window, the export and the information sheet print their own lines.
BUILD=$BUILD RUNS=$RUNS bash bench/summary.sh
TASSELLA_BUILD=$BUILD bash bench/export.sh
BUILD=$BUILD bash bench/sheet.sh
BUILD=$BUILD RUNS=$RUNS bash bench/batch.sh
BUILD=$BUILD RUNS=$RUNS bash bench/import.sh
BUILD=$BUILD bash bench/remind.sh
BUILD=$BUILD RUNS=$RUNS bash bench/backup.sh
echo "load after: $(uptime | sed 's/.*load average/load average/')"
