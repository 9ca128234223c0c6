"""One run of the real program under Wine on a virtual display of its own.

A Session starts Xvfb, a fresh Wine session in the build's prefix with the
Korean code page, and Sorelan.exe through a Wine loader (the 64-bit one, or
the 32-bit one for the shipped i686 program), under faketime when a start
time is given; finds the "Sorelan" window;
takes screenshots in client-area coordinates; clicks and types as a user
would; and always cleans up: no Xvfb, wineserver or program is left running,
whatever happens in between.
"""

import ctypes
import ctypes.util
import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import zlib
from pathlib import Path

WINE64 = '/usr/lib/wine/wine64'
WINE32 = '/usr/lib/wine/wine'
WINESERVER = '/usr/lib/wine/wineserver'
LIBFAKETIME32 = '/usr/lib/i386-linux-gnu/faketime/libfaketime.so.1'

# Generous limits: a slow machine should only make the tests slower. The
# 32-bit loader may run under an emulator, where a start can take a minute.
START_TIMEOUT = 120
EMULATED_START_TIMEOUT = 420
STEP_TIMEOUT = 30

GREY = (200, 200, 200)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


class Failure(AssertionError):
    pass


class Image:
    """A screenshot cut to the client area: pixels as (r, g, b) tuples."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def __getitem__(self, point):
        x, y = point
        if not (0 <= x < self.width and 0 <= y < self.height):
            return None
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def region(self, left, top, right, bottom):
        """Pixels of the box [left, right) x [top, bottom)."""
        return [self[x, y] for y in range(top, bottom) for x in range(left, right)]

    def crop(self, left, top, right, bottom):
        rows = [bytes(self.rgb[3 * (y * self.width + left):3 * (y * self.width + right)])
                for y in range(top, bottom)]
        return Image(right - left, bottom - top, b''.join(rows))

    def save_png(self, path):
        """Writes an 8-bit RGB PNG: rows with filter byte 0, deflated."""
        def chunk(kind, data):
            return (struct.pack('>I', len(data)) + kind + data +
                    struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
        stride = 3 * self.width
        raw = b''.join(b'\0' + bytes(self.rgb[y * stride:(y + 1) * stride])
                       for y in range(self.height))
        header = struct.pack('>IIBBBBB', self.width, self.height, 8, 2, 0, 0, 0)
        Path(path).write_bytes(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
                               chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def read_ppm(data):
    """Parses binary PPM (P6) as ImageMagick writes it."""
    fields, pos = [], 2
    while len(fields) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(int(data[pos:end]))
        pos = end
    width, height, maxval = fields
    if maxval != 255:
        raise ValueError(f'expected 8-bit PPM, got maxval {maxval}')
    return width, height, data[pos + 1:pos + 1 + 3 * width * height]


def wait_for(condition, timeout=STEP_TIMEOUT, interval=0.1, what='a condition'):
    """Polls until condition() returns something true, and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f'timed out after {timeout} s waiting for {what}')
        time.sleep(interval)


