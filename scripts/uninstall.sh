#!/usr/bin/env bash
# Removes what scripts/install.sh put in place: the program files in FOLDER (default ~/Tassella),
# the menu entry and the icon. The user's data stays where it is: archives (*.bol, Esecutori.pro),
# password (unins000.dll), settings (Tassella.ini), attachments (Documenti_Allegati) and exports.
# Usage: bash scripts/uninstall.sh [FOLDER]
set -euo pipefail

folder="${1:-$HOME/Tassella}"
data="${XDG_DATA_HOME:-$HOME/.local/share}"

rm -f "$data/applications/tassella.desktop"
if [ -d "$data/icons/hicolor" ]; then
    find "$data/icons/hicolor" -path '*/apps/tassella.*' -type f -delete
    find "$data/icons/hicolor" -mindepth 1 -depth -type d -empty -delete
fi
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" 2>/dev/null || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data/icons/hicolor" 2>/dev/null || true

if [ ! -d "$folder" ]; then
    echo "Menu entry removed. There is no folder $folder: nothing else to remove."
    exit 0
fi
folder="$(cd "$folder" && pwd)"
rm -f "$folder/Tassella" "$folder/Guida.pdf"
rm -f "$folder/share/applications/tassella.desktop"
if [ -d "$folder/share/icons/hicolor" ]; then
    find "$folder/share/icons/hicolor" -path '*/apps/tassella.*' -type f -delete
fi
# The folders the installer made, only where they are now empty.
if [ -d "$folder/share" ]; then
    find "$folder/share" -depth -type d -empty -delete
fi

echo "Tassella is uninstalled: program, menu entry and icon removed."
if [ -n "$(ls -A "$folder" 2>/dev/null)" ]; then
    echo "Your data stays in $folder:"
    (cd "$folder" && ls -1A)
    echo "(archives *.bol and Esecutori.pro, password unins000.dll, settings Tassella.ini, attachments"
    echo " Documenti_Allegati and exported files). Delete the folder yourself if you no longer need them."
else
    rmdir "$folder"
    echo "The folder $folder was empty and is removed."
fi
