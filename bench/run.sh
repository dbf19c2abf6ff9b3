#!/usr/bin/env bash
# Every benchmark in one run: each measure runs whole processes side by side with its floor (the
# same work done by the simplest program there is), alternating, and prints the ratio of the
# medians. Builds what it needs in Release (build-rel/) and generates the large archives once.
#   bash bench/run.sh            RUNS=n sets the runs per measure (default 7)
# Adding a measure is one line at the end of this file.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-7}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "building the benchmarks in $BUILD (Release)..." >&2
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTASSELLA_BENCH=ON -DTASSELLA_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target bench_startup bench_lists bench_listgen bench_summary bench_export bench_sheet >/dev/null
B=$BUILD/bench

# A year of a busy office: 100 000 slips (244 MB) and 100 000 payers (268 MB), made once.
DATA=$B/data
EMPTY=$B/data-empty
if [[ ! -f $DATA/.complete ]]; then
    echo "generating the archives in $DATA..." >&2
    "$B/bench_listgen" "$DATA" 100000 100000
    touch "$DATA/.complete"
fi
mkdir -p "$EMPTY"

# One whole run of a command, in microseconds of wall time.
elapsed_us() {
    local start=${EPOCHREALTIME/./}
    eval "$1" >/dev/null 2>&1
    echo $((${EPOCHREALTIME/./} - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

goal_text() { [[ -n $1 ]] && echo " (goal ${1}x)" || true; }

# time_measure "label" "floor name" goal "floor command" "program command"
time_measure() {
    local label=$1 floor_name=$2 goal=$3 floor=$4 program=$5 floors=() programs=() i
    eval "$floor" >/dev/null 2>&1 || true # warm the page cache and the libraries
    eval "$program" >/dev/null 2>&1 || true
    for ((i = 0; i < RUNS; i++)); do
        floors+=("$(elapsed_us "$floor")")
        programs+=("$(elapsed_us "$program")")
    done
    local f p
    f=$(printf '%s\n' "${floors[@]}" | median)
    p=$(printf '%s\n' "${programs[@]}" | median)
    awk -v l="$label" -v p="$p" -v f="$f" -v n="$floor_name" -v g="$(goal_text "$goal")" \
        'BEGIN { printf "%s: %.1fx %s%s\n", l, p / f, n, g }'
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

time_measure "start-up, 25 windows and the login" "a bare Qt window" "" "$B/bench_startup bare" "$B/bench_startup tassella"
# Each list against cat, and against a bare Qt window that reads the same file through: a process
# of any Qt window costs about twice cat's whole run before it reads a byte.
list_measure() {
    local label=$1 file=$2
    shift 2
    time_measure "$label" cat 3 "cat $file" "$*"
    time_measure "$label" "a bare Qt window reading the file" 3 "$B/bench_startup bare $file" "$*"
}
list_measure "unpaid list, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA unpaid"
list_measure "expired list, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA expired"
list_measure "slip search, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA slipsearch rossi"
list_measure "slip search, all 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA slipsearch"
list_measure "payer search, 100000 payers" "$DATA/Esecutori.pro" "$B/bench_lists $DATA payersearch rossi"
list_measure "summary window, 100000 slips" "$DATA/2024.bol" "$B/bench_lists $DATA summary"
list_measure "summary window, 100000 slips, name filter" "$DATA/2024.bol" "$B/bench_lists $DATA summary rossi"
memory_measure "unpaid list memory" 3 "$B/bench_lists $DATA unpaid" "$B/bench_lists $EMPTY unpaid"
memory_measure "slip search memory, 100000 lines" 3 "$B/bench_lists $DATA slipsearch" "$B/bench_lists $EMPTY slipsearch"
memory_measure "payer search memory, 100000 lines" 3 "$B/bench_lists $DATA payersearch" "$B/bench_lists $EMPTY payersearch"
memory_measure "summary window memory, 100000 lines" 3 "$B/bench_lists $DATA summary" "$B/bench_lists $EMPTY summary"

# The summary's own work without any window, the export and the information sheet print their own lines.
BUILD=$BUILD RUNS=$RUNS bash bench/summary.sh
TASSELLA_BUILD=$BUILD bash bench/export.sh
BUILD=$BUILD bash bench/sheet.sh
BUILD=$BUILD RUNS=$RUNS bash bench/batch.sh
