#!/usr/bin/env bash
# Installs what the native sanitizer build and the fuzz targets need on Debian 12 (run as root):
# clang, its sanitizer and libFuzzer runtimes, CMake and the GoogleTest sources.
set -euo pipefail

need=()
command -v clang++ >/dev/null 2>&1 || need+=(clang)
command -v cmake >/dev/null 2>&1   || need+=(cmake)
[ -d /usr/src/googletest ]         || need+=(googletest)
# The runtimes: libclang_rt.asan, .ubsan_standalone and .fuzzer for x86_64.
if ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  need+=(libclang-rt-dev)
fi
[ ${#need[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "install-fuzz-deps: missing packages (${need[*]}); run as root or install them" >&2
  exit 1
fi
echo "install-fuzz-deps: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${need[@]}"