class Session:
    """with Session(exe, '2009-04-23 14:42:09') as s: s.shot() ..."""

    def __init__(self, exe, start, frozen=False, workdir=None, prefix=None, loader=WINE64,
                 extra_env=None, time64_shim=None):
        self.exe = Path(exe).resolve()
        self.loader = loader
        self.extra_env = extra_env or {}
        self.time64_shim = time64_shim
        self.start_timeout = START_TIMEOUT if loader == WINE64 else EMULATED_START_TIMEOUT
        self.start = start
        self.frozen = frozen
        self.workdir = Path(workdir) if workdir else self.exe.parent
        self.prefix = Path(prefix or os.environ.get('WINEPREFIX') or
                           self.exe.parent.parent / 'wineprefix')
        self.xvfb = self.program = self.output = None
        self.window = None
        self.origin = None
        self.first_shot = None  # the first screenshot with the calendar drawn
        self.exit_code = None
        self.env = None

    # -- lifecycle ---------------------------------------------------------

    def __enter__(self):
        try:
            self._start_display()
            self._start_program()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _start_display(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write), '-screen', '0', '800x600x24', '-nolisten', 'tcp'],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure('Xvfb did not start')
        self.display = ':' + number

    def _start_program(self):
        env = dict(os.environ)
        env.update(DISPLAY=self.display, WINEPREFIX=str(self.prefix), WINEDEBUG='-all',
                   LANG='ko_KR.UTF-8', LC_ALL='ko_KR.UTF-8', TZ='UTC')
        env.pop('FAKETIME', None)
        env.update(self.extra_env)
        # A frozen wall clock keeps every frame at the start time while the
        # real monotonic clock still drives the program's timer.
        if self.frozen:
            env['DONT_FAKE_MONOTONIC'] = '1'
        # Only the clock is faked, not the times of files: with faked file
        # times Wine takes its own setup for changed and updates the prefix
        # at every start.
        env['NO_FAKE_STAT'] = '1'
        self.env = env
        self._end_wine_session()
        command = [self.loader, str(self.exe)]
        if self.start and self.loader == WINE64:
            command = ['faketime'] + (['-f'] if self.frozen else []) + [self.start] + command
        elif self.start:
            self._fake_time_32(env)
        # What Wine and the program print, for the failure message.
        self.output = tempfile.TemporaryFile()
        self.program = subprocess.Popen(command, cwd=self.workdir, env=env,
                                        stdout=self.output, stderr=subprocess.STDOUT,
                                        start_new_session=True)
        self.window = self._find_window()
        self.origin = self._find_client_origin()

    def _fake_time_32(self, env):
        """faketime's wrapper reaches only 64-bit programs. The 32-bit loader
        gets Debian's i386 libfaketime preloaded directly, with a shim that
        hands it the 64-bit-time calls (__clock_gettime64) 32-bit Wine makes,
        which libfaketime does not catch by itself. Each process keeps its
        own fake clock: no shared memory between them."""
        if not self.time64_shim:
            raise Failure('faking the time of the 32-bit program needs the time64 shim')
        env['LD_PRELOAD'] = ' '.join(filter(None, (env.get('LD_PRELOAD'), LIBFAKETIME32,
                                                   self.time64_shim)))
        env['FAKETIME'] = self.start if self.frozen else '@' + self.start
        env['FAKETIME_DISABLE_SHM'] = '1'

    def _end_wine_session(self):
        subprocess.run([WINESERVER, '-k'], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, '-w'], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

    def close(self):
        if self.program is not None and self.program.poll() is None:
            try:
                os.killpg(self.program.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.program.wait()
        if self.env is not None:
            self._end_wine_session()
        if self.xvfb is not None:
            self.xvfb.kill()
            self.xvfb.wait()
            self.xvfb = None
        if self.output is not None:
            self.output.close()
            self.output = None

    # -- the window --------------------------------------------------------

    def _xdotool(self, *args, check=True, timeout=STEP_TIMEOUT):
        result = subprocess.run(['xdotool', *args], env=self.env, capture_output=True,
                                text=True, timeout=timeout)
        if check and result.returncode != 0:
            raise Failure(f'xdotool {" ".join(args)} failed: {result.stderr.strip()}')
        return result.stdout

    def _find_window(self):
        def search():
            if self.program.poll() is not None:
                self.output.seek(0)
                said = self.output.read().decode(errors='replace').strip()[-2000:]
                raise Failure(f'the program ended at start with code {self.program.returncode}'
                              + (f'; it printed:\n{said}' if said else ', printing nothing'))
            out = self._xdotool('search', '--onlyvisible', '--name', '^Sorelan$', check=False)
            return out.split()[0] if out.split() else None

        return wait_for(search, timeout=self.start_timeout, interval=0.05, what='the Sorelan window')

    def geometry(self):
        """(x, y, width, height) of the window on the screen."""
        out = subprocess.run(['xwininfo', '-id', self.window], env=self.env, capture_output=True,
                             text=True, timeout=STEP_TIMEOUT).stdout
        values = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(':')
            values[key] = value.strip()
        return (int(values['Absolute upper-left X']), int(values['Absolute upper-left Y']),
                int(values['Width']), int(values['Height']))

    def _find_client_origin(self):
        """The client area's top-left corner on the screen. The window's
        geometry gives the search area; the upper grey bar, whose black
        outline starts at client (0, 30), pins it to the pixel."""

        def locate():
            x0, y0, width, height = self.geometry()
            screen = self.screen()
            for y in range(max(y0 - 40, 0), min(y0 + height, screen.height - 26)):
                for x in range(max(x0 - 20, 0), min(x0 + width, screen.width - 221)):
                    if (screen[x, y] == BLACK and screen[x + 1, y + 1] == GREY and
                            screen[x + 219, y] == BLACK and screen[x + 219, y + 24] == BLACK and
                            screen[x, y + 25] != BLACK and screen[x + 1, y - 1] != BLACK):
                        return (x, y - 30), screen
            return None

        origin, screen = wait_for(locate, timeout=self.start_timeout, interval=0.02,
                                  what='the calendar to be drawn')
        self.first_shot = self._client_of(screen, origin)
        return origin

    def screen(self):
        data = subprocess.run(['import', '-display', self.display, '-window', 'root', '-depth', '8',
                               'ppm:-'],
                              env=self.env, capture_output=True, check=True,
                              timeout=STEP_TIMEOUT).stdout
        return Image(*read_ppm(data))

    def region_reader(self, left, top, right, bottom):
        """A fast reader of one box of the client area (client coordinates)."""
        x, y = self.origin
        return RegionReader(self.display, x + left, y + top, x + right, y + bottom)

    def shot(self):
        """The client area, in client coordinates."""
        return self._client_of(self.screen(), self.origin)

    def _client_of(self, screen, origin):
        x, y = origin
        _, _, width, height = self.geometry()
        return screen.crop(x, y, min(x + width, screen.width), min(y + height, screen.height))

    def click(self, button, x=300, y=150):
        """A button at a client point: left (1), middle (2), right (3), or
        the wheel, a notch up (4) or down (5)."""
        # No --sync: it waits for the pointer to move, and it may be there already.
        self._xdotool('mousemove', str(self.origin[0] + x), str(self.origin[1] + y),
                      'click', str(button))

    def key(self, *keys):
        """Key presses as xdotool names them (Left, Prior, ctrl+Next, Home)."""
        self._xdotool('key', '--window', self.window, *keys)

    def close_window(self):
        self._xdotool('key', '--window', self.window, 'alt+F4', check=False)
        return self.wait_exit()

    def wait_exit(self, timeout=STEP_TIMEOUT):
        try:
            self.exit_code = self.program.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f'the program did not end within {timeout} s') from None
        return self.exit_code

    def alive(self):
        return self.program.poll() is None

    def program_pid(self):
        """The process that runs Sorelan.exe (Wine's loader becomes it)."""
        out = subprocess.run(['pgrep', '-f', '-s', str(self.program.pid), 'Sorelan.exe'],
                             capture_output=True, text=True).stdout.split()
        return int(out[0]) if out else None

    def resident_kib(self):
        """Resident memory of the Windows program's process, in KiB. Under
        qemu's emulator the process is qemu, whose own heap and translated
        code grow as it meets new guest code: only the guest's memory, the
        mappings in the first 4 GiB (qemu maps the 32-bit guest there), is
        the program's."""
        pid = self.program_pid()
        if not pid:
            return 0
        if 'qemu' in os.path.basename(os.readlink(f'/proc/{pid}/exe')):
            return guest_resident_kib(pid)
        for line in Path(f'/proc/{pid}/status').read_text().splitlines():
            if line.startswith('VmRSS:'):
                return int(line.split()[1])
        return 0


