#!/usr/bin/env bash
# Installs what is missing, builds Tassella with its tests and runs them headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

tassella_install_test_packages
# The benchmark programs are built too, and run once on small data (bench_smoke), so they keep up.
tassella_build -DTASSELLA_TESTS=ON -DTASSELLA_BENCH=ON
# The code is kept formatted: a difference from .clang-format fails the run.
cmake --build "$TASSELLA_BUILD" --target format-check

# A few seconds of every fuzzer, where clang's libFuzzer works; run before the main suite so that
# its summary comes last.
fuzz_status=0
if tassella_fuzz_available; then
    tassella_fuzz_build
    (cd "$TASSELLA_ROOT/build-fuzz" && ctest -L fuzz --output-on-failure -j"$(nproc)") || fuzz_status=$?
else
    echo "Fuzzers skipped: clang cannot build a libFuzzer harness here."
fi

cd "$TASSELLA_BUILD"
ctest --output-on-failure -j"$(nproc)"
exit $fuzz_status
