#!/usr/bin/env bash
# The yearly slip export on a 100 000-slip archive, whole process, against cat reading the archive
# and writing the bytes of the exported file. Runs alternate, so both see the same machine load;
# the medians are compared. Also prints the memory the filled grid adds against its texts.
# Needs a Release build with -DTASSELLA_BENCH=ON in build-rel/ (or TASSELLA_BUILD=<dir>).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
bench=${TASSELLA_BUILD:-build-rel}/bench/bench_export
slips=${SLIPS:-100000}
runs=${RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
archive=$work/2025.bol
exported=$work/Riepilogo_Annuale_Versamenti.xls

"$bench" generate "$archive" "$slips"
# A first run of each warms the page cache and gives the file cat copies.
"$bench" run "$archive" 2>"$work/memory.txt"
cat "$archive" >/dev/null

now() { date +%s%N; }
export_times=()
cat_times=()
for _ in $(seq "$runs"); do
    start=$(now)
    "$bench" run "$archive" 2>/dev/null
    export_times+=($(($(now) - start)))
    start=$(now)
    cat "$archive" >/dev/null
    cat "$exported" >"$work/copy.xls"
    cat_times+=($(($(now) - start)))
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
export_ns=$(median "${export_times[@]}")
cat_ns=$(median "${cat_times[@]}")
awk -v e="$export_ns" -v c="$cat_ns" -v n="$slips" \
    'BEGIN { printf "slip export, %d slips: %.1fx cat (goal 3x)  [export %.0f ms, cat %.0f ms]\n", n, e / c, e / 1e6, c / 1e6 }'
grep -o 'the filled grid added.*' "$work/memory.txt" | sed 's/^/slip export grid memory: /; s/$/ (goal under 3x)/'
