#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program with a default codeplug.
#   scripts/run.sh [FILE.dat]
# Without a display it makes the default codeplug with the command line
# instead and shows what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
# Only what it runs: the tests and benchmarks are left to scripts/test.sh.
BUILD_TARGETS="rq381cps rq381 lang_files" ./scripts/build.sh build
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  exec build/bin/rq381cps "$@"
fi
echo "No display: making a default codeplug with the command line instead." >&2
out=${1:-default.dat}
build/bin/rq381 new -o "$out"
build/bin/rq381 info "$out"
