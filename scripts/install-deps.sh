#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine (run as root).
# Does nothing when everything is already there, so `make` stays fast after the first run.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686 mingw-w64-tools)
have cmake                      || need+=(cmake)
have python3                    || need+=(python3)
have xvfb-run                   || need+=(xvfb)
have xauth                      || need+=(xauth)
have xwd                        || need+=(x11-apps)
[ -d /usr/src/googletest ]      || need+=(googletest)
# Wine has no Windows fonts; without a metric-compatible face every text falls back to a wider
# one and the 96-DPI dialog units grow from 6 to 7 pixels, so the pop-up layouts overflow.
dpkg -s fonts-liberation >/dev/null 2>&1 || need+=(fonts-liberation)
# The stand-in `convert` some images ship cannot read xwd dumps; the real one can.
convert -version 2>/dev/null | grep -q ImageMagick || need+=(imagemagick)
if ! have wine || ! dpkg -s wine32:i386 >/dev/null 2>&1; then
  need+=(wine wine64 wine32:i386)
fi

if [ ${#need[@]} -eq 0 ]; then
  exec bash "$(dirname "$0")/enable-i386-emulation.sh"
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages (${need[*]}); run as root or install them" >&2
  exit 1
fi

echo "install-deps: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
# The security archive's i386 index can fail to download while its amd64 twin
# succeeds; the i386 wine libraries then cannot match their amd64 versions.
# Preferring the main archive keeps both architectures on one version.
cat > /etc/apt/preferences.d/xjn-security-low <<'PREF'
Package: *
Pin: release l=Debian-Security
Pin-Priority: 100
PREF
# Some configured third-party sources may be unreachable here; their failure is not ours.
apt-get update -o Acquire::Retries=3 || true
apt-get install -y --no-install-recommends -o Acquire::Retries=3 "${need[@]}"
bash "$(dirname "$0")/enable-i386-emulation.sh"
