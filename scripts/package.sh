#!/usr/bin/env bash
# Builds the Debian package of the three programs: builds them and their
# manual pages in BUILD_DIR (default build), then lets cpack make the .deb
# with its dependencies computed by dpkg-shlibdeps. Prints the .deb's path
# as its last line.
#   scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
for tool in help2man dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target rq381 rq381cps rq381-sim lang_files man_pages >&2
rm -f "$build_dir"/rq381_*.deb
(cd "$build_dir" && cpack -G DEB >&2)
ls "$PWD/$build_dir"/rq381_*.deb
