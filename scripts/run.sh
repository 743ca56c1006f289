#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program with a default codeplug.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh build
if [ -x build/bin/rq381cps ]; then
  exec build/bin/rq381cps "$@"
fi
out=${1:-default.dat}
build/bin/rq381 new -o "$out"
build/bin/rq381 info "$out"
