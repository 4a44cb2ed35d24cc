#!/usr/bin/env bash
# The sample host shows each pop-up for real: it slides out, the host takes a screenshot of it
# fully shown, presses a button (or, with UNANSWERED=1, leaves the two shutdown pop-ups to time
# out) and prints the answer. Each pop-up is shown in English and in German.
# Screenshots and the trace log land in $XJN_OUT. Called by scripts/run-demo.sh with XJN_BIN and
# XJN_OUT set, inside an X server, with the Wine prefix ready.
set -euo pipefail
: "${XJN_BIN:?}" "${XJN_OUT:?}"

# The 32-bit reg.exe writes the registry view that the 32-bit library reads.
reg32() { wine 'C:\windows\syswow64\reg.exe' "$@" >/dev/null 2>&1; }
settings='HKLM\Software\Orvanta\Brevik\TraySettings'
language='HKCU\Software\Orvanta\Orvanta Utilities\Language'

reg32 add "$settings" /v LogActivate /t REG_DWORD /d 1 /f
cleanup() {
  reg32 delete "$settings" /v LogActivate /f || true
  reg32 delete "$language" /v default /f || true
}
trap cleanup EXIT

# The log goes to the host's current folder: XJNTrayApp.log.
cd "$XJN_OUT"
rm -f XJNTrayApp.log XJNTrayApp.log.1 shutdown*.png aftertasks*.png logondetect*.png
host=$(winepath -w "$XJN_BIN/XJNSampleHost.exe")

run() {
  echo "> XJNSampleHost $*"
  local start=$SECONDS
  wine "$host" "$@"
  echo "  (the call took about $((SECONDS - start)) s)"
  echo
}

if [ -n "${UNANSWERED:-}" ]; then
  echo "UNANSWERED is set: nobody answers the shutdown pop-ups; they leave after 30 s and 29 s."
  cancel_shutdown=() cancel_after_tasks=()
else
  cancel_shutdown=(--press 1381) cancel_after_tasks=(--press 1382)
fi

for name in English German; do
  echo "== language $name (registry value \"default\" under $language)"
  reg32 add "$language" /v default /d "$name" /f
  suffix=""
  [ "$name" = English ] || suffix="-$name"
  run shutdown "${cancel_shutdown[@]}" --delay 1500 --screenshot "shutdown$suffix.png"
  run aftertasks "${cancel_after_tasks[@]}" --delay 1500 --screenshot "aftertasks$suffix.png"
  # A few seconds out, so that the graph has drawn some of our engine's samples; then Stop.
  run logondetect --press 1381 --delay 5000 --screenshot "logondetect$suffix.png" --context 42
done
reg32 delete "$language" /v default /f || true

echo "written to $XJN_OUT:"
ls -l "$XJN_OUT"
echo
echo "trace log:"
cat XJNTrayApp.log
