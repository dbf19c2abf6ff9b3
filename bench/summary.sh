#!/usr/bin/env bash
# The payment summary over a year of 100 000 slips, as a whole process, against cat reading the
# same archive: without filters, with a name filter, and with both filters. The runs alternate
# and the medians are compared. Builds what it needs in Release (build-rel/) and shares the
# archive that bench/run.sh generates.
#   bash bench/summary.sh            RUNS=n sets the runs per measure (default 7)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-7}

echo "building the summary benchmark in $BUILD (Release)..." >&2
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTASSELLA_BENCH=ON -DTASSELLA_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target bench_summary bench_listgen >/dev/null
B=$BUILD/bench

DATA=$B/data
if [[ ! -f $DATA/.complete ]]; then
    echo "generating the archives in $DATA..." >&2
    "$B/bench_listgen" "$DATA" 100000 100000
    touch "$DATA/.complete"
fi
ARCHIVE=$DATA/2024.bol

# One whole run, in microseconds of wall time.
elapsed_us() {
    local start=${EPOCHREALTIME/./}
    "$@" >/dev/null 2>&1
    echo $((${EPOCHREALTIME/./} - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# measure "label" summary arguments...
measure() {
    local label=$1 floors=() programs=() i
    shift
    cat "$ARCHIVE" >/dev/null # the page cache holds the archive for both
    "$B/bench_summary" "$@" >/dev/null
    for ((i = 0; i < RUNS; i++)); do
        floors+=("$(elapsed_us cat "$ARCHIVE")")
        programs+=("$(elapsed_us "$B/bench_summary" "$@")")
    done
    local f p
    f=$(printf '%s\n' "${floors[@]}" | median)
    p=$(printf '%s\n' "${programs[@]}" | median)
    awk -v l="$label" -v p="$p" -v f="$f" 'BEGIN { printf "%s: %.1fx cat (goal 3x)\n", l, p / f }'
}

measure "summary without a window, 100000 slips" "$ARCHIVE"
measure "summary without a window, 100000 slips, name filter" "$ARCHIVE" rossi
measure "summary without a window, 100000 slips, name and tax code filters" "$ARCHIVE" rossi rss
