#!/usr/bin/env bash
# Installs the .deb of scripts/package.sh into a fresh minimal Debian root
# (mmdebstrap --variant=minbase; apt pulls in what the package depends on)
# and runs the programs there as a new user would. Needs root and
# mmdebstrap; without either it says so and skips.
#   scripts/test-install.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
if [ "$(id -u)" -ne 0 ]; then
  echo "test-install: SKIPPED: it needs root (a chroot and apt inside it)"
  exit 0
fi
if ! command -v mmdebstrap >/dev/null; then
  echo "test-install: SKIPPED: mmdebstrap is not installed (scripts/install-deps.sh installs it)"
  exit 0
fi

deb=$(./scripts/package.sh "$build_dir" | tail -n 1)
echo "test-install: package $(basename "$deb")"
dpkg-deb --field "$deb" Depends | sed 's/^/test-install: depends: /'

# The desktop integration files, as the package holds them.
unpacked=$(mktemp -d)
root=$(mktemp -d /tmp/rq381-root.XXXXXX)
trap 'rm -rf "$unpacked" "$root"' EXIT
dpkg-deb -x "$deb" "$unpacked"
for f in usr/bin/rq381 usr/bin/rq381cps usr/bin/rq381-sim usr/share/rq381/setting.ini \
         usr/share/rq381/english.lang usr/share/rq381/chinese.lang \
         usr/share/applications/org.rq381.rq381cps.desktop usr/share/metainfo/org.rq381.rq381cps.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/org.rq381.rq381cps.svg usr/share/mime/packages/rq381.xml \
         usr/share/man/man1/rq381.1 usr/share/man/man1/rq381cps.1 usr/share/man/man1/rq381-sim.1 \
         usr/share/bash-completion/completions/rq381; do
  [ -e "$unpacked/$f" ] || { echo "test-install: FAILED: the package lacks /$f"; exit 1; }
done
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/org.rq381.rq381cps.metainfo.xml
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$unpacked"/usr/share/applications/org.rq381.rq381cps.desktop
fi

# The checks run inside the new root as user 1000, with a home of its own
# and no display.
cat >"$unpacked/check.sh" <<'CHECK'
set -eux
cd "$HOME"
rq381 --version
rq381 new -o x.dat
rq381 info x.dat
rq381cps --version
QT_QPA_PLATFORM=offscreen rq381cps --screenshot "$HOME/window.png"
test -s "$HOME/window.png"
rq381-sim --version
# What the desktop program wrote (the serial port it settled on) is in the
# user's folder; the installed defaults are untouched (dpkg --verify below).
cat "$HOME/.config/rq381/setting.ini" 2>/dev/null || echo "(nothing written to ~/.config/rq381)"
CHECK

sources=/etc/apt/sources.list.d/debian.sources
[ -f "$sources" ] || sources=/etc/apt/sources.list
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
# The package goes in by apt inside the new root, which fetches what it
# depends on.
mmdebstrap --variant=minbase \
  --customize-hook="copy-in $deb /tmp" \
  --customize-hook="chroot \"\$1\" env DEBIAN_FRONTEND=noninteractive apt-get install -y /tmp/$(basename "$deb")" \
  --customize-hook='mkdir -p "$1/home/tester" && chown 1000:1000 "$1/home/tester"' \
  --customize-hook="copy-in $unpacked/check.sh /tmp" \
  --customize-hook='chroot --userspec=1000:1000 "$1" env HOME=/home/tester PATH=/usr/bin:/bin sh /tmp/check.sh' \
  --customize-hook='chroot "$1" dpkg --verify rq381' \
  --customize-hook='chroot "$1" dpkg -s rq381 | grep -E "^(Package|Version|Status):"' \
  "$suite" "$root" "$sources" </dev/null
echo "test-install: PASSED"
