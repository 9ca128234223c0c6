#!/usr/bin/env bash
# Where and how the 32-bit program runs: the Wine prefix, booted once and
# kept outside the build, under ~/.cache/sorelan/, one per Wine version,
# because under emulation a boot is slow; and the environment the
# 32-bit loader needs. A prefix whose boot did not finish, or that has lost
# its registry, is made again.
#
#   wine32-prefix.sh --env    prints the environment, one NAME=value a line
#   wine32-prefix.sh --boot   makes sure the prefix is booted, then the same
set -euo pipefail
loader=/usr/lib/wine/wine
version=$("$loader" --version 2>/dev/null | tr -cs 'A-Za-z0-9.\n' '-' | sed 's/-$//')
prefix=${SORELAN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sorelan}/wine32-${version:-unknown}
marker=$prefix/.sorelan-booted

environment=("WINEPREFIX=$prefix")

# Under qemu's user-mode emulator (where the kernel runs no 32-bit code):
# - the 32-bit guest gets a 3 GiB address space, as a 32-bit Windows program
#   has. With qemu's default of nearly 4 GiB, Wine finds the address of its
#   shared user data taken and stops at start ("failed to map the shared
#   user data", c0000018);
# - qemu-noreplace.c, preloaded, spares Wine 33,000 futile requests for
#   address space at start (see the file): about 2 s a start instead of 53.
#   It is preloaded through ld.so's $LIB, so 32-bit processes load it and
#   64-bit ones (the wineserver, shells) an empty library of the same name,
#   rather than each complaining about a library of the wrong class.
if grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
    source=$(dirname "$0")/qemu-noreplace.c
    libraries=$(dirname "$prefix")/preload
    build() {  # build OUTPUT gcc-options...
        local output=$1
        shift
        if [ ! -f "$output" ] || [ "$source" -nt "$output" ]; then
            mkdir -p "$(dirname "$output")"
            gcc -O2 -fPIC -shared -nostdlib -Wall -Wextra -Werror "$@" -o "$output.tmp"
            mv "$output.tmp" "$output"
        fi
    }
    build "$libraries/lib/i386-linux-gnu/libqemu-noreplace.so" -m32 "$source"
    build "$libraries/lib/x86_64-linux-gnu/libqemu-noreplace.so" -x c /dev/null
    environment+=("QEMU_RESERVED_VA=0xc0000000"
                  "LD_PRELOAD=$libraries/\$LIB/libqemu-noreplace.so")
fi

if [ "${1:-}" = --boot ]; then
    if [ ! -f "$marker" ] || [ ! -f "$prefix/system.reg" ] || [ ! -f "$prefix/user.reg" ]; then
        [ -d "$prefix" ] && echo "==> Discarding an incomplete 32-bit Wine prefix" >&2
        rm -rf "$prefix"
        mkdir -p "$prefix"
        echo "==> Booting the 32-bit Wine prefix in $prefix (once, about half a minute)" >&2
        began=$SECONDS
        # No faketime here: the prefix must see the real times of its files.
        if ! env -u FAKETIME -u LD_PRELOAD "${environment[@]}" WINEDEBUG=-all LANG=ko_KR.UTF-8 \
            "$loader" wineboot --init >"$prefix/boot.log" 2>&1; then
            echo "==> The 32-bit prefix did not boot; see $prefix/boot.log" >&2
            exit 1
        fi
        env "${environment[@]}" LD_PRELOAD= /usr/lib/wine/wineserver -w
        [ -f "$prefix/system.reg" ] || { echo "==> The 32-bit prefix has no registry; see $prefix/boot.log" >&2; exit 1; }
        date -u +%FT%TZ >"$marker"
        echo "==> Booted in $((SECONDS - began)) s" >&2
    fi
fi
printf '%s\n' "${environment[@]}"
