#!/usr/bin/env bash
# Builds Tassella in Debug with the address and undefined-behaviour sanitizers (Q_ASSERT is live
# there) in build-asan/ and runs the tests in it. CI runs it after the Release run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# Leaks are not failures here (Qt and fontconfig keep caches for the life of the process); any
# address or undefined-behaviour report is. The build runs tools of its own (guide, pictures) too.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

tassella_install_test_packages
TASSELLA_BUILD="$TASSELLA_ROOT/build-asan" TASSELLA_BUILD_TYPE=Debug \
    tassella_build -DTASSELLA_TESTS=ON -DTASSELLA_SANITIZE=ON
cd "$TASSELLA_ROOT/build-asan"
ctest --output-on-failure -j"$(nproc)"
