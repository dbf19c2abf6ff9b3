#!/usr/bin/env bash
# Compares whole start-ups: the program's window set and login against one bare Qt window.
# Needs a Release build with -DTASSELLA_BENCH=ON in build-rel/ and hyperfine (Debian package).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
hyperfine --warmup 3 --runs 30 -N "build-rel/bench/bench_startup bare" "build-rel/bench/bench_startup tassella"
