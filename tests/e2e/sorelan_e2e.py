#!/usr/bin/env python3
"""End-to-end checks of the real Sorelan.exe under Wine, read from its pixels.

    sorelan_e2e.py --exe build/win64/shell/Sorelan.exe --case NAME [--save PNG]
    sorelan_e2e.py --exe build/win32/shell/Sorelan.exe --loader wine32 \
        --time64-shim build/win32/tests/libfaketime_time64.so \
        --case first_frame_april_2009 --twin build/win64/shell/Sorelan.exe
    sorelan_e2e.py --list

Each case starts the program on a virtual display of its own at a chosen
local time, drives it with the mouse and keyboard, and checks what it draws.
Where a check needs text, it looks for ink in the text's box, never at glyph
shapes, since fonts differ between machines. --save writes the case's first
frame to a PNG (the README's screenshot is made this way).

With --loader wine32 the same cases run the shipped 32-bit program through
Wine's 32-bit loader, in the prefix scripts/wine32-prefix.sh keeps; where
the 32-bit program cannot run here they exit with code 77 (skipped) and say
why. --twin compares the first frame with the other build's, pixel for pixel.
"""

import argparse
import calendar
import datetime
import math
import random
import subprocess
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from session import (BLACK, GREY, WHITE, WINE32, WINE64, Failure, Session,  # noqa: E402
                     copy_program, temporary_folder, wait_for)

ROOT = Path(__file__).resolve().parents[2]
SKIPPED = 77  # CTest's SKIP_RETURN_CODE for these tests
TWIN = None  # --twin: the other build, whose first frame must be the same


class Skipped(Exception):
    pass

RED, BLUE, GREEN, CYAN = (255, 0, 0), (0, 0, 255), (0, 255, 0), (0, 255, 255)

# -- what the window should show, worked out independently ----------------

FACTOR = 3.14 / 180  # the clock's own degrees-to-radians factor
CENTRE = (350, 120)


def hand_tip(angle, length):
    r = angle * FACTOR
    return int(math.sin(r) * length + CENTRE[0]), int(math.cos(r) * length + CENTRE[1])


def dial_point(degree):
    r = degree * FACTOR
    return CENTRE[0] - int(math.sin(r) * -100), CENTRE[1] - int(math.cos(r) * -100)


def hand_tips(t):
    return (hand_tip((6 - t.hour) * 30 - t.minute * 0.5, 50),
            hand_tip((30 - t.minute) * 6, 68),
            hand_tip((30 - t.second) * 6, 79))


def month_layout(year, month):
    """(first column with Sunday = 0, number of days)."""
    monday_based, days = calendar.monthrange(year, month)
    return (monday_based + 1) % 7, days


def add_months(year, month, count):
    total = year * 12 + month - 1 + count
    return total // 12, total % 12 + 1


MARKED = {(1, 1): RED, (1, 18): GREEN, (2, 8): CYAN, (3, 1): RED, (3, 28): CYAN, (4, 15): CYAN,
          (5, 5): RED, (6, 6): RED, (7, 24): CYAN, (8, 15): RED, (9, 30): CYAN, (10, 3): RED,
          (12, 25): RED}


def day_colour(month, day, column):
    return MARKED.get((month, day)) or (RED if column == 0 else BLUE if column == 6 else BLACK)


# -- reading pixels -------------------------------------------------------


def colour_class(pixel):
    """The pure colour a pixel of drawn text or lines is closest to, or None
    for white, grey and anti-aliasing blends with them."""
    if pixel is None:
        return None
    r, g, b = pixel
    if max(r, g, b) < 90:
        return BLACK
    if r > 170 and g < 90 and b < 90:
        return RED
    if b > 170 and r < 90 and g < 90:
        return BLUE
    if g > 170 and r < 90 and b < 90:
        return GREEN
    if g > 170 and b > 170 and r < 90:
        return CYAN
    return None


def ink(img, box):
    """Pixels in the box that are neither white nor the bars' grey."""
    return [p for p in img.region(*box) if p not in (WHITE, GREY)]


def classes(img, box):
    found = {}
    for p in img.region(*box):
        c = colour_class(p)
        if c:
            found[c] = found.get(c, 0) + 1
    return found


