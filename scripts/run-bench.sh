#!/usr/bin/env bash
# make bench: every benchmark under Wine; each prints its own figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
xjn_need_display "$0" "$@"
XJN_BUILD=$(cd "${1:-build}" && pwd)
export WINEPREFIX="$XJN_BUILD/wineprefix"
xjn_make_prefix
cd "$XJN_BUILD/bin"
for b in bench_*.exe; do
  [ -e "$b" ] || continue
  echo "== $b"
  wine "./$b"
done
