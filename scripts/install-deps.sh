#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the package and the
# screenshot script need. Installing needs root: run it as root, or as a
# user who may use sudo. Nothing is done when everything is there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
  libgtest-dev libgmock-dev
  libyaml-dev libcsv-dev
  clang libclang-rt-14-dev
  qt6-translations-l10n
  libgl-dev xvfb xauth
  fonts-wqy-microhei
  # the Debian package and its check: manual pages, metadata validators,
  # a throw-away Debian root
  help2man appstream desktop-file-utils mmdebstrap
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
  echo "install-deps: installing as root: ${missing[*]}" >&2
elif command -v sudo >/dev/null; then
  as_root=(sudo)
  echo "install-deps: installing with sudo (it may ask for your password): ${missing[*]}" >&2
else
  echo "install-deps: these packages are missing: ${missing[*]}" >&2
  echo "install-deps: installing them needs root; run this script as root or install sudo" >&2
  exit 1
fi
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