def cell_box(cell):
    row, column = divmod(cell, 7)
    x, y = 28 * column + 15, 20 * row + 55
    return x, y + 2, x + 14, y + 16


def filled_cells(img):
    return [cell for cell in range(42) if ink(img, cell_box(cell))]


def shown_layout(img):
    """(first column, length) of the month the grid shows, from its ink."""
    cells = filled_cells(img)
    if not cells or cells != list(range(cells[0], cells[-1] + 1)):
        return None
    return cells[0], len(cells)


def time_strip(img):
    return bytes(b for p in img.region(45, 218, 260, 240) for b in p)


def expect(condition, message):
    if not condition:
        raise Failure(message)


# -- checks of one frame --------------------------------------------------


def check_bars(img):
    for left, top, right, bottom in ((0, 30, 220, 55), (0, 200, 220, 210)):
        outline = ([(x, top) for x in range(left, right)] + [(x, bottom - 1) for x in range(left, right)] +
                   [(left, y) for y in range(top, bottom)] + [(right - 1, y) for y in range(top, bottom)])
        wrong = [p for p in outline if img[p] != BLACK]
        expect(not wrong, f'bar {left, top, right, bottom}: outline not black at {wrong[:5]}')
        outside = [(right, y) for y in range(top, bottom)] + [(x, bottom) for x in range(left, right)]
        expect(all(img[p] == WHITE for p in outside), f'bar {left, top, right, bottom} spills over')
    lower = img.region(1, 201, 219, 209)
    expect(all(p == GREY for p in lower), 'the lower bar is not filled with 0xC8C8C8')
    # The upper bar holds the weekday names; around them it is grey.
    upper = img.region(1, 31, 219, 35) + img.region(212, 31, 219, 54)
    expect(all(p == GREY for p in upper), 'the upper bar is not filled with 0xC8C8C8')


def check_dial(img):
    labels = [(225, 110, 260, 140)]  # "9시" may sit on the dots next to it
    missing = []
    for degree in range(360):
        x, y = dial_point(degree)
        covered = any(l <= x < r and t <= y < b for l, t, r, b in labels)
        if img[x, y] != BLUE and not covered:
            missing.append((degree, (x, y), img[x, y]))
    expect(not missing, f'dial dots not blue: {missing[:5]}')


def near(img, point, colour, radius):
    x, y = point
    return any(img[x + dx, y + dy] == colour
               for dx in range(-radius, radius + 1) for dy in range(-radius, radius + 1))


