#!/usr/bin/env bash
# The sample host shows each pop-up unattended: it takes a screenshot, presses a button and prints
# the answer. Screenshots and the trace log land in $XJN_OUT. Called by scripts/run-demo.sh with
# XJN_BIN and XJN_OUT set, inside an X server, with the Wine prefix ready.
set -euo pipefail
: "${XJN_BIN:?}" "${XJN_OUT:?}"

# The 32-bit reg.exe writes the registry view that the 32-bit library reads.
reg32() { wine 'C:\windows\syswow64\reg.exe' "$@" >/dev/null; }
settings='HKLM\Software\Orvanta\Brevik\TraySettings'

reg32 add "$settings" /v LogActivate /t REG_DWORD /d 1 /f
trap 'reg32 delete "$settings" /v LogActivate /f || true' EXIT

# The log goes to the host's current folder: XJNTrayApp.log.
cd "$XJN_OUT"
rm -f XJNTrayApp.log XJNTrayApp.log.1 shutdown.png aftertasks.png logondetect.png
host=$(winepath -w "$XJN_BIN/XJNSampleHost.exe")

run() {
  echo "> XJNSampleHost $*"
  wine "$host" "$@"
  echo
}
run shutdown --press 1381 --delay 1500 --screenshot shutdown.png
run aftertasks --press 1382 --delay 1500 --screenshot aftertasks.png
run logondetect --press 1381 --delay 1500 --screenshot logondetect.png --context 42

echo "written to $XJN_OUT:"
ls -l "$XJN_OUT"
echo
echo "trace log:"
cat XJNTrayApp.log
