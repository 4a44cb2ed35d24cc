#!/usr/bin/env bash
# Some virtual machines cannot run 32-bit x86 code at all (the i386 loader answers "Exec format
# error"): there Wine's 32-bit side runs through qemu's user-mode emulator, registered for i386
# programs in binfmt_misc. Does nothing where 32-bit programs start natively or the emulator is
# already registered. Needs root the first time.
set -euo pipefail

loader=/lib/ld-linux.so.2
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$loader" ] || exit 0
if grep -qx enabled "$binfmt/qemu-i386" 2>/dev/null; then
  exit 0
fi
said=$("$loader" --help 2>&1) || true
[[ $said == *"Exec format error"* ]] || exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "enable-i386-emulation: this kernel refuses 32-bit programs; run as root to register qemu" >&2
  exit 0  # make test then says so and runs the native tests
fi
echo "enable-i386-emulation: this kernel refuses 32-bit programs; Wine's 32-bit side runs under qemu"

# qemu before 8.0 tracks guest pages one by one: each Wine process start then costs a minute of
# CPU (measured with 7.2). 10.0 starts one in half a second; bookworm has it in its backports.
version=$(qemu-i386-static --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p')
if [ -z "$version" ] || [ "$version" -lt 8 ]; then
  list=/etc/apt/sources.list.d/xjn-bookworm-backports.list
  [ -f "$list" ] || echo 'deb http://deb.debian.org/debian bookworm-backports main' > "$list"
  apt-get update -o Acquire::Retries=3 || true
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends -o Acquire::Retries=3 \
    -t bookworm-backports qemu-user-static
fi

mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
# F: the kernel opens the emulator now, so it also serves programs started in other mounts.
printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:FP' \
  > "$binfmt/register"
said=$("$loader" --help 2>&1) || true
if [[ $said == *"Exec format error"* ]]; then
  echo "enable-i386-emulation: 32-bit programs still do not start" >&2  # make test then says so
fi
