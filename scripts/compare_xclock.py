#!/usr/bin/env python3
"""Sorelan under Wine next to xclock on one virtual display, for a minute.

    python3 scripts/compare_xclock.py [--exe build/win64/shell/Sorelan.exe] [--seconds 60]

Starts the program (real local time) and `xclock -update 1` together on a
virtual display, lets both settle, then over the measured span reads:
- the CPU time of the Sorelan process, of the wineserver that carries its
  messages and timers, and of xclock, from /proc;
- which second Sorelan's second hand shows, from screenshots about every
  100 ms: a displayed second that jumps by two is a skipped second, one that
  stays up for more than one and a half seconds is a second shown twice.
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
    fields = Path(f'/proc/{pid}/stat').read_text().rsplit(')', 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def pids_of(*pgrep_args):
    out = subprocess.run(['pgrep', *pgrep_args], capture_output=True, text=True).stdout
    return [int(pid) for pid in out.split()]


def shown_second(img):
    """The second whose hand tip is green in the frame, or None."""
    best = None
    for second in range(60):
        angle = (30 - second) * 6
        tip, mid = hand_tip(angle, 79), hand_tip(angle, 55)
        if img[tip] == GREEN and img[mid] == GREEN:
            best = second
    return best


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
            servers = pids_of('-x', 'wineserver') + pids_of('-x', 'wineserver64')
            begin = {'program': cpu_seconds(program), 'xclock': cpu_seconds(xclock.pid),
                     'wineserver': sum(cpu_seconds(p) for p in servers)}
            started = time.monotonic()
            readings = []  # (time, second shown)
            while time.monotonic() - started < args.seconds:
                readings.append((time.monotonic() - started, shown_second(s.shot())))
                time.sleep(0.1)
            span = time.monotonic() - started
            end = {'program': cpu_seconds(program), 'xclock': cpu_seconds(xclock.pid),
                   'wineserver': sum(cpu_seconds(p) for p in servers)}
        finally:
            xclock.kill()
            xclock.wait()
        s.close_window()

    used = {name: end[name] - begin[name] for name in begin}
    changes, skipped, twice, unread = [], 0, 0, 0
    for at, second in readings:
        if second is None:
            unread += 1
        elif not changes or changes[-1][1] != second:
            changes.append((at, second))
    for (at, second), (next_at, next_second) in zip(changes, changes[1:]):
        step = (next_second - second) % 60
        skipped += max(step - 1, 0)
        if next_at - at > 1.5:
            twice += 1

    def per_minute(value):
        return value * 60 / span

    print(f'| measured over | {span:.1f} s |')
    print('|---|---|')
    print(f'| Sorelan.exe process CPU | {per_minute(used["program"]) * 1000:.0f} ms per minute |')
    print(f'| wineserver CPU | {per_minute(used["wineserver"]) * 1000:.0f} ms per minute |')
    print(f'| xclock -update 1 CPU | {per_minute(used["xclock"]) * 1000:.0f} ms per minute |')
    ratio = used['program'] / used['xclock'] if used['xclock'] else float('inf')
    both = (used['program'] + used['wineserver']) / used['xclock'] if used['xclock'] else float('inf')
    print(f'| Sorelan / xclock | {ratio:.1f} (with wineserver: {both:.1f}) |')
    print(f'| seconds shown | {len(changes)} distinct readings, {len(readings)} screenshots, '
          f'{unread} unreadable |')
    print(f'| seconds skipped | {skipped} |')
    print(f'| seconds shown twice | {twice} |')
    return 0


if __name__ == '__main__':
    sys.exit(main())
