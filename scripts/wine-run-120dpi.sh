#!/usr/bin/env bash
# CTest's launcher for the re-layout tests: runs one Windows program of <build>/bin in a Wine
# prefix of its own whose screen runs at 120 DPI (LogPixels), so the 96-DPI layout code really works.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
bin=$(cd "$(dirname "$1")" && pwd)
export WINEPREFIX="$(dirname "$bin")/wineprefix-120dpi"
xjn_make_prefix
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
# The server takes the resolution when it starts: let this one end so the test's server reads it.
wineserver -w
cd "$bin"
exec wine "$@"
