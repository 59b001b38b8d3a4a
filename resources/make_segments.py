#!/usr/bin/env python3
"""Draws the seven-segment sprites (black shapes on white) and writes them as PNG files.

Sizes and layout follow the master digit image of TSevenSeg (312 x 432): the segments
are placed at fixed offsets there, so every shape must keep a white gap to its
neighbours, or enclosed white pockets would survive the background fill.

Run from anywhere:  python3 resources/make_segments.py
Only the Python standard library is used.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

SLANT = 0.2  # horizontal shift per pixel of height of the slanted strokes


def blank(w, h):
    return [[1] * w for _ in range(h)]  # 1 = white, 0 = black


def inside_polygon(px, py, pts):
    """Even-odd test of the pixel centre (px + 0.5, py + 0.5)."""
    x, y = px + 0.5, py + 0.5
    inside = False
    n = len(pts)
    for i in range(n):
        x1, y1 = pts[i]
        x2, y2 = pts[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            xc = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < xc:
                inside = not inside
    return inside


def fill_polygon(img, pts):
    h, w = len(img), len(img[0])
    for y in range(h):
        for x in range(w):
            if inside_polygon(x, y, pts):
                img[y][x] = 0


def fill_disc(img, cx, cy, r_out, r_in=0.0):
    h, w = len(img), len(img[0])
    for y in range(h):
        for x in range(w):
            d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
            if r_in * r_in <= d2 <= r_out * r_out:
                img[y][x] = 0


def slanted_bar(img, xc_mid, y_mid, y_top, y_bot, half):
    """A stroke slanted to the right (top to the right), pointed at both ends."""
    def xc(y):
        return xc_mid + SLANT * (y_mid - y)

    tip = half
    pts = [
        (xc(y_top), y_top),
        (xc(y_top + tip) + half, y_top + tip),
        (xc(y_bot - tip) + half, y_bot - tip),
        (xc(y_bot), y_bot),
        (xc(y_bot - tip) - half, y_bot - tip),
        (xc(y_top + tip) - half, y_top + tip),
    ]
    fill_polygon(img, pts)


def seg_vert():
    img = blank(68, 190)
    slanted_bar(img, 34.0, 95.0, 6.0, 184.0, 14.0)
    return img


def seg_horz():
    img = blank(200, 38)
    fill_polygon(img, [(8, 19), (24, 4), (176, 4), (192, 19), (176, 34), (24, 34)])
    return img


def seg_dot():
    img = blank(38, 38)
    fill_disc(img, 19.0, 19.0, 16.5)
    return img


def seg_plus():
    img = blank(200, 190)
    fill_polygon(img, [(14, 95), (29, 80), (171, 80), (186, 95), (171, 110), (29, 110)])
    slanted_bar(img, 100.0, 95.0, 8.0, 182.0, 15.0)
    return img


def seg_colon():
    img = blank(68, 190)
    # Upper right and lower left dots along the slant of the digits.
    fill_disc(img, 34.0 + SLANT * 45.0, 50.0, 16.0)
    fill_disc(img, 34.0 - SLANT * 45.0, 140.0, 16.0)
    return img


def seg_deg():
    img = blank(160, 138)
    fill_disc(img, 80.0, 69.0, 58.0, 32.0)
    return img


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, img, bits):
    h, w = len(img), len(img[0])
    raw = bytearray()
    if bits == 1:
        for row in img:
            raw.append(0)
            acc, n = 0, 0
            for v in row:
                acc = (acc << 1) | v
                n += 1
                if n == 8:
                    raw.append(acc)
                    acc, n = 0, 0
            if n:
                raw.append(acc << (8 - n))
        ihdr = struct.pack(">IIBBBBB", w, h, 1, 0, 0, 0, 0)  # 1-bit greyscale
    else:
        for row in img:
            raw.append(0)
            for v in row:
                raw += b"\xff\xff\xff" if v else b"\x00\x00\x00"
        ihdr = struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)  # 24-bit RGB
    data = b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) \
        + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


SPRITES = [
    ("SEGVERT", seg_vert, 1),
    ("SEGHORZ", seg_horz, 1),
    ("SEGDOT", seg_dot, 1),
    ("SEGPLUS", seg_plus, 24),
    ("SEGCOLON", seg_colon, 24),
    ("SEGDEG", seg_deg, 24),
]

# Top-left corners of the sprites on the master image, used for the self-check below.
MASTER_W, MASTER_H = 312, 432
SEGMENT_POS = {1: ("SEGHORZ", 94, 0), 2: ("SEGVERT", 37, 23), 3: ("SEGVERT", 244, 23),
               4: ("SEGHORZ", 57, 197), 5: ("SEGVERT", 0, 220), 6: ("SEGVERT", 207, 220),
               7: ("SEGHORZ", 20, 394), 8: ("SEGDOT", 269, 394)}


def check_master(images):
    """All eight segments lit must leave every white pixel connected to the corner."""
    m = blank(MASTER_W, MASTER_H)
    for name, x0, y0 in SEGMENT_POS.values():
        spr = images[name]
        for y, row in enumerate(spr):
            for x, v in enumerate(row):
                if not v:
                    m[y0 + y][x0 + x] = 0
    seen = [[False] * MASTER_W for _ in range(MASTER_H)]
    stack = [(1, 1)]
    seen[1][1] = True
    while stack:
        x, y = stack.pop()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= nx < MASTER_W and 0 <= ny < MASTER_H and not seen[ny][nx] and m[ny][nx]:
                seen[ny][nx] = True
                stack.append((nx, ny))
    pockets = sum(1 for y in range(MASTER_H) for x in range(MASTER_W) if m[y][x] and not seen[y][x])
    if pockets:
        raise SystemExit("segments enclose %d white pixels on the master image" % pockets)


def main():
    images = {}
    for name, make, bits in SPRITES:
        img = make()
        images[name] = img
        w, h = len(img[0]), len(img)
        if img[h // 2][w // 2] != (1 if name in ("SEGCOLON", "SEGDEG") else 0):
            raise SystemExit("%s: unexpected centre pixel" % name)
        write_png(os.path.join(HERE, name + ".png"), img, bits)
    check_master(images)


if __name__ == "__main__":
    main()
