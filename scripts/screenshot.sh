#!/usr/bin/env bash
# Builds the desktop program and writes a picture to a PNG, without a display:
# the main window (tree bar and radio-information form), or one section form.
#   scripts/screenshot.sh [OUTPUT.png] [english|chinese] [FORM] [MODEL]
# FORM is a section's name: basic, keys, alert-tones, options, channels,
# scan-lists, emergency, digital-basic, contacts, rx-groups, encryption,
# analog-emergency, dtmf, 5-tone, encode-sequences, quick-texts, display,
# decode-sequences, or channel-table. MODEL (RQ381, RQ381S, VK214, TL809) replaces [setup] model;
# quick texts and display control need VK214 or TL809, decode sequences TL809.
# Chinese texts need a CJK font; scripts/install-deps.sh installs fonts-wqy-microhei.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-rq381cps.png}
language=${2:-english}
form=${3:-}
model=${4:-}
build_dir=${BUILD_DIR:-build}

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target rq381cps lang_files

# A private copy of the configuration, so the picture does not depend on
# (or change) the language chosen in the build's setting.ini.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
cp "$build_dir"/bin/setting.ini "$build_dir"/bin/*.lang "$config"/
sed -i "s/^language=.*/language=$language/" "$config/setting.ini"
if [ -n "$model" ]; then
  sed -i "s/^model=.*/model=$model/" "$config/setting.ini"
fi

case "$out" in /*) target=$out ;; *) target=$PWD/$out ;; esac
args=(--config "$config" --screenshot "$target")
if [ -n "$form" ]; then
  args+=(--form "$form")
fi
QT_QPA_PLATFORM=offscreen "$build_dir"/bin/rq381cps "${args[@]}"
echo "Wrote $target"
