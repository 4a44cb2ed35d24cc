#!/usr/bin/env bash
# make bench: every benchmark under Wine; each prints its own figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
xjn_start_target "$0" "$@"
xjn_make_prefix
cd "$XJN_BUILD/bin"
for b in bench_*.exe; do
  [ -e "$b" ] || continue
  echo "== $b"
  wine "./$b"
done
