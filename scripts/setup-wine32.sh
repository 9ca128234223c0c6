#!/usr/bin/env bash
# Makes the shipped 32-bit program runnable here, only where that is needed.
# Where Wine's 32-bit loader already runs (a kernel with 32-bit support), it
# is used as it is. Otherwise, as root: qemu's user-mode emulator is
# installed and registered with the kernel for 32-bit x86 programs (Wine
# starts its helpers with a plain exec, so the kernel itself must hand them
# to qemu), and Debian's 32-bit Wine is installed. One line a step; safe to
# run again.
#
# Writes one line to the status file given ($1, default build/wine32.status):
# "native", "emulated", or "skip: <reason>", which the 32-bit end-to-end
# cases read to say why they are skipped.
set -uo pipefail
cd "$(dirname "$0")/.."
status_file=${1:-build/wine32.status}
mkdir -p "$(dirname "$status_file")"
log=$(dirname "$status_file")/setup-wine32.log
: >"$log"

loader=/usr/lib/wine/wine
qemu=/usr/bin/qemu-i386-static
binfmt=/proc/sys/fs/binfmt_misc
handler=$binfmt/qemu-i386
# A 32-bit x86 ELF executable, as the kernel matches it.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

finish() {
    echo "$1" >"$status_file"
    case $1 in
        skip*) echo "==> The 32-bit program will not run in the tests: ${1#skip: }" ;;
    esac
    exit 0
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

loader_runs() { [ -x "$loader" ] && timeout 120 "$loader" --version >/dev/null 2>&1; }
handler_enabled() { [ -f "$handler" ] && head -n 1 "$handler" | grep -qx enabled; }

# 32-bit code that runs without our emulator runs natively.
if loader_runs && ! handler_enabled; then
    echo "==> 32-bit Wine runs natively here"
    finish native
fi

if [ "$(id -u)" -ne 0 ] && ! sudo -n true 2>/dev/null; then
    finish "skip: this kernel runs no 32-bit code, and registering an emulator for it needs root"
fi

if [ ! -x "$qemu" ]; then
    echo "==> Installing qemu's user-mode emulator (this kernel runs no 32-bit code)"
    { as_root apt-get update -qq && as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq qemu-user-static; } >>"$log" 2>&1 ||
        finish "skip: qemu-user-static could not be installed (see $log)"
fi

if [ ! -f "$binfmt/register" ]; then
    echo "==> Mounting binfmt_misc"
    as_root mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
        finish "skip: binfmt_misc cannot be mounted here"
fi

if ! handler_enabled; then
    echo "==> Registering qemu for 32-bit x86 programs with the kernel"
    [ -f "$handler" ] && { echo -1 | as_root tee "$handler" >/dev/null; }
    printf ':qemu-i386:M::%s:%s:%s:F\n' "$magic" "$mask" "$qemu" |
        as_root tee "$binfmt/register" >/dev/null ||
        finish "skip: the kernel refused the emulator's registration"
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "==> Adding Debian's i386 architecture"
    as_root dpkg --add-architecture i386 >>"$log" 2>&1
fi

missing=()
for package in wine32:i386 libfaketime:i386; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "==> Installing Debian's 32-bit Wine and faketime (${missing[*]}; about 100 packages)"
    { as_root apt-get update -qq && as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq "${missing[@]}"; } >>"$log" 2>&1 ||
        finish "skip: ${missing[*]} could not be installed (see $log)"
fi

loader_runs || finish "skip: the 32-bit Wine loader does not start under the emulator"
echo "==> 32-bit Wine runs here under qemu's emulator"
finish emulated
