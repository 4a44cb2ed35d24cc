#!/usr/bin/env bash
# Installs what the native sanitizer build and the fuzz targets need on Debian 12 (run as root):
# clang, its sanitizer and libFuzzer runtimes, CMake and the GoogleTest sources.
set -euo pipefail
. "$(dirname "$0")/apt-install.sh"

need=()
command -v clang++ >/dev/null 2>&1 || need+=(clang)
command -v cmake >/dev/null 2>&1   || need+=(cmake)
[ -d /usr/src/googletest ]         || need+=(googletest)
# The runtimes: libclang_rt.asan, .ubsan_standalone and .fuzzer for x86_64.
if ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  need+=(libclang-rt-dev)
fi
xjn_apt_install install-fuzz-deps "${need[@]}"
