#!/usr/bin/env bash
# Reminder letters for the unpaid slips of a 100 000-slip year that fall due within 30 days or are
# expired, all written as PDF: the time per letter against one payer information sheet's PDF
# (goal: at most 1.5x), then the peak resident memory with 200 letters and with all of them (goal:
# flat). Builds what it needs in Release (build-rel/, or BUILD=<folder>).
#   bash bench/remind.sh            RUNS=n sets the runs per measure (default 5)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-5}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "building the reminder benchmark in $BUILD (Release)..." >&2
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTASSELLA_BENCH=ON -DTASSELLA_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target bench_remind bench_listgen >/dev/null
TOOL=$BUILD/bench/bench_remind
DATA=$BUILD/bench/data
if [[ ! -f $DATA/.complete ]]; then
    echo "generating the archives in $DATA..." >&2
    "$BUILD/bench/bench_listgen" "$DATA" 100000 100000
    touch "$DATA/.complete"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$DATA/2024.bol" "$DATA/Esecutori.pro" "$work/"
DAY=15/01/2024 # the generated year's slips fall due all year round

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
letters=() sheets=() line=""
for ((i = 0; i < RUNS; i++)); do
    line=$("$TOOL" letters "$work" "$DAY")
    letters+=("$(awk '{ print $6 / $2 }' <<<"$line")")
    sheets+=("$("$TOOL" sheet "$work" | awk '{ print $3 }')")
done
per=$(printf '%s\n' "${letters[@]}" | median)
one=$(printf '%s\n' "${sheets[@]}" | median)
awk -v p="$per" -v s="$one" -v l="$line" 'BEGIN { split(l, f, " ");
    printf "reminders of %d payers (%d slips) in one PDF: each letter %.2fx one information sheet PDF (goal 1.5x)  [%.2f ms, sheet %.2f ms]\n", f[2], f[4], p / s, p, s }'

rss() {
    local runs=() i
    for ((i = 0; i < 3; i++)); do
        runs+=("$("$TOOL" letters "$work" "$DAY" "$@" | awk '{ print $8 }')")
    done
    printf '%s\n' "${runs[@]}" | median
}
small=$(rss 200)
large=$(rss)
awk -v s="$small" -v l="$large" -v n="$(awk '{ print $2 }' <<<"$line")" 'BEGIN {
    printf "reminder memory: peak RSS %.1f MB at 200 letters, %.1f MB at %d letters: %+.0f bytes per further letter (goal flat)\n", s / 1024, l / 1024, n, (l - s) * 1024 / (n - 200) }'
