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

# The start of a make target's script, first thing in it: xjn_start_target "$0" "$@".
# Re-runs the script under a private Xvfb when there is no X display; then XJN_BUILD is the
# build folder (the script's first argument, default build) and WINEPREFIX its Wine prefix.
xjn_start_target() {
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$@"
  fi
  XJN_BUILD=$(cd "${2:-build}" && pwd)
  export WINEPREFIX="$XJN_BUILD/wineprefix"
}

# True when the kernel refuses to start 32-bit programs (some virtual machines switch the i386
# entry off): then Wine's 32-bit loader cannot start, whatever the project does.
xjn_kernel_refuses_32bit() {
  local loader=/lib/ld-linux.so.2
  [ -e "$loader" ] || return 1
  local said
  said=$("$loader" --help 2>&1) || true
  [[ $said == *"Exec format error"* ]]
}
