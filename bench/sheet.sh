#!/usr/bin/env bash
# "Crea PDF" of one payer information sheet against LibreOffice Calc turning the same 24 rows into
# a one-page PDF, whole processes side by side in one hyperfine run.
# Needs a Release build with -DTASSELLA_BENCH=ON in build-rel/ (or BUILD=<folder>), hyperfine and
# LibreOffice Calc (Debian packages hyperfine, libreoffice-calc-nogui).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
build=${BUILD:-build-rel}
goal=20

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tassella" "$work/office/out"
"$build/bench/bench_sheet" prepare "$work/tassella"
cp "$work/tassella/sheet.csv" "$work/office/sheet.csv"

tassella="$build/bench/bench_sheet run $work/tassella"
office="soffice -env:UserInstallation=file://$work/office/profile --headless --convert-to pdf --outdir $work/office/out $work/office/sheet.csv"

hyperfine --warmup 2 --runs 10 -N --export-csv "$work/times.csv" \
    --command-name tassella "$tassella" --command-name libreoffice "$office" >&2
test -s "$work/tassella/Esecutore.pdf" && test -s "$work/office/out/sheet.pdf"

# Medians: a busy machine's outliers move a mean far more than a median.
median() { awk -F, -v name="$1" '$1 == name { print $4 }' "$work/times.csv"; }
ratio=$(awk -v a="$(median libreoffice)" -v b="$(median tassella)" 'BEGIN { printf "%.0f", a / b }')
echo "payer sheet PDF: ${ratio}x faster than LibreOffice (goal ${goal}x)"
[ "$ratio" -ge "$goal" ]
