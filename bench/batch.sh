#!/usr/bin/env bash
# Issuing the year's slips for many payers: 1 000 slips chosen, saved in one write and written to
# one PDF, against one slip issued the same way, whole processes alternating; the median time per
# slip of the batch as a share of the single slip's whole process (goal: at most 1/20). Then the
# peak resident memory of batches of 1 000 and 10 000 slips (goal: flat).
# Builds what it needs in Release (build-rel/, or BUILD=<folder>).
#   bash bench/batch.sh            RUNS=n sets the runs per measure (default 7)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-7}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "building the batch benchmark in $BUILD (Release)..." >&2
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTASSELLA_BENCH=ON -DTASSELLA_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target bench_batch >/dev/null
TOOL=$BUILD/bench/bench_batch

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for n in 1 1000 10000; do
    mkdir -p "$work/$n"
    "$TOOL" prepare "$work/$n" "$n" 2>/dev/null
done

# One whole run, in microseconds of wall time.
elapsed_us() {
    local start=${EPOCHREALTIME/./}
    "$@" >/dev/null 2>&1
    echo $((${EPOCHREALTIME/./} - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Every run must have issued its slips: a failing run would time nothing.
"$TOOL" issue "$work/1" >/dev/null 2>&1
"$TOOL" issue "$work/1000" >/dev/null 2>&1
singles=()
batches=()
for ((i = 0; i < RUNS; i++)); do
    singles+=("$(elapsed_us "$TOOL" issue "$work/1")")
    batches+=("$(elapsed_us "$TOOL" issue "$work/1000")")
done
single=$(printf '%s\n' "${singles[@]}" | median)
batch=$(printf '%s\n' "${batches[@]}" | median)
awk -v s="$single" -v b="$batch" 'BEGIN {
    share = b / 1000 / s
    printf "1000 slips issued (saved and written to one PDF): each slip %.3f of one slip issued (1/%.0f; goal 1/20); one slip %.0f ms, 1000 slips %.0f ms\n", share, 1 / share, s / 1000, b / 1000 }'

# Peak memory, the median of three runs each.
rss() {
    local runs=() i
    for ((i = 0; i < 3; i++)); do
        runs+=("$("$TOOL" issue "$work/$1" 2>/dev/null | awk '{ print $4 }')")
    done
    printf '%s\n' "${runs[@]}" | median
}
small=$(rss 1000)
large=$(rss 10000)
awk -v s="$small" -v l="$large" 'BEGIN {
    printf "batch memory: peak RSS %.1f MB at 1000 slips, %.1f MB at 10000 slips: %+.0f bytes per further slip (goal flat)\n", s / 1024, l / 1024, (l - s) * 1024 / 9000 }'
