# Sourced by the other scripts: Wine quiet and without Mono/Gecko prompts.
# Each build folder has its own prefix, <build>/wineprefix, set by the caller.
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# Creates the prefix up front: a first `wine` call that has to build it can hang a test run.
xjn_make_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # A crashing test program must end, not wait on Wine's crash dialog until the time limit.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wineserver -w
  fi
}

# Re-runs the calling script under a private Xvfb when there is no X display.
# Usage, first thing in a script: xjn_need_display "$0" "$@"
xjn_need_display() {
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$@"
  fi
}
