# Sourced by the install scripts: xjn_apt_install <who> <package>... installs the Debian packages
# (as root), or says what is missing and fails when run as another user. Does nothing for none.
xjn_apt_install() {
  local who=$1
  shift
  [ $# -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "$who: missing packages ($*); run as root or install them" >&2
    return 1
  fi
  echo "$who: installing $*"
  export DEBIAN_FRONTEND=noninteractive
  # Some configured third-party sources may be unreachable here; their failure is not ours.
  apt-get update -o Acquire::Retries=3 || true
  apt-get install -y --no-install-recommends -o Acquire::Retries=3 "$@"
}
