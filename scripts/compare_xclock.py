#!/usr/bin/env python3
"""Sorelan under Wine next to xclock on one virtual display.

    python3 scripts/compare_xclock.py [--exe build/win64/shell/Sorelan.exe] [--seconds 60]

Starts the program (real local time) and `xclock -update 1` together on a
virtual display and lets both settle. Then, in two separate spans:
- CPU: for --seconds, nothing looks at the screen; the CPU time of the
  Sorelan process, of the wineserver that carries its messages and timers,
  of Wine's own service processes (explorer.exe, services.exe,
  winedevice.exe and the rest, busy whatever the program does) and of
  xclock is read from /proc, each on its own.
- Seconds: for another 30 s, which second Sorelan's second hand shows, from
  screenshots about every 100 ms: a displayed second that jumps by two is a
  skipped second, one that stays up for more than one and a half seconds is
  a second shown twice.
Prints the figures as Markdown, for docs/performance.md.
"""

import argparse
import os
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / 'tests' / 'e2e'))
from session import Session  # noqa: E402
from sorelan_e2e import GREEN, hand_tip  # noqa: E402

TICKS = os.sysconf('SC_CLK_TCK')


def cpu_seconds(pid):
    try:
        fields = Path(f'/proc/{pid}/stat').read_text().rsplit(')', 1)[1].split()
    except FileNotFoundError:
        return 0.0
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def pids_of(*pgrep_args):
    out = subprocess.run(['pgrep', *pgrep_args], capture_output=True, text=True).stdout
    return [int(pid) for pid in out.split()]


def wine_services(program):
    """Wine's own Windows processes in the program's session: every .exe
    but the program itself."""
    return [pid for pid in pids_of('-f', r'\.exe') if pid != program]


def shown_second(img):
    """The second whose hand tip is green in the frame, or None."""
    best = None
    for second in range(60):
        angle = (30 - second) * 6
        tip, mid = hand_tip(angle, 79), hand_tip(angle, 55)
        if img[tip] == GREEN and img[mid] == GREEN:
            best = second
    return best


def count_seconds(readings):
    """(distinct seconds, skipped, shown twice, unreadable) from
    (time, second shown) readings."""
    changes, skipped, twice = [], 0, 0
    unread = sum(1 for _, second in readings if second is None)
    for at, second in readings:
        if second is not None and (not changes or changes[-1][1] != second):
            changes.append((at, second))
    for (at, second), (next_at, next_second) in zip(changes, changes[1:]):
        skipped += max((next_second - second) % 60 - 1, 0)
        if next_at - at > 1.5:
            twice += 1
    return len(changes), skipped, twice, unread


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--exe', default=str(ROOT / 'build/win64/shell/Sorelan.exe'))
    parser.add_argument('--seconds', type=int, default=60)
    args = parser.parse_args()

    with Session(args.exe, None) as s:
        xclock = subprocess.Popen(['xclock', '-update', '1'], env=s.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            time.sleep(5)  # both settle
            program = s.program_pid()
            groups = {
                'program': [program],
                'wineserver': pids_of('-x', 'wineserver') + pids_of('-x', 'wineserver64'),
                'services': wine_services(program),
                'xclock': [xclock.pid],
            }

            def sample():
                return {name: sum(cpu_seconds(pid) for pid in pids) for name, pids in groups.items()}

            begin, started = sample(), time.monotonic()
            time.sleep(args.seconds)  # nobody looks at the screen meanwhile
            end, span = sample(), time.monotonic() - started

            readings, shots_started = [], time.monotonic()
            while time.monotonic() - shots_started < 30:
                readings.append((time.monotonic() - shots_started, shown_second(s.shot())))
                time.sleep(0.1)
        finally:
            xclock.kill()
            xclock.wait()
        s.close_window()

    def per_minute_ms(name):
        return (end[name] - begin[name]) * 60 / span * 1000

    distinct, skipped, twice, unread = count_seconds(readings)
    print(f'| CPU measured over | {span:.1f} s, no screenshots |')
    print('|---|---|')
    print(f'| Sorelan.exe process | {per_minute_ms("program"):.0f} ms per minute |')
    print(f'| wineserver | {per_minute_ms("wineserver"):.0f} ms per minute |')
    print(f'| Wine\'s service processes ({len(groups["services"])}) | '
          f'{per_minute_ms("services"):.0f} ms per minute |')
    print(f'| xclock -update 1 | {per_minute_ms("xclock"):.0f} ms per minute |')
    xclock_ms = per_minute_ms('xclock')
    if xclock_ms:
        ratio = per_minute_ms('program') / xclock_ms
        both = (per_minute_ms('program') + per_minute_ms('wineserver')) / xclock_ms
        print(f'| Sorelan / xclock | {ratio:.1f} (with wineserver: {both:.1f}) |')
    print(f'| seconds read over 30 s | {distinct} distinct, {len(readings)} screenshots, '
          f'{unread} unreadable |')
    print(f'| seconds skipped | {skipped} |')
    print(f'| seconds shown twice | {twice} |')
    return 0


if __name__ == '__main__':
    sys.exit(main())
