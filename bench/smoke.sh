#!/usr/bin/env bash
# Every benchmark program run once on small data, offscreen, so that a change the benchmarks did
# not follow fails the test suite instead of the next measurement (CTest: bench_smoke).
#   bash bench/smoke.sh <build folder>
set -euo pipefail
B=$1/bench
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
step() {
    echo "== $*"
    "$@" >"$work/out.txt" 2>&1 || { cat "$work/out.txt"; echo "failed: $*" >&2; exit 1; }
}

mkdir -p "$work/data" "$work/empty" "$work/sheet" "$work/batch"
step "$B/bench_listgen" "$work/data" 2000 2000
step "$B/bench_listgen" "$work/empty" 0 0
for mode in unpaid expired "slipsearch rossi" slipsearch "payersearch rossi" summary "summary rossi"; do
    # shellcheck disable=SC2086 # the mode and its criterion are two words
    step "$B/bench_lists" "$work/data" $mode
done
step "$B/bench_summary" "$work/data/2024.bol"
step "$B/bench_remind" letters "$work/data" 15/01/2024 20
step "$B/bench_remind" sheet "$work/sheet"
step "$B/bench_files" evict "$work/data/2024.bol"
step "$B/bench_files" read2 "$work/data/2024.bol"
step "$B/bench_startup" tassella
step "$B/bench_startup" bare "$work/data/2024.bol"
step "$B/bench_sheet" prepare "$work/sheet"
step "$B/bench_sheet" run "$work/sheet"
step "$B/bench_sheet" plain "$work/sheet"
step "$B/bench_export" generate "$work/export.bol" 2000
step "$B/bench_export" run "$work/export.bol"
step "$B/bench_batch" prepare "$work/batch" 20
step "$B/bench_batch" issue "$work/batch"
mkdir -p "$work/import" "$work/import-archive"
step "$B/bench_import" prepare "$work/import" 1000
for file in esecutori cella virgolette; do
    step "$B/bench_import" run "$work/import/$file.csv"
    step "$B/bench_import" read "$work/import/$file.csv"
done
step "$B/bench_import" save "$work/import/esecutori.csv" "$work/import-archive"
# Backup, restore and check on the small folder with a few attachments; the restore puts back the
# backup's own files, then the check must find them sound.
mkdir -p "$work/backup" "$work/backups"
cp "$work/data/2024.bol" "$work/data/Esecutori.pro" "$work/backup/"
step "$B/bench_backup" prepare "$work/backup" 5
step "$B/bench_backup" backup "$work/backup" "$work/backups"
step "$B/bench_backup" restore "$(ls "$work/backups"/Tassella-backup-*.zip)" "$work/backup"
cmp "$work/data/2024.bol" "$work/backup/2024.bol"
step "$B/bench_backup" check "$work/backup"
echo "every benchmark program ran"
