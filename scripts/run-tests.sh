#!/usr/bin/env bash
# make test: a fresh Wine prefix, an X server when there is none, every test with a time limit.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
xjn_start_target "$0" "$@"
if xjn_kernel_refuses_32bit; then
  cat <<'EOF'
*** This machine's kernel refuses to start 32-bit programs ("Exec format error" from the i386
*** loader), so Wine cannot run the 32-bit test programs here: the Wine tests are NOT run.
*** Running the native sanitizer tests of the plain logic instead (make native-test).
EOF
  cd "$here/.."
  exec make --no-print-directory native-test
fi
if [ -z "${XJN_KEEP_PREFIX:-}" ]; then
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi
xjn_make_prefix
cd "$XJN_BUILD"
ctest --output-on-failure --timeout 600 "${@:2}"
