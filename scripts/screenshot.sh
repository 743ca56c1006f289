#!/usr/bin/env bash
# Builds the desktop program and writes a picture of its main window (tree
# bar and radio-information form) to a PNG, without a display.
#   scripts/screenshot.sh [OUTPUT.png] [english|chinese]
# Chinese texts need a CJK font; scripts/install-deps.sh installs fonts-wqy-microhei.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-rq381cps.png}
language=${2:-english}
build_dir=${BUILD_DIR:-build}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target rq381cps lang_files

# A private copy of the configuration, so the picture does not depend on
# (or change) the language chosen in the build's setting.ini.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
cp "$build_dir"/bin/setting.ini "$build_dir"/bin/*.lang "$config"/
sed -i "s/^language=.*/language=$language/" "$config/setting.ini"

case "$out" in /*) target=$out ;; *) target=$PWD/$out ;; esac
QT_QPA_PLATFORM=offscreen "$build_dir"/bin/rq381cps --config "$config" --screenshot "$target"
echo "Wrote $target"
