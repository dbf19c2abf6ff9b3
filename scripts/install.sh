#!/usr/bin/env bash
# Installs Tassella for the current user: builds it (installing what is missing), puts the program
# folder in FOLDER (default ~/Tassella; any folder the user can write, a shared drive too) and adds
# "Tassella" with its icon to the applications menu (~/.local/share/applications and icons).
# Run it again to update: archives, password, settings and attachments in FOLDER stay as they are.
# Usage: bash scripts/install.sh [FOLDER]      Undo: bash scripts/uninstall.sh [FOLDER]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

folder="${1:-$HOME/Tassella}"
mkdir -p "$folder"
folder="$(cd "$folder" && pwd)"

# TASSELLA_INSTALL_FROM=<build folder> installs an existing build as it is (the tests use it).
build="${TASSELLA_INSTALL_FROM:-}"
if [ -z "$build" ]; then
    tassella_install_packages
    tassella_build -DTASSELLA_TESTS=OFF
    build="$TASSELLA_BUILD"
fi

# Only the program's own files are written; the initial password file only where none is there.
[ -e "$folder/unins000.dll" ] && new_password=0 || new_password=1
cmake --install "$build" --prefix "$folder" --component program
cmake --install "$build" --prefix "$folder" --component desktop >/dev/null

data="${XDG_DATA_HOME:-$HOME/.local/share}"
mkdir -p "$data/applications"
install -m 644 "$folder/share/applications/tassella.desktop" "$data/applications/tassella.desktop"
(cd "$folder/share/icons" && find hicolor -name 'tassella.*' -type f) | while read -r icon; do
    install -D -m 644 "$folder/share/icons/$icon" "$data/icons/$icon"
done
# Let the menu see the new entry and icon now rather than at the next login.
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" || true
touch "$data/icons/hicolor" 2>/dev/null || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data/icons/hicolor" 2>/dev/null || true

echo "Tassella is installed in $folder"
echo "Start it from the applications menu (Office: \"Tassella\") or with: \"$folder/Tassella\""
echo "Its archives, settings and password live in that folder."
# The first access password only where this install created the password file: after a change
# by the user it would be wrong, and the user's own password is never printed.
if [ "$new_password" = 1 ] && [ -f "$folder/unins000.dll" ]; then
    echo "First access password: TASSELLA"
fi
