#!/usr/bin/env bash
# The user install (scripts/install.sh) and its way back (scripts/uninstall.sh) with HOME in a
# temporary folder: run twice it keeps archives, password and margins byte for byte; the uninstall
# removes program, menu entry and icon and leaves the user's files where they are.
# Usage: install_user.sh <build folder> <source folder>
set -euo pipefail
build="$1" source="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }
temporary="$(mktemp -d)"
trap 'rm -rf "$temporary"' EXIT
export HOME="$temporary/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
export TASSELLA_INSTALL_FROM="$build"
menu="$HOME/.local/share/applications/tassella.desktop"
icon="$HOME/.local/share/icons/hicolor/48x48/apps/tassella.png"

for folder in "" "$temporary/mnt/Unità condivisa/Tassella"; do
    bash "$source/scripts/install.sh" ${folder:+"$folder"} >"$temporary/log" || { cat "$temporary/log"; fail "install"; }
    folder="${folder:-$HOME/Tassella}"
    grep -qxF "First access password: TASSELLA" "$temporary/log" || fail "a new install does not give the first password"
    [ -x "$folder/Tassella" ] && [ -f "$folder/Guida.pdf" ] && [ -f "$folder/unins000.dll" ] || fail "program folder incomplete"
    desktop-file-validate "$menu" || fail "menu entry not valid"
    grep -qxF "Exec=\"$folder/Tassella\"" "$menu" || fail "menu entry starts $(grep Exec "$menu")"
    [ -f "$icon" ] && [ -f "$HOME/.local/share/icons/hicolor/scalable/apps/tassella.svg" ] || fail "no icon"

    # The user's files, as the program writes them.
    head -c 4886 /dev/urandom >"$folder/2025.bol"
    head -c 2685 /dev/urandom >"$folder/Esecutori.pro"
    printf '[Accesso]\r\nValore=0A1B2C\r\n' >"$folder/unins000.dll"
    printf '[Margini Stampa]\r\nSuperiore=12\r\nSinistro=-3\r\n' >"$folder/Tassella.ini"
    mkdir -p "$folder/Documenti_Allegati/Esecutori/1"
    echo allegato >"$folder/Documenti_Allegati/Esecutori/1/contratto.txt"
    mkdir -p "$temporary/before"
    for name in 2025.bol Esecutori.pro unins000.dll Tassella.ini; do cp "$folder/$name" "$temporary/before/"; done

    bash "$source/scripts/install.sh" "$folder" >"$temporary/log" || { cat "$temporary/log"; fail "second install"; }
    # The password was changed: the first one is not the user's any more.
    ! grep -q "TASSELLA" "$temporary/log" || fail "the reinstall still gives the first access password"
    for name in 2025.bol Esecutori.pro unins000.dll Tassella.ini; do
        cmp "$temporary/before/$name" "$folder/$name" || fail "reinstall changed $name"
    done

    bash "$source/scripts/uninstall.sh" "$folder" >"$temporary/log" || { cat "$temporary/log"; fail "uninstall"; }
    [ ! -e "$folder/Tassella" ] && [ ! -e "$folder/Guida.pdf" ] && [ ! -e "$folder/share" ] || fail "program left behind"
    [ ! -e "$menu" ] && [ ! -e "$icon" ] || fail "menu entry or icon left behind"
    for name in 2025.bol Esecutori.pro unins000.dll Tassella.ini; do
        cmp "$temporary/before/$name" "$folder/$name" || fail "uninstall changed $name"
    done
    [ -f "$folder/Documenti_Allegati/Esecutori/1/contratto.txt" ] || fail "uninstall removed attachments"
    grep -q "Your data stays in $folder" "$temporary/log" || fail "uninstall does not say where the data stays"
    rm -rf "$temporary/before"
done

# A folder with nothing of the user's is removed whole.
bash "$source/scripts/install.sh" "$temporary/empty" >/dev/null
rm "$temporary/empty/unins000.dll"
bash "$source/scripts/uninstall.sh" "$temporary/empty" >/dev/null
[ ! -e "$temporary/empty" ] || fail "empty program folder left behind: $(ls -A "$temporary/empty")"
echo "user install, reinstall and uninstall keep the user's files"
