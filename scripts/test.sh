#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test twice: once in a normal
# build and once under AddressSanitizer and UndefinedBehaviorSanitizer, then
# runs the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

./scripts/build.sh build
ctest --test-dir build --output-on-failure

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
./scripts/build.sh build-asan -DRQ381_SANITIZE=ON
ctest --test-dir build-asan --output-on-failure

# Every file, setting and serial reply parser, fed malformed input for a
# bounded time (about 30 s per target).
./scripts/fuzz.sh 30
