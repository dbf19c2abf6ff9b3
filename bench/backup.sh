#!/usr/bin/env bash
# Backup, restore and the archive check of a busy office's folder: a year of 100 000 slips, 100 000
# payers (bench_listgen's archives, those of bench/run.sh), the settings and password files and 200
# attachments (about 40 MB, most as incompressible as scans). Whole processes, each beside its floor,
# alternating, medians compared; whatever a run leaves is cleared between runs, outside the clock.
#   backup (written, read back and compared, renamed)  against zip -r of the same files, then unzip -t
#   restore (the backup read when chosen, then unpacked,
#     read back and moved into place)                  against unzip of the backup into a new folder
#   archive check                                      against cat of the archives
# The backup and the restore write each file to the disk before they count it done; a second floor
# does the same (the ZIP, or the files unpacked, synced), to tell that cost from the rest.
# Builds what it needs in Release (build-rel/, or BUILD=<folder>).
#   bash bench/backup.sh            RUNS=n sets the runs per measure (default 7)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build-rel}
RUNS=${RUNS:-7}
ATTACHMENTS=${ATTACHMENTS:-200}

echo "building the backup benchmark in $BUILD (Release)..." >&2
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTASSELLA_BENCH=ON -DTASSELLA_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD" -j2 --target bench_backup bench_listgen bench_files >/dev/null
B=$(realpath "$BUILD")/bench
TOOL=$B/bench_backup

# The program folder, made once: bench/run.sh's archives linked in (copied where links cannot be).
DATA=$B/data
FOLDER=$B/data-backup
if [[ ! -f $DATA/.complete ]]; then
    echo "generating the archives in $DATA..." >&2
    "$B/bench_listgen" "$DATA" 100000 100000
    touch "$DATA/.complete"
fi
if [[ ! -f $FOLDER/.complete ]]; then
    rm -rf "$FOLDER"
    mkdir -p "$FOLDER"
    for f in 2024.bol Esecutori.pro; do ln "$DATA/$f" "$FOLDER/$f" 2>/dev/null || cp "$DATA/$f" "$FOLDER/$f"; done
    "$TOOL" prepare "$FOLDER" "$ATTACHMENTS"
    touch "$FOLDER/.complete"
fi
work=$(mktemp -d "$B/backup-work.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/target"
MEMBERS=(2024.bol Esecutori.pro Tassella.ini unins000.dll Documenti_Allegati)
ARCHIVES=("$FOLDER/2024.bol" "$FOLDER/Esecutori.pro")

elapsed_us() {
    local start=${EPOCHREALTIME/./}
    eval "$1" >/dev/null 2>&1 || { echo "failed: $1" >&2; exit 1; }
    echo $((${EPOCHREALTIME/./} - start))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
peak_mb() { /usr/bin/time -f "peak_kb %M" bash -c "$1" 2>&1 >/dev/null | awk '$1 == "peak_kb" { printf "%.0f", $2 / 1024 }'; }

# Every file of the folder written out and dropped from the page cache, then read once: the state
# of files read back after a reboot, as in bench/run.sh.
rm -rf "$FOLDER"/Prima\ del\ ripristino\ * # left by a run cut short
mapfile -t FILES < <(find "$FOLDER" -type f ! -name '.complete' ! -name '*.lock')
"$B/bench_files" evict "${FILES[@]}"
cat "${FILES[@]}" >/dev/null

# measure "label" goal "clear" "program" "floor name" "floor" [more floors...]: clear runs before
# every timed command, outside the clock; prints the program's median and its ratio to each floor's.
measure() {
    local label=$1 goal=$2 clear=$3 program=$4 i k
    shift 4
    local names=() commands=()
    while (($#)); do
        names+=("$1")
        commands+=("$2")
        shift 2
    done
    local programs=() floors=()
    for ((i = 0; i < RUNS; i++)); do
        for k in "${!commands[@]}"; do
            eval "$clear"
            floors+=("$k $(elapsed_us "${commands[$k]}")")
        done
        eval "$clear"
        programs+=("$(elapsed_us "$program")")
    done
    local p text
    p=$(printf '%s\n' "${programs[@]}" | median)
    text=$(awk -v p="$p" 'BEGIN { printf "%.0f ms", p / 1000 }')
    for k in "${!commands[@]}"; do
        local f
        f=$(printf '%s\n' "${floors[@]}" | awk -v k="$k" '$1 == k { print $2 }' | median)
        text+=$(awk -v p="$p" -v f="$f" -v n="${names[$k]}" 'BEGIN { printf ", %.1fx %s (%.0f ms)", p / f, n, f / 1000 }')
        ((k == 0)) && text+=" (goal ${goal}x)"
    done
    eval "$clear"
    local peak
    peak=$(peak_mb "$program")
    eval "$clear"
    echo "$label: $text; peak $peak MB"
}

size_mb() { du -sm "$@" | awk '{ s += $1 } END { print s }'; }
echo "the folder: $(size_mb "$FOLDER") MB in ${#FILES[@]} files, $ATTACHMENTS attachments"

# The floor's ZIP is made anew each time: zip -r would otherwise update the one left.
FLOOR_ZIP=$work/floor.zip
zip_floor="rm -f $FLOOR_ZIP; (cd $FOLDER && zip -q -r $FLOOR_ZIP ${MEMBERS[*]}) && unzip -tq $FLOOR_ZIP"
zip_synced="rm -f $FLOOR_ZIP; (cd $FOLDER && zip -q -r $FLOOR_ZIP ${MEMBERS[*]}) && sync $FLOOR_ZIP && unzip -tq $FLOOR_ZIP"
measure "backup, verified" 2 ":" "$TOOL backup $FOLDER $work/target" \
    "zip -r then unzip -t" "$zip_floor" "the same with the ZIP synced" "$zip_synced"
ZIP=$(ls "$work/target"/Tassella-backup-*.zip)
echo "the backup: $(size_mb "$ZIP") MB; zip -r's: $(size_mb "$FLOOR_ZIP") MB"

# Restoring moves the folder's files aside into "Prima del ripristino ...": cleared between runs.
UNZIPPED=$work/unzipped
clear_restore="rm -rf '$FOLDER'/Prima\\ del\\ ripristino\\ * $UNZIPPED"
unzip_synced="unzip -q $ZIP -d $UNZIPPED && find $UNZIPPED -type f -exec sync {} +"
measure "restore, read when chosen, then restored" 2 "$clear_restore" "$TOOL restore $ZIP $FOLDER" \
    "unzip" "unzip -q $ZIP -d $UNZIPPED" "unzip with its files synced" "$unzip_synced"

measure "archive check, 100000 slips and 100000 payers" 2 ":" "$TOOL check $FOLDER" \
    "cat of the archives" "cat ${ARCHIVES[*]}"
