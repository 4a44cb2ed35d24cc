#!/usr/bin/env bash
# Installs what the host bundle needs on Debian 12 (run as root): llvm-dlltool, which writes its
# import library in the format Microsoft's linker reads, and for the bundle's test lld-link and
# clang, which link an object of the Microsoft ABI against it. Does nothing when they are there.
set -euo pipefail

need=()
command -v llvm-dlltool >/dev/null 2>&1 || need+=(llvm)
command -v lld-link >/dev/null 2>&1     || need+=(lld)
command -v clang >/dev/null 2>&1        || need+=(clang)
[ ${#need[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "install-dist-deps: missing packages (${need[*]}); run as root or install them" >&2
  exit 1
fi
echo "install-dist-deps: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
# Some configured third-party sources may be unreachable here; their failure is not ours.
apt-get update -o Acquire::Retries=3 || true
apt-get install -y --no-install-recommends -o Acquire::Retries=3 "${need[@]}"
