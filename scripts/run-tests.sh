#!/usr/bin/env bash
# make test: a fresh Wine prefix, an X server when there is none, every test with a time limit.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
xjn_start_target "$0" "$@"
if [ -z "${XJN_KEEP_PREFIX:-}" ]; then
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi
xjn_make_prefix
cd "$XJN_BUILD"
ctest --output-on-failure --timeout 600 "${@:2}"