def guest_resident_kib(pid):
    """Resident KiB of the mappings that lie below 4 GiB."""
    total, in_guest = 0, False
    for line in Path(f'/proc/{pid}/smaps').read_text().splitlines():
        first = line.split(None, 1)[0]
        if '-' in first and not first.endswith(':'):
            in_guest = int(first.split('-')[1], 16) <= 1 << 32
        elif first == 'Rss:' and in_guest:
            total += int(line.split()[1])
    return total


class _XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, as far as the pixel data.
    _fields_ = [('width', ctypes.c_int), ('height', ctypes.c_int), ('xoffset', ctypes.c_int),
                ('format', ctypes.c_int), ('data', ctypes.POINTER(ctypes.c_char)),
                ('byte_order', ctypes.c_int), ('bitmap_unit', ctypes.c_int),
                ('bitmap_bit_order', ctypes.c_int), ('bitmap_pad', ctypes.c_int),
                ('depth', ctypes.c_int), ('bytes_per_line', ctypes.c_int)]


class RegionReader:
    """Reads one small screen region straight from the X server with Xlib,
    in well under a millisecond: fast enough to time when a picture changes,
    where a screenshot through ImageMagick takes about 100 ms."""

    ALL_PLANES = ctypes.c_ulong(0xFFFFFFFF)
    Z_PIXMAP = 2

    def __init__(self, display, left, top, right, bottom):
        self.x11 = ctypes.CDLL(ctypes.util.find_library('X11') or 'libX11.so.6')
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise Failure(f'cannot open display {display}')
        self.root = self.x11.XDefaultRootWindow(self.display)
        self.box = (left, top, right - left, bottom - top)

    def read(self):
        x, y, width, height = self.box
        image = self.x11.XGetImage(self.display, self.root, x, y, width, height,
                                   self.ALL_PLANES, self.Z_PIXMAP)
        if not image:
            raise Failure('XGetImage failed')
        try:
            return ctypes.string_at(image.contents.data, image.contents.bytes_per_line * height)
        finally:
            self.x11.XDestroyImage(image)

    def close(self):
        if self.display:
            self.x11.XCloseDisplay(self.display)
            self.display = None


def copy_program(exe, folder, with_assets=True):
    """A copy of the program in a folder of its own, with or without assets."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy2(exe, folder / 'Sorelan.exe')
    if with_assets:
        for name in ('Cursor', 'Sound'):
            shutil.copytree(Path(exe).parent / name, folder / name, dirs_exist_ok=True)
    return folder / 'Sorelan.exe'


def temporary_folder():
    return tempfile.TemporaryDirectory(prefix='sorelan-e2e-')
