#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, with the Korean code
# page so its texts show, from the folder that holds Cursor/ and Sound/.
#
# With a display (DISPLAY set) the window stays until you close it. Without
# one, the program runs on a virtual display for a few seconds: a screenshot
# is saved, its path printed, and the program closed.
#
# Only the program's own progress is printed; Wine's messages go to
# build/wine.log, which is named if something fails.
#
#   bash scripts/run.sh          the 32-bit program where 32-bit code runs
#                                natively, else its 64-bit twin
#   bash scripts/run.sh --32     the 32-bit program in any case (under
#                                qemu's emulator, about a minute to start)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
force32=''
case "${1:-}" in
    --32) force32=1 ;;
    '') ;;
    *) echo "usage: bash scripts/run.sh [--32]" >&2; exit 2 ;;
esac

SORELAN_COMMAND="bash scripts/run.sh" bash scripts/install-deps.sh

echo "==> Building the 32-bit program (what a Windows user runs) and its 64-bit twin"
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target Sorelan
done

log=$root/build/wine.log
: >"$log"
trap 'echo "==> Something failed; Wine'"'"'s messages are in $log" >&2' ERR

# The 32-bit program where 32-bit code runs natively. Elsewhere it runs
# only under an emulator, slowly: its 64-bit twin is the quick choice.
native32() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1 &&
        ! grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null
}
export WINEDEBUG=-all LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8
start_timeout=120
if [ -n "$force32" ] || native32; then
    if [ -n "$force32" ] && ! native32; then
        echo "==> Running the 32-bit program under qemu's emulator, as asked"
        bash scripts/setup-wine32.sh build/wine32.status
        grep -q '^skip' build/wine32.status && exit 1
        start_timeout=420
    else
        echo "==> Running the 32-bit program: 32-bit Wine runs natively here"
    fi
    loader=/usr/lib/wine/wine build=win32
    environment=$(scripts/wine32-prefix.sh --boot)
    while IFS= read -r assignment; do export "${assignment?}"; done <<<"$environment"
else
    echo "==> Running the 64-bit build of the same sources: this machine runs 32-bit code only under emulation (--32 runs the 32-bit program anyway)"
    loader=/usr/lib/wine/wine64 build=win64
    WINEPREFIX=$root/build/win64/wineprefix
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "==> Preparing Wine's prefix for this build (once, about 10 s)"
    fi
    scripts/wine-run.sh --boot >>"$log" 2>&1
fi
export WINEPREFIX
program_dir=$root/build/$build/shell
# A Wine session left from an earlier run would still be bound to its old
# display: end it first.
/usr/lib/wine/wineserver -k >>"$log" 2>&1 || true

cd "$program_dir"
if [ -n "${DISPLAY:-}" ]; then
    echo "==> Starting $program_dir/Sorelan.exe; close its window to end"
    status=0
    "$loader" Sorelan.exe >>"$log" 2>&1 || status=$?
    echo "==> Sorelan exited with code $status"
    exit "$status"
fi

xvfb_pid='' program_pid=''
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    /usr/lib/wine/wineserver -k >>"$log" 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

echo "==> No DISPLAY: starting a virtual display"
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
rm -f "$display_file"

echo "==> Starting $program_dir/Sorelan.exe on $DISPLAY"
"$loader" Sorelan.exe >>"$log" 2>&1 &
program_pid=$!
window=$(timeout "$start_timeout" xdotool search --sync --name '^Sorelan$' | head -n 1)
sleep 3   # a few ticks of the clock

shot_dir=$root/build/screenshots
mkdir -p "$shot_dir"
shot=$shot_dir/sorelan-$(date +%Y%m%d-%H%M%S).png
import -window "$window" "$shot"
echo "==> Screenshot saved: $shot"

echo "==> Closing the window (alt+F4)"
xdotool key --window "$window" alt+F4 2>/dev/null
status=0
wait "$program_pid" || status=$?
program_pid=''
echo "==> Sorelan exited with code $status"
[ "$status" -eq 0 ] || echo "==> Wine's messages are in $log"
exit "$status"
