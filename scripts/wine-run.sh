#!/usr/bin/env bash
# Runs a Windows x86_64 program under Wine's 64-bit loader, with a prefix of
# the build's own (made on first use), the Korean ANSI code page and Wine's
# own messages silenced. Used by CTest as the emulator of the Windows build.
# With --boot it only makes sure the prefix exists and is up to date (Wine
# updates a prefix when Wine itself changed, for instance when its 32-bit
# side was installed), and leaves no Wine process running.
set -euo pipefail
: "${WINEPREFIX:=$HOME/.sorelan-wine}"
export WINEPREFIX WINEDEBUG=-all LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8
# The prefix must see the real times of its files: never under faketime.
unset FAKETIME LD_PRELOAD
# Where 32-bit code runs under qemu's emulator, a 64-bit prefix sets up its
# 32-bit side through it too: with the same settings as the 32-bit program.
if grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
    while IFS= read -r assignment; do
        case $assignment in WINEPREFIX=*) ;; *) export "${assignment?}" ;; esac
    done < <("$(dirname "$0")/wine32-prefix.sh" --env)
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
elif [ "${1:-}" = --boot ]; then
    /usr/lib/wine/wine64 wineboot >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
fi
[ "${1:-}" = --boot ] && exit 0
exec /usr/lib/wine/wine64 "$@"
