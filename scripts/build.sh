#!/usr/bin/env bash
# Configures and builds one build tree: everything, or only the targets
# named in BUILD_TARGETS (for example "rq381cps rq381 lang_files").
#   [BUILD_TARGETS=...] scripts/build.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
targets=()
for t in ${BUILD_TARGETS:-}; do
  targets+=(--target "$t")
done
cmake --build "$build_dir" --parallel "$(nproc)" "${targets[@]}"
