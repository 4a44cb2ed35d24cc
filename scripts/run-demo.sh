#!/usr/bin/env bash
# make demo: the sample host shows each pop-up, answers it, prints the answers and
# writes a screenshot of each pop-up and the trace log into out/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
xjn_start_target "$0" "$@"
xjn_make_prefix
export XJN_BIN="$XJN_BUILD/bin" XJN_OUT="$(dirname "$here")/out"
mkdir -p "$XJN_OUT"
bash "$(dirname "$here")/samplehost/demo.sh"
