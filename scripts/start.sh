#!/usr/bin/env bash
# Installs what is missing, builds Tassella and starts it from its program folder (build/bin).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

tassella_install_packages
tassella_build -DTASSELLA_TESTS=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Tassella is built in $TASSELLA_BUILD/bin, but it needs a graphical display to start and none is" >&2
    echo "available here (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    exit 1
fi
exec "$TASSELLA_BUILD/bin/Tassella"
