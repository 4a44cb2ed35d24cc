#!/usr/bin/env bash
# Installs what the host bundle needs on Debian 12 (run as root): llvm-dlltool, which writes its
# import library in the format Microsoft's linker reads, and for the bundle's test lld-link and
# clang, which link an object of the Microsoft ABI against it. Does nothing when they are there.
set -euo pipefail
. "$(dirname "$0")/apt-install.sh"

need=()
command -v llvm-dlltool >/dev/null 2>&1 || need+=(llvm)
command -v lld-link >/dev/null 2>&1     || need+=(lld)
command -v clang >/dev/null 2>&1        || need+=(clang)
xjn_apt_install install-dist-deps "${need[@]}"
