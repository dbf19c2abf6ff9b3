#!/usr/bin/env bash
# The payer import on large files: a file of 100 000 payers (about 7 MB), one payer whose note is a
# cell of 1 MB and 500 KB whose quote never closes, each read and prepared as the import window does,
# against reading and decoding the same file (the floor); the medians of the times and the peak
# resident memory, with the growth of the memory over the file's size (goal: a small multiple).
# Then the whole import beside cat and LibreOffice, and the 100 000 payers appended to an archive,
# whose peak memory must not hold them all.
# Builds what it needs in Release (build-rel/, or BUILD=<folder>).
#   bash bench/import.sh            RUNS=n sets the runs per measure (default 7)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-7}

echo "building the import benchmark in $BUILD (Release)..." >&2
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTASSELLA_BENCH=ON -DTASSELLA_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target bench_import >/dev/null
TOOL=$BUILD/bench/bench_import

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/small" "$work/large"
"$TOOL" prepare "$work/small" 10000
"$TOOL" prepare "$work/large" 100000

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# "median ms, median peak KB" of RUNS runs of one mode on one file.
measure() {
    local times=() peaks=() i out
    for ((i = 0; i < RUNS; i++)); do
        out=$("$TOOL" "$1" "$2")
        times+=("$(awk '{ print $4 }' <<<"$out")")
        peaks+=("$(awk '{ print $6 }' <<<"$out")")
    done
    echo "$(printf '%s\n' "${times[@]}" | median) $(printf '%s\n' "${peaks[@]}" | median)"
}

compare() {
    local label=$1 file=$2 run read size
    run=$(measure run "$file")
    read=$(measure read "$file")
    size=$(stat -c %s "$file")
    awk -v l="$label" -v r="$run" -v f="$read" -v s="$size" 'BEGIN {
        split(r, a, " "); split(f, b, " ")
        printf "%s (%.1f MB): read and prepared %.0f ms, %.1fx reading it (%.0f ms); peak %.0f MB, reading it %.0f MB; %.1f bytes of memory per byte of file beyond the reader\n",
            l, s / 1048576, a[1], (b[1] > 0 ? a[1] / b[1] : 0), b[1], a[2] / 1024, b[2] / 1024, (a[2] - b[2]) * 1024 / s }'
}

compare "10000 payers" "$work/small/esecutori.csv"
compare "100000 payers" "$work/large/esecutori.csv"
compare "a cell of 1 MB" "$work/large/cella.csv"
compare "an unclosed quote in 500 KB" "$work/large/virgolette.csv"

# The whole import as the user waits for it, whole processes against two floors, alternating: cat of
# the file (the bytes read, nothing more) and LibreOffice opening it as a sheet (soffice --headless
# --convert-to, its separator and quote given as the program finds them, its own profile warmed
# first). Then the peak memory beyond that of importing a header alone, against the file's size
# (goal: within 3x).
elapsed_us() {
    local start=${EPOCHREALTIME/./}
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    echo $((${EPOCHREALTIME/./} - start))
}
whole() {
    local label=$1 file=$2 i
    local office=()
    if command -v soffice >/dev/null; then
        office=(soffice "-env:UserInstallation=file://$work/office-profile" --headless
            "--infilter=CSV:59,34,76" --convert-to csv --outdir "$work/office" "$file")
        "${office[@]}" >/dev/null 2>&1 || office=()
    fi
    "$TOOL" run "$file" >/dev/null
    local program=() cat=() lo=()
    for ((i = 0; i < RUNS; i++)); do
        cat+=("$(elapsed_us cat "$file")")
        ((${#office[@]})) && lo+=("$(elapsed_us "${office[@]}")")
        program+=("$(elapsed_us "$TOOL" run "$file")")
    done
    local p c text peak bare
    p=$(printf '%s\n' "${program[@]}" | median)
    c=$(printf '%s\n' "${cat[@]}" | median)
    text=$(awk -v p="$p" -v c="$c" 'BEGIN { printf "%.0f ms, %.1fx cat (%.1f ms)", p / 1000, p / c, c / 1000 }')
    if ((${#lo[@]})); then
        local l
        l=$(printf '%s\n' "${lo[@]}" | median)
        text+=$(awk -v p="$p" -v l="$l" 'BEGIN { printf ", %.2fx LibreOffice opening it (%.0f ms) (goal 2x)", p / l, l / 1000 }')
    else
        text+=", LibreOffice floor skipped: no soffice installed"
    fi
    peak=$("$TOOL" run "$file" | awk '{ print $6 }')
    bare=$("$TOOL" run "$work/header.csv" | awk '{ print $6 }')
    echo "$label, whole process: $text; $(awk -v k="$peak" -v b="$bare" -v s="$(stat -c %s "$file")" \
        'BEGIN { printf "peak %.0f MB, %.1f MB above an import of a header alone: %.1fx the file (goal 3x)", k / 1024, (k - b) / 1024, (k - b) * 1024 / s }')"
}
head -1 "$work/large/esecutori.csv" >"$work/header.csv"
whole "payer import, 100000 rows" "$work/large/esecutori.csv"
whole "payer import, a cell of 1 MB" "$work/large/cella.csv"

# The append of every payer: peak memory at 10 000 and at 100 000 (goal: about the same growth as
# the preview's, the records never held together).
for n in small large; do
    mkdir -p "$work/$n-archive"
    out=$("$TOOL" save "$work/$n/esecutori.csv" "$work/$n-archive")
    awk -v o="$out" 'BEGIN { split(o, a, " "); printf "%s payers imported into the archive: %.0f ms, peak %.0f MB\n", a[2], a[4], a[6] / 1024 }'
done
