#!/usr/bin/env bash
# The system install (component "system", what the Debian package holds) into a temporary prefix:
# the layout of a package, and the installed program taking the user's remembered data folder,
# copying the initial password file there and waiting at the login.
# Usage: install_system.sh <build folder> <source folder>
set -euo pipefail
build="$1" source="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }
temporary="$(mktemp -d)"
trap 'rm -rf "$temporary"' EXIT
prefix="$temporary/usr"

cmake --install "$build" --component system --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/tassella" ] || fail "no bin/tassella"
cmp "$source/data/unins000.dll" "$prefix/share/tassella/unins000.dll" || fail "initial password file differs"
[ "$(head -c 5 "$prefix/share/tassella/Guida.pdf")" = "%PDF-" ] || fail "no guide"
[ ! -e "$prefix/unins000.dll" ] && [ ! -e "$prefix/Tassella" ] || fail "program folder files in the system install"
entry="$prefix/share/applications/tassella.desktop"
[ -z "$(desktop-file-validate "$entry" 2>&1)" ] || fail "menu entry: $(desktop-file-validate "$entry" 2>&1)"
grep -qx "Exec=tassella" "$entry" || fail "menu entry starts $(grep Exec "$entry")"
[ -f "$prefix/share/icons/hicolor/48x48/apps/tassella.png" ] && [ -f "$prefix/share/icons/hicolor/scalable/apps/tassella.svg" ] \
    || fail "no icons"
for page in man/man1 man/it/man1; do
    [ "$(gzip -dc "$prefix/share/$page/tassella.1.gz" | head -c 12)" = ".TH TASSELLA" ] || fail "no manual page in $page"
done
gzip -dc "$prefix/share/doc/tassella/changelog.gz" | head -1 | grep -q "^tassella ($(sed -n 's/^project(Tassella VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt"))" \
    || fail "change log does not name this version"
grep -q "^Copyright: " "$prefix/share/doc/tassella/copyright" || fail "no copyright file"

# A user whose data folder is remembered (on a shared drive): the program starts there and waits at
# the login, with the initial password file copied in.
export HOME="$temporary/home"
unset XDG_CONFIG_HOME
folder="$temporary/mnt/Unità condivisa/Tassella"
mkdir -p "$HOME/.config/Tassella" "$folder"
printf '[Tassella]\nCartella=%s\n' "$folder" >"$HOME/.config/Tassella/Tassella.conf"
set +e
QT_QPA_PLATFORM=offscreen timeout 4 "$prefix/bin/tassella" >"$temporary/out" 2>&1
code=$?
set -e
[ "$code" -eq 124 ] || { cat "$temporary/out" >&2; fail "the installed program ended with code $code"; }
cmp "$source/data/unins000.dll" "$folder/unins000.dll" || fail "no password file copied into the data folder"
[ "$(ls -A "$prefix/bin")" = "tassella" ] || fail "files written beside the executable"
echo "system install laid out as a package, program working in the user's folder"