def check_hands(img, t):
    tips = hand_tips(t)
    for name, tip, colour, width in zip(('hour', 'minute', 'second'), tips, (RED, BLUE, GREEN),
                                        (6, 4, 2)):
        for step in range(3, 10):
            f = step / 10
            point = (round(CENTRE[0] + f * (tip[0] - CENTRE[0])),
                     round(CENTRE[1] + f * (tip[1] - CENTRE[1])))
            expect(near(img, point, colour, 1), f'{name} hand missing at {point} ({f:.0%})')
        expect(near(img, tip, colour, width // 2 + 1), f'{name} hand does not reach {tip}')
        beyond = (round(CENTRE[0] + 1.2 * (tip[0] - CENTRE[0])),
                  round(CENTRE[1] + 1.2 * (tip[1] - CENTRE[1])))
        expect(not near(img, beyond, colour, 1), f'{name} hand goes past {tip}')
    sx, sy = tips[2]
    found = classes(img, (sx, sy, sx + 18, sy + 18))
    expect(found.get(BLACK, 0) >= 3, f'no seconds number at the second hand tip {tips[2]}')


def check_grid(img, t, year=None, month=None):
    year, month = year or t.year, month or t.month
    start, days = month_layout(year, month)
    cells = filled_cells(img)
    expect(cells == list(range(start, start + days)),
           f'{year}-{month:02}: expected ink in cells {start}..{start + days - 1}, got {cells}')
    for day in range(1, days + 1):
        cell = start + day - 1
        found = classes(img, cell_box(cell))
        want = day_colour(month, day, cell % 7)
        others = {c: n for c, n in found.items() if c != want}
        expect(found.get(want, 0) >= 3 and not others,
               f'{year}-{month:02}-{day:02} in column {cell % 7}: expected {want}, found {found}')
    today = (year, month) == (t.year, t.month)
    cell = start + t.day - 1
    row, column = divmod(cell, 7)
    # The circle's box is 24 x 24 from (28c + 11, 20r + 51); the number is
    # drawn over it, so look for black on most of the ring, not all of it.
    cx, cy = 28 * column + 11 + 11.5, 20 * row + 51 + 11.5
    ring = [(round(cx + 11.5 * math.cos(a / 18 * math.pi)), round(cy + 11.5 * math.sin(a / 18 * math.pi)))
            for a in range(36)]
    circled = sum(near(img, p, BLACK, 1) for p in ring) >= 0.6 * len(ring)
    expect(circled == today, f'today circle {"missing" if today else "drawn"} at cell {cell}')


def check_texts(img):
    boxes = {
        'heading': ((50, 10, 230, 29), BLACK),
        '일': ((15, 35, 32, 53), RED),
        '월 화 수 목 금': ((42, 35, 175, 53), BLACK),
        '토': ((180, 35, 199, 53), BLUE),
        'current time': ((45, 220, 250, 240), BLACK),
        '12시': ((340, 5, 380, 21), BLACK),
        '6시': ((340, 225, 375, 242), BLACK),
        '3시': ((455, 115, min(img.width, 490), 132), BLACK),
        '9시': ((225, 115, 250, 132), BLACK),
    }
    for name, (box, colour) in boxes.items():
        expect(classes(img, box).get(colour, 0) >= 3, f'no {name} text in {box}')


def check_frame(img, t, year=None, month=None):
    check_bars(img)
    check_dial(img)
    check_hands(img, t)
    check_grid(img, t, year, month)
    check_texts(img)


# -- cases ----------------------------------------------------------------


def first_frame(exe, start, save=None):
    t = datetime.datetime.fromisoformat(start)
    with program(exe, start, frozen=True) as s:
        if save:
            s.first_shot.save_png(save)
            print(f'saved {save}')
        # Everything is there in the first frame the window shows.
        check_frame(s.first_shot, t)
        if TWIN:
            compare_with_twin(s.first_shot, start)
        expect(s.close_window() == 0, f'exit code {s.exit_code}')


def compare_with_twin(frame, start):
    """The same first frame from the other build (the 64-bit one, run by
    its own loader and prefix), compared pixel for pixel."""
    with Session(TWIN, start, frozen=True) as t:
        other = t.first_shot
        expect(t.close_window() == 0, f'the other build: exit code {t.exit_code}')
    expect((frame.width, frame.height) == (other.width, other.height),
           f'client areas differ: {frame.width}x{frame.height} and {other.width}x{other.height}')
    differ = [(x, y) for y in range(frame.height) for x in range(frame.width)
              if frame[x, y] != other[x, y]]
    if differ:
        frame.save_png('frame.png')
        other.save_png('frame-other-build.png')
    expect(not differ, f'{len(differ)} pixels differ from the other build, first at {differ[:5]} '
           '(saved frame.png and frame-other-build.png)')
    print(f'pixel-identical with the other build: {frame.width}x{frame.height}')


def case_first_frame_april_2009(exe, save=None):
    first_frame(exe, '2009-04-23 14:42:09', save)


def case_first_frame_december_2010(exe, save=None):
    first_frame(exe, '2010-12-25 08:20:10', save)


def next_tick(s, timeout=10):
    """Waits for the time text to change, and returns the new frame."""
    before = time_strip(s.shot())

    def changed():
        img = s.shot()
        return img if time_strip(img) != before else None

    return wait_for(changed, timeout=timeout, interval=0.05, what='the next tick')


def wait_for_month(s, year, month, timeout=15):
    want = month_layout(year, month)
    try:
        wait_for(lambda: shown_layout(s.shot()) == want, timeout=timeout, interval=0.1,
                 what=f'{year}-{month:02} to be shown')
    except Failure as failure:
        raise Failure(f'{failure}; the grid shows (first column, days) = '
                      f'{shown_layout(s.shot())}') from None


def act_and_check_next_tick(s, act, months, base):
    """Acts (a click, a key) right after a tick. A frame taken before the
    next tick still shows the old month; the month moves at the tick."""
    for _ in range(5):
        before = next_tick(s)
        act()
        after = s.shot()
        if time_strip(after) == time_strip(before):
            expect(shown_layout(after) == month_layout(*base), 'the month changed before the next tick')
            return
        # A tick came between the action and the frame; the action still
        # counts. Check where it led and try again from there.
        base = add_months(*base, months)
        wait_for_month(s, *base)
    raise Failure('could not take a frame between an action and the next tick')


def click_and_check_next_tick(s, button, base):
    act_and_check_next_tick(s, lambda: s.click(button), -1 if button == 1 else 1, base)


def case_clicks(exe, save=None):
    start = datetime.datetime(2009, 4, 23, 14, 42, 9)
    with program(exe, str(start)) as s:
        shown = (2009, 4)
        wait_for_month(s, *shown)

        click_and_check_next_tick(s, 1, shown)
        shown = add_months(*shown, -1)
        wait_for_month(s, *shown)
        check_grid(s.shot(), start, *shown)  # March: no circle, its own colours

        # Several clicks within one tick all count.
        next_tick(s)
        for _ in range(3):
            s.click(1)
        shown = add_months(*shown, -3)
        wait_for_month(s, *shown)  # December 2008: the year wrapped back
        expect(shown == (2008, 12), f'expected December 2008, at {shown}')
        check_grid(s.shot(), start, *shown)

        click_and_check_next_tick(s, 3, shown)  # right: forward into January 2009
        shown = add_months(*shown, 1)
        wait_for_month(s, *shown)

        for _ in range(12):  # across December 2009 into January 2010
            s.click(3)
        shown = add_months(*shown, 12)
        wait_for_month(s, *shown)
        expect(shown == (2010, 1), f'expected January 2010, at {shown}')

        # The clock keeps ticking: the time text and the second hand move.
        a = s.shot()
        b = next_tick(s)
        green = lambda img: {(x, y) for y in range(20, 220) for x in range(250, 450)
                             if img[x, y] == GREEN}
        expect(green(a) != green(b), 'the second hand did not move')

        expect(s.close_window() == 0, f'exit code {s.exit_code}')


def second_changes(s, count, timeout=10):
    """Wall-clock times (time.time()) at which the time text was seen to
    change, polled straight from the X server about every 2 ms."""
    reader = s.region_reader(45, 218, 260, 240)
    try:
        changes, before = [], reader.read()
        deadline = time.monotonic() + timeout
        while len(changes) < count:
            if time.monotonic() > deadline:
                raise Failure(f'only {len(changes)} changes of the time text in {timeout} s')
            now = reader.read()
            if now != before:
                changes.append(time.time())
                before = now
            time.sleep(0.002)
        return changes
    finally:
        reader.close()


def case_second_phase(exe, save=None):
    """On the real clock, started at random moments: the displayed second
    changes within 100 ms after the wall clock's second begins, every time."""
    rng = random.Random()
    phases = []
    for _ in range(3):
        time.sleep(rng.uniform(0, 1))  # start at a random moment of the second
        with program(exe, None) as s:
            next_tick(s)  # settled: the window is up and ticking
            changes = second_changes(s, 6)
            phases += [1000 * (t - math.floor(t)) for t in changes]
            expect(s.close_window() == 0, f'exit code {s.exit_code}')
    print('second changes seen at ' + ', '.join(f'{p:.0f}' for p in phases) +
          ' ms after the wall-clock second began')
    print(f'median {sorted(phases)[len(phases) // 2]:.0f} ms, max {max(phases):.0f} ms')
    late = [round(p) for p in phases if p >= 100]
    expect(not late, f'the second changed later than 100 ms after it began: {late} ms')


def case_keys_and_wheel(exe, save=None):
    """The keys, the wheel and the middle button navigate as the clicks do."""
    start = datetime.datetime(2009, 4, 23, 14, 42, 9)
    with program(exe, str(start)) as s:
        wait_for_month(s, 2009, 4)
        act_and_check_next_tick(s, lambda: s.key('Left'), -1, (2009, 4))
        steps = [
            ('Left', lambda: None, (2009, 3)),  # done above: March
            ('Page Down twice', lambda: s.key('Next', 'Next'), (2009, 5)),
            ('Ctrl+Page Up', lambda: s.key('ctrl+Prior'), (2008, 5)),
            ('Home', lambda: s.key('Home'), (2009, 4)),
            ('Right, Page Up, Page Up', lambda: s.key('Right', 'Prior', 'Prior'), (2009, 3)),
            ('two wheel notches up', lambda: (s.click(4), s.click(4)), (2009, 1)),
            ('four wheel notches down', lambda: [s.click(5) for _ in range(4)], (2009, 5)),
            ('the middle button', lambda: s.click(2), (2009, 4)),
            ('Ctrl+Page Down', lambda: s.key('ctrl+Next'), (2010, 4)),
            ('Home again', lambda: s.key('Home'), (2009, 4)),
        ]
        for what, act, shown in steps:
            act()
            try:
                wait_for_month(s, *shown)
            except Failure as failure:
                raise Failure(f'after {what}: {failure}') from None
        check_grid(s.shot(), start)  # back on the current month, today circled
        expect(s.close_window() == 0, f'exit code {s.exit_code}')


def run_and_use(exe_path, workdir=None, start='2011-06-15 10:00:00'):
    """The program opens, ticks, takes a click and closes with code 0."""
    with program(exe_path, start, workdir=workdir) as s:
        next_tick(s)
        s.click(3)
        wait_for_month(s, 2011, 7)
        next_tick(s)
        expect(s.alive(), 'the program ended')
        expect(s.close_window() == 0, f'exit code {s.exit_code}')


def case_missing_assets(exe, save=None):
    with temporary_folder() as folder:
        run_and_use(copy_program(exe, folder, with_assets=False))


def case_corrupt_assets(exe, save=None):
    with temporary_folder() as folder:
        copied = copy_program(exe, folder)
        for name in ('Cursor/Busy.ani', 'Sound/Sound.wav'):
            (Path(folder) / name).write_bytes(b'RIFF\xff\xff\xff\x7fnot really' + bytes(range(256)))
        run_and_use(copied)


def case_other_directory(exe, save=None):
    with temporary_folder() as folder:
        run_and_use(exe, workdir=folder)


def case_month_end_with_offset(exe, save=None):
    """A right click late on 30 November; then the real month ends. The
    calendar keeps its distance from the current month: January 2010."""
    # The click must come before midnight: start earlier on a slow start.
    for start in ('23:59:45', '23:59:15', '23:58:15'):
        with program(exe, f'2009-11-30 {start}') as s:
            if shown_layout(s.first_shot) != month_layout(2009, 11):
                continue  # the window came up after midnight
            s.click(3)
            wait_for_month(s, 2009, 12, timeout=12)
            wait_for_month(s, 2010, 1, timeout=120)
            check_grid(s.shot(), datetime.datetime(2009, 12, 1), 2010, 1)
            next_tick(s)
            expect(s.alive(), 'the program ended')
            s.click(1)
            wait_for_month(s, 2009, 12)
            expect(s.close_window() == 0, f'exit code {s.exit_code}')
            return
    raise Failure('the window never came up before midnight')


def random_clicks(s, rng, seconds):
    """Clicks anywhere in the window at random for a while; returns the
    number of months the clicks move the calendar by."""
    end = time.monotonic() + seconds
    months = 0
    while time.monotonic() < end:
        button = rng.choice((1, 3))
        s.click(button, rng.randrange(0, 480), rng.randrange(0, 250))
        months += -1 if button == 1 else 1
        time.sleep(rng.uniform(0.05, 0.6))
    return months


def case_soak(exe, save=None):
    rng = random.Random(20091130)
    # Month ends crossed while clicking: three starts just before midnight.
    # The calendar keeps its distance from the current month throughout.
    for start, after in (('2009-01-31 23:59:52', (2009, 2)), ('2008-02-29 23:59:52', (2008, 3)),
                         ('2009-12-31 23:59:52', (2010, 1))):
        with program(exe, start) as s:
            months = random_clicks(s, rng, 6)
            wait_for_month(s, *add_months(*after, months), timeout=30)
            expect(s.alive(), f'the program ended after {start}')
            expect(s.close_window() == 0, f'exit code {s.exit_code}')

    # A longer run: the process stays alive and responsive, memory flat.
    with program(exe, '2012-05-31 23:59:55') as s:
        months = random_clicks(s, rng, 10)
        warm = s.resident_kib()
        samples = []
        for _ in range(6):
            months += random_clicks(s, rng, 15)
            samples.append(s.resident_kib())
            expect(s.alive(), 'the program ended during the soak')
        print(f'soak: resident memory {warm} KiB after warm-up, then {samples} KiB')
        expect(max(samples) - warm < 2048, f'memory grew from {warm} to {max(samples)} KiB')
        wait_for_month(s, *add_months(2012, 6, months))
        expect(s.close_window() == 0, f'exit code {s.exit_code}')


# -- which program: the 64-bit twin, or the shipped 32-bit one ---------------

# How the cases start the program. main() switches to the 32-bit loader,
# its prefix and its fake clock for --loader wine32.
LOADER = {'loader': WINE64}


def program(exe, start, **kwargs):
    return Session(exe, start, **LOADER, **kwargs)


def wine32_environment(boot=False):
    """What the 32-bit loader needs in its environment (its prefix among
    it), after booting the prefix if asked; raises Skipped with the reason
    where the 32-bit program cannot run here."""
    status_file = ROOT / 'build' / 'wine32.status'
    status = status_file.read_text().strip() if status_file.exists() else 'skip: not set up ' \
        '(scripts/setup-wine32.sh, run by scripts/test.sh, sets it up)'
    if status.startswith('skip'):
        raise Skipped(status.partition(': ')[2])
    script = ROOT / 'scripts' / 'wine32-prefix.sh'
    result = subprocess.run([str(script), '--boot' if boot else '--env'], capture_output=True,
                            text=True, timeout=1800)
    sys.stderr.write(result.stderr)
    if result.returncode != 0:
        raise Failure(f'the 32-bit prefix could not be made: {result.stderr.strip()}')
    return dict(line.split('=', 1) for line in result.stdout.splitlines() if '=' in line)


def case_prefix32(exe, save=None):
    """Boots the 32-bit prefix once (it is kept between runs)."""
    print(f'32-bit prefix: {wine32_environment(boot=True)["WINEPREFIX"]}')


CASES = {name[len('case_'):]: f for name, f in globals().items() if name.startswith('case_')}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--exe')
    parser.add_argument('--case', choices=sorted(CASES))
    parser.add_argument('--save', help='write the first frame to this PNG')
    parser.add_argument('--loader', choices=('wine64', 'wine32'), default='wine64',
                        help='wine32: the shipped 32-bit program, through the 32-bit loader')
    parser.add_argument('--time64-shim', help='wine32: the shim that lets faketime reach it')
    parser.add_argument('--twin', help='the other build, to compare first frames with')
    parser.add_argument('--list', action='store_true')
    args = parser.parse_args()
    if args.list:
        print('\n'.join(sorted(CASES)))
        return 0
    if not args.exe or not args.case:
        parser.error('--exe and --case are needed')
    global TWIN
    TWIN = args.twin
    began = time.monotonic()
    try:
        if args.loader == 'wine32':
            environment = wine32_environment()
            LOADER.update(loader=WINE32, prefix=environment.pop('WINEPREFIX'),
                          extra_env=environment, time64_shim=args.time64_shim)
        CASES[args.case](args.exe, save=args.save)
    except Skipped as skipped:
        print(f'SKIPPED {args.case}: the 32-bit program cannot run here: {skipped}')
        return SKIPPED
    except Failure as failure:
        print(f'FAIL {args.case}: {failure}')
        return 1
    except Exception:
        traceback.print_exc()
        return 1
    print(f'ok {args.case} ({time.monotonic() - began:.1f} s)')
    return 0


if __name__ == '__main__':
    sys.exit(main())
