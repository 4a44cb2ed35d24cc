#!/usr/bin/env bash
# CTest's launcher: runs one Windows program of <build>/bin under the build's Wine prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
bin=$(cd "$(dirname "$1")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$(dirname "$bin")/wineprefix}"
cd "$bin"
exec wine "$@"
