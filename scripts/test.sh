#!/usr/bin/env bash
# Installs what is missing, builds Tassella with its tests and runs them headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

tassella_install_packages
tassella_build -DTASSELLA_TESTS=ON
cd "$TASSELLA_BUILD"
ctest --output-on-failure -j"$(nproc)"
