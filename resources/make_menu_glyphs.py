#!/usr/bin/env python3
"""Draws the two 16 x 16 menu check glyphs of the table editor's data popup ("Data
Read-Only"): CHECKEDBOX, a sunken white box with a dark tick, and EMPTYBOX, the same box
without the tick. Pixels outside the box are fully transparent (RGBA PNG), so the glyphs
sit on any menu colour.

Run from anywhere:  python3 resources/make_menu_glyphs.py
Only the Python standard library is used.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 16
CLEAR = (0, 0, 0, 0)
SHADOW = (128, 128, 128, 255)
DARK = (64, 64, 64, 255)
LIGHT = (224, 224, 224, 255)
WHITE = (255, 255, 255, 255)
TICK = (16, 16, 16, 255)


def box():
    px = [[CLEAR] * SIZE for _ in range(SIZE)]
    # A 13 x 13 box from (1, 1): grey and dark along the top and left, light and white along
    # the bottom and right (a sunken edge), white inside.
    lo, hi = 1, 13
    for y in range(lo, hi + 1):
        for x in range(lo, hi + 1):
            px[y][x] = WHITE
    for i in range(lo, hi + 1):
        px[lo][i] = SHADOW
        px[i][lo] = SHADOW
        px[hi][i] = WHITE
        px[i][hi] = WHITE
    for i in range(lo + 1, hi):
        px[lo + 1][i] = DARK
        px[i][lo + 1] = DARK
        px[hi - 1][i] = LIGHT
        px[i][hi - 1] = LIGHT
    px[hi - 1][lo + 1] = DARK
    px[lo + 1][hi - 1] = DARK
    return px


def checked():
    px = box()
    # The tick: three pixels thick, down from (4, 6) to (6, 8), then up to (10, 4).
    points = [(4, 6), (5, 7), (6, 8), (7, 7), (8, 6), (9, 5), (10, 4)]
    for x, y in points:
        for dy in range(3):
            px[y + dy][x] = TICK
    return px


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, px):
    raw = bytearray()
    for row in px:
        raw.append(0)
        for c in row:
            raw += bytes(c)
    ihdr = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 32-bit RGBA
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) \
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def main():
    write_png(os.path.join(HERE, "CHECKEDBOX.png"), checked())
    write_png(os.path.join(HERE, "EMPTYBOX.png"), box())


if __name__ == "__main__":
    main()
