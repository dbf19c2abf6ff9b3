#!/usr/bin/env bash
# cmake --install into a temporary prefix gives a working program folder with its menu entry.
# Usage: install_tree.sh <build folder> <source folder> <tassella_foldercheck>
set -euo pipefail
build="$1" source="$2" check="$3"
fail() { echo "FAIL: $*" >&2; exit 1; }
temporary="$(mktemp -d)"
trap 'rm -rf "$temporary"' EXIT
prefix="$temporary/Unità condivisa/Tassella" # a blank and a letter outside ASCII, as real folders have

cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/Tassella" ] || fail "no executable"
# The system install's files come only when asked for by name.
[ ! -e "$prefix/bin" ] && [ ! -e "$prefix/share/tassella" ] && [ ! -e "$prefix/share/man" ] || fail "system install files in a program folder"
cmp "$source/data/unins000.dll" "$prefix/unins000.dll" || fail "initial password file differs"
"$check" "$prefix" || fail "the program folder does not work"
pages="$(pdfinfo "$prefix/Guida.pdf" | awk '/^Pages:/ {print $2}')"
[ "${pages:-0}" -ge 5 ] || fail "guide has ${pages:-no} pages"
# Every picture line of the guide's source is a picture in the PDF, its caption under it.
wanted="$(grep -c '^!\[' "$source/docs/Guida.md")"
images="$(pdfimages -list "$prefix/Guida.pdf" | awk '$3 == "image"' | wc -l)"
[ "$wanted" -ge 15 ] && [ "$images" -eq "$wanted" ] || fail "guide has $images pictures, its source $wanted"
text="$(pdftotext "$prefix/Guida.pdf" -)"
grep -q "Un bollettino compilato" <<<"$text" || fail "no caption under the pictures"

# The program starts from there and waits at the login (still running when the time is up).
set +e
QT_QPA_PLATFORM=offscreen timeout 4 "$prefix/Tassella" >"$temporary/out" 2>&1
code=$?
set -e
[ "$code" -eq 124 ] || { cat "$temporary/out" >&2; fail "the installed program ended with code $code"; }

entry="$prefix/share/applications/tassella.desktop"
desktop-file-validate "$entry" || fail "desktop entry is not valid"
[ -z "$(desktop-file-validate "$entry")" ] || fail "desktop entry has hints: $(desktop-file-validate "$entry")"
grep -qxF "Exec=\"$prefix/Tassella\"" "$entry" || fail "Exec does not name the installed program: $(grep Exec "$entry")"
grep -qx "Categories=Office;.*" "$entry" || fail "not in the Office category"
grep -qx "Icon=tassella" "$entry" || fail "no icon"
cmp "$source/src/windows/resources/art/icona.svg" "$prefix/share/icons/hicolor/scalable/apps/tassella.svg"
for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/tassella.png"
    [ -f "$png" ] || fail "no $size px icon"
    # PNG width and height, big-endian at bytes 16 and 20.
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$size px icon is ${w}x$h"
done

# A second install over a folder in use keeps the password the user has set.
printf '[Accesso]\r\nValore=00\r\n' >"$prefix/unins000.dll"
cp "$prefix/unins000.dll" "$temporary/password"
cmake --install "$build" --prefix "$prefix" >/dev/null
cmp "$temporary/password" "$prefix/unins000.dll" || fail "reinstall replaced the password file"
echo "program folder installed and working"
