#!/usr/bin/env bash
# "Crea PDF" of one payer information sheet against the simplest Qt program writing the same page
# (title, 24 rows, footer) with QPdfWriter: whole processes, alternating, medians compared.
# Needs a Release build with -DTASSELLA_BENCH=ON in build-rel/ (or BUILD=<folder>).
#   RUNS=n sets the runs (default 11)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
build=${BUILD:-build-rel}
runs=${RUNS:-11}
goal=1.2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_sheet" prepare "$work"

tassella=("$build/bench/bench_sheet" run "$work")
plain=("$build/bench/bench_sheet" plain "$work")
elapsed_us() {
    local start=${EPOCHREALTIME/./}
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    echo $((${EPOCHREALTIME/./} - start))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
"${tassella[@]}" >/dev/null 2>&1 # fonts and libraries warm for both
"${plain[@]}" >/dev/null 2>&1
t=() p=()
for ((i = 0; i < runs; i++)); do
    t+=("$(elapsed_us "${tassella[@]}")")
    p+=("$(elapsed_us "${plain[@]}")")
done
test -s "$work/Esecutore.pdf" && test -s "$work/plain.pdf"
tm=$(printf '%s\n' "${t[@]}" | median)
pm=$(printf '%s\n' "${p[@]}" | median)
awk -v t="$tm" -v p="$pm" -v g="$goal" \
    'BEGIN { printf "payer sheet PDF: %.2fx a plain Qt program writing the page with QPdfWriter (goal %sx)  [%.0f ms, floor %.0f ms]\n", t / p, g, t / 1000, p / 1000 }'
