#!/usr/bin/env python3
"""Draws the program's icon, animated cursor and click sound from code.

    python3 scripts/make_assets.py

writes res/sorelan.ico (32 x 32, 16 colours), Cursor/Busy.ani (a spinning
ring of eight frames) and Sound/Sound.wav (a short click). The output is
deterministic, so running it again changes nothing.
"""

import math
import struct
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREY, RED, BLUE, WHITE = 0, 8, 9, 12, 15


def row_bytes(bits_per_row):
    """Bitmap rows are padded to whole 32-bit words."""
    return (bits_per_row + 31) // 32 * 4


def pack_rows(pixels, size, bits):
    """Packs rows of palette indices, bottom row first, as a DIB stores them."""
    out = bytearray()
    per_byte = 8 // bits
    for y in reversed(range(size)):
        row = bytearray(row_bytes(size * bits))
        for x in range(size):
            value = pixels[y][x] & ((1 << bits) - 1)
            shift = (per_byte - 1 - x % per_byte) * bits
            row[x // per_byte] |= value << shift
        out += row
    return bytes(out)


def dib(pixels, mask, size, bits, palette):
    """A BITMAPINFOHEADER with palette, colour bits and AND mask, as in .ico/.cur."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         len(palette), 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    return header + colours + pack_rows(pixels, size, bits) + pack_rows(mask, size, 1)


def icon_file(image, size, kind, hotspot=(0, 0), colour_count=0, bits=4):
    """An .ico (kind 1) or .cur (kind 2) file holding one image."""
    planes, bit_count = (1, bits) if kind == 1 else hotspot
    directory = struct.pack('<HHH', 0, kind, 1)
    entry = struct.pack('<BBBBHHII', size, size, colour_count, 0, planes, bit_count,
                        len(image), 6 + 16)
    return directory + entry + image


def draw_icon():
    """A calendar page with a red top band beside a small blue clock."""
    size = 32
    px = [[WHITE] * size for _ in range(size)]
    mask = [[0] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if not (1 <= x <= 30 and 2 <= y <= 30):
                mask[y][x] = 1  # transparent outside the page
                px[y][x] = BLACK
            elif x in (1, 30) or y in (2, 30):
                px[y][x] = BLACK
            elif y < 9:
                px[y][x] = RED
            elif (x - 3) % 5 == 0 and (y - 11) % 4 == 0 and x < 17:
                px[y][x] = GREY
    cx, cy, r = 22, 20, 7
    for y in range(size):
        for x in range(size):
            d = math.hypot(x - cx, y - cy)
            if abs(d - r) < 0.7:
                px[y][x] = BLUE
    for t in range(6):
        px[cy - t][cx] = BLACK  # minute hand
    for t in range(5):
        px[cy][cx + t] = RED  # hour hand
    return icon_file(dib(px, mask, size, 4, PALETTE), size, 1, colour_count=16)


def draw_cursor_frame(frame, frames):
    """A 32 x 32 monochrome cursor: an arrow and a ring of dots whose large
    dot moves on by one place each frame."""
    size = 32
    xor = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]  # 1 = transparent

    def put(x, y, colour):  # colour 0 black, 1 white
        mask[y][x] = 0
        xor[y][x] = colour

    # Arrow: a black-edged white triangle with its point at the hotspot.
    for y in range(16):
        width = min(y, 10)
        for x in range(width + 1):
            put(x, y, 0 if x in (0, width) or y == 15 else 1)
    # Ring of eight dots; this frame's dot is the large one.
    cx, cy = 22, 22
    for i in range(frames):
        angle = 2 * math.pi * i / frames
        x = round(cx + 6 * math.sin(angle))
        y = round(cy - 6 * math.cos(angle))
        reach = (-1, 0, 1) if i == frame else (0,)
        for dx in reach:
            for dy in reach:
                put(x + dx, y + dy, 0)
    return icon_file(dib(xor, mask, size, 1, [(0, 0, 0), (255, 255, 255)]), size, 2,
                     hotspot=(0, 0), bits=1)


def chunk(tag, payload):
    pad = b'\0' if len(payload) % 2 else b''
    return tag + struct.pack('<I', len(payload)) + payload + pad


def draw_ani(frames=8, jiffies=6):
    """RIFF 'ACON': an 'anih' header and a LIST 'fram' of cursor images."""
    anih = struct.pack('<9I', 36, frames, frames, 32, 32, 1, 1, jiffies, 1)  # 1 = AF_ICON
    icons = b''.join(chunk(b'icon', draw_cursor_frame(i, frames)) for i in range(frames))
    body = b'ACON' + chunk(b'anih', anih) + chunk(b'LIST', b'fram' + icons)
    return b'RIFF' + struct.pack('<I', len(body)) + body


def draw_click(rate=22050, millis=45):
    """16-bit mono PCM: a short decaying tone with a sharp attack."""
    count = rate * millis // 1000
    samples = bytearray()
    for n in range(count):
        t = n / rate
        envelope = math.exp(-t * 120)
        value = envelope * (0.6 * math.sin(2 * math.pi * 1800 * t) +
                            0.3 * math.sin(2 * math.pi * 3100 * t))
        samples += struct.pack('<h', int(value * 20000))
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate * 2, 2, 16)
    body = b'WAVE' + chunk(b'fmt ', fmt) + chunk(b'data', bytes(samples))
    return b'RIFF' + struct.pack('<I', len(body)) + body


def main():
    outputs = {
        ROOT / 'res' / 'sorelan.ico': draw_icon(),
        ROOT / 'Cursor' / 'Busy.ani': draw_ani(),
        ROOT / 'Sound' / 'Sound.wav': draw_click(),
    }
    for path, data in outputs.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f'wrote {path.relative_to(ROOT)} ({len(data)} bytes)')


if __name__ == '__main__':
    main()
