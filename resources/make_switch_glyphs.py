#!/usr/bin/env python3
"""Draws the glyph sets of the on/off button and writes them as 24-bit PNG files.

Every set is one bitmap of 2 x 2 equal quadrants:
    top left: on, enabled      top right: off, enabled
    bottom left: on, disabled  bottom right: off, disabled
Pixels of the key colour 0xEBBEEB (red 235, green 190, blue 235) are background; the
button replaces them, so no glyph pixel may have that colour (the disabled quadrants are
grey; mix() steps around the key colour when shading).

Run from anywhere:  python3 resources/make_switch_glyphs.py
Only the Python standard library is used.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

KEY = (235, 190, 235)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
LIGHT = (224, 224, 224)
GREEN = (0, 176, 0)
LIME = (96, 255, 96)
DKGREEN = (0, 96, 0)
RED = (216, 0, 0)
PINK = (255, 112, 112)
DKRED = (112, 0, 0)
YELLOW = (255, 224, 0)
PALEYEL = (255, 255, 160)
BLUE = (0, 64, 208)
NAVY = (0, 32, 112)


class Img:
    def __init__(self, w, h, fill=KEY):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x1, y1, x2, y2, c):
        """Fills x1..x2-1, y1..y2-1."""
        for y in range(max(0, y1), min(self.h, y2)):
            for x in range(max(0, x1), min(self.w, x2)):
                self.px[y][x] = c

    def frame(self, x1, y1, x2, y2, c):
        for x in range(x1, x2):
            self.set(x, y1, c)
            self.set(x, y2 - 1, c)
        for y in range(y1, y2):
            self.set(x1, y, c)
            self.set(x2 - 1, y, c)

    def bevel(self, x1, y1, x2, y2, light, dark, width=1):
        """A 3-D edge: light along the top and left, dark along the bottom and right."""
        for i in range(width):
            for x in range(x1 + i, x2 - i):
                self.set(x, y1 + i, light)
                self.set(x, y2 - 1 - i, dark)
            for y in range(y1 + i, y2 - i):
                self.set(x1 + i, y, light)
                self.set(x2 - 1 - i, y, dark)

    def ellipse(self, cx, cy, rx, ry, c, inner=0.0):
        """Pixel centres inside the ellipse (and outside the scaled inner one)."""
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                d = dx * dx + dy * dy
                if inner * inner <= d <= 1.0:
                    self.px[y][x] = c

    def disc(self, cx, cy, r, c, r_in=0.0):
        self.ellipse(cx, cy, r, r, c, r_in / r if r else 0.0)

    def shaded_disc(self, cx, cy, r, base, hi):
        """A disc lit from the top left: hi at the light spot, base at the rim."""
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                if dx * dx + dy * dy <= r * r:
                    lx, ly = x + 0.5 - (cx - r * 0.35), y + 0.5 - (cy - r * 0.35)
                    t = min(1.0, math.sqrt(lx * lx + ly * ly) / (r * 1.2))
                    self.px[y][x] = mix(hi, base, t)

    def polygon(self, pts, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside_polygon(x + 0.5, y + 0.5, pts):
                    self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c, width=1.0):
        """A stroke of the given width between two points (round ends)."""
        r = width / 2.0
        for y in range(self.h):
            for x in range(self.w):
                if seg_dist(x + 0.5, y + 0.5, x0, y0, x1, y1) <= r:
                    self.px[y][x] = c

    def text(self, x, y, s, c, scale=1):
        for ch in s:
            rows = FONT[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == "#":
                        self.rect(x + i * scale, y + j * scale, x + (i + 1) * scale, y + (j + 1) * scale, c)
            x += (len(rows[0]) + 1) * scale

    def mirrored(self):
        m = Img(self.w, self.h)
        m.px = [list(reversed(row)) for row in self.px]
        return m

    def blit(self, other, x0, y0):
        for y in range(other.h):
            for x in range(other.w):
                self.px[y0 + y][x0 + x] = other.px[y][x]


FONT = {
    "O": ["###", "#.#", "#.#", "#.#", "###"],
    "N": ["#..#", "##.#", "#.##", "#..#", "#..#"],
    "F": ["###", "#..", "##.", "#..", "#.."],
    "U": ["#.#", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["##.", "..#", ".#.", "..#", "##."],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "5": ["###", "#..", "##.", "..#", "##."],
}


def text_width(s, scale=1):
    return sum((len(FONT[ch][0]) + 1) * scale for ch in s) - scale


def mix(a, b, t):
    c = tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))
    return (c[0], c[1] + 1, c[2]) if c == KEY else c


def inside_polygon(x, y, pts):
    inside = False
    n = len(pts)
    for i in range(n):
        x1, y1 = pts[i]
        x2, y2 = pts[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                inside = not inside
    return inside


def seg_dist(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / ll))
    qx, qy = x0 + t * dx, y0 + t * dy
    return math.hypot(px - qx, py - qy)


# ------------------------------------------------------------------ the glyphs (w x h each)

def checkbox(on):
    g = Img(16, 16)
    g.rect(1, 1, 15, 15, WHITE)
    g.bevel(1, 1, 15, 15, GREY, LIGHT)
    g.bevel(2, 2, 14, 14, DARK, SILVER)
    if on:
        for (x0, y0, x1, y1) in ((4.5, 8.0, 7.0, 10.5), (7.0, 10.5, 11.5, 5.0)):
            g.line(x0, y0, x1, y1, BLACK, 1.8)
    return g


def radiobut(on):
    g = Img(14, 14)
    g.disc(7, 7, 6.5, GREY)
    g.disc(7, 7, 5.5, DARK)
    g.disc(7, 7, 4.6, WHITE)
    if on:
        g.disc(7, 7, 2.2, BLACK)
    return g


def slide(on, vertical, coloured):
    """A slot with a knob; the knob sits at the top (vertical) or right (horizontal) when on."""
    w, h = (18, 30) if vertical else (30, 18)
    g = Img(w, h)
    g.rect(0, 0, w, h, SILVER)
    g.bevel(0, 0, w, h, WHITE, GREY)
    g.bevel(1, 1, w - 1, h - 1, LIGHT, DARK)
    if vertical:
        g.rect(7, 3, 11, h - 3, DARK)
        ky = 3 if on else h - 15
        knob = (3, ky, w - 3, ky + 12)
    else:
        g.rect(3, 7, w - 3, 11, DARK)
        kx = w - 15 if on else 3
        knob = (kx, 3, kx + 12, h - 3)
    face = (GREEN if on else RED) if coloured else SILVER
    g.rect(*knob, face)
    g.bevel(*knob, WHITE if not coloured else (LIME if on else PINK), DARK)
    x1, y1, x2, y2 = knob
    if coloured:
        # Grip lines across the knob.
        for i in (-2, 0, 2):
            if vertical:
                g.rect(x1 + 2, (y1 + y2) // 2 + i, x2 - 2, (y1 + y2) // 2 + i + 1, DKGREEN if on else DKRED)
            else:
                g.rect((x1 + x2) // 2 + i, y1 + 2, (x1 + x2) // 2 + i + 1, y2 - 2, DKGREEN if on else DKRED)
    else:
        label = "ON" if on else "OFF"
        tw = text_width(label)
        if vertical:
            # The label on the free half of the slot.
            ty = h - 11 if on else 5
            g.rect((w - tw) // 2 - 1, ty - 1, (w - tw) // 2 + tw + 1, ty + 6, LIGHT)
            g.text((w - tw) // 2, ty, label, BLACK)
        else:
            tx = 4 + (12 - tw) // 2 if on else w - 16 + (12 - tw) // 2
            g.rect(tx - 1, 5, tx + tw + 1, 12, LIGHT)
            g.text(tx, 6, label, BLACK)
    return g


def led(on):
    g = Img(14, 14)
    g.disc(7, 7, 6.8, DARK)
    g.shaded_disc(7, 7, 5.6, GREEN if on else RED, LIME if on else PINK)
    return g


def arrow_disc(direction):
    """A silver disc with a black arrow pointing 'up', 'down', 'left' or 'right'."""
    g = Img(25, 25)
    g.disc(12.5, 12.5, 12.4, DARK)
    g.shaded_disc(12.5, 12.5, 11.2, SILVER, WHITE)
    up = [(12.5, 4.0), (19.0, 11.5), (15.0, 11.5), (15.0, 20.5), (10.0, 20.5), (10.0, 11.5), (6.0, 11.5)]
    turn = {"up": lambda x, y: (x, y), "down": lambda x, y: (x, 25 - y),
            "left": lambda x, y: (y, x), "right": lambda x, y: (25 - y, x)}[direction]
    g.polygon([turn(x, y) for x, y in up], BLACK)
    return g


def traffic(on):
    """A pedestrian signal: green walking figure (on) or red standing figure (off)."""
    g = Img(31, 31)
    g.rect(1, 1, 30, 30, DARK)
    g.bevel(1, 1, 30, 30, GREY, BLACK)
    g.rect(4, 4, 27, 27, (24, 24, 24))
    c = LIME if on else (255, 48, 48)
    g.disc(15.5, 8.0, 2.6, c)
    if on:
        g.line(15.0, 11.0, 13.5, 18.0, c, 3.2)
        g.line(14.5, 12.5, 19.5, 16.0, c, 2.0)
        g.line(14.5, 12.5, 10.5, 16.5, c, 2.0)
        g.line(13.5, 18.0, 18.5, 24.5, c, 2.4)
        g.line(13.5, 18.0, 9.5, 24.5, c, 2.4)
    else:
        g.rect(13, 11, 19, 19, c)
        g.line(13.5, 11.5, 11.0, 18.5, c, 2.0)
        g.line(18.5, 11.5, 21.0, 18.5, c, 2.0)
        g.rect(13, 18, 15, 25, c)
        g.rect(17, 18, 19, 25, c)
    return g


def beveled_led(on):
    g = Img(17, 17)
    g.rect(0, 0, 17, 17, SILVER)
    g.bevel(0, 0, 17, 17, WHITE, DARK, 2)
    g.rect(3, 3, 14, 14, GREEN if on else RED)
    g.bevel(3, 3, 14, 14, DKGREEN if on else DKRED, LIME if on else PINK)
    g.rect(5, 5, 8, 7, LIME if on else PINK)
    return g


def smiley(on, face_on, face_off):
    g = Img(18, 18)
    g.disc(9, 9, 8.8, BLACK)
    g.disc(9, 9, 7.8, face_on if on else face_off)
    g.disc(6.5, 7.0, 1.2, BLACK)
    g.disc(11.5, 7.0, 1.2, BLACK)
    for i in range(9):
        t = i / 8.0
        x = 5.0 + 8.0 * t
        bow = 2.2 * math.sin(math.pi * t)
        y = 11.5 + bow if on else 13.5 - bow
        g.line(x, y, x, y, BLACK, 1.4)
    return g


def bulb(on):
    g = Img(39, 49)
    glass = YELLOW if on else LIGHT
    glow = PALEYEL if on else WHITE
    if on:
        for a in range(0, 360, 30):
            r0, r1 = 15.5, 19.0
            ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
            if sa < 0.5:  # no rays down into the socket
                g.line(19.5 + r0 * ca, 17 + r0 * sa, 19.5 + r1 * ca, 17 + r1 * sa, (255, 176, 0), 1.6)
    g.disc(19.5, 17, 13.2, DARK)
    g.shaded_disc(19.5, 17, 12.2, glass, glow)
    g.polygon([(12.5, 26.0), (26.5, 26.0), (24.0, 34.0), (15.0, 34.0)], DARK)
    g.polygon([(13.7, 26.0), (25.3, 26.0), (23.2, 33.0), (15.8, 33.0)], glass)
    # Filament.
    fil = (255, 96, 0) if on else GREY
    g.line(16.0, 30.0, 17.0, 17.0, fil, 1.0)
    g.line(23.0, 30.0, 22.0, 17.0, fil, 1.0)
    g.line(17.0, 17.0, 22.0, 17.0, fil, 1.2)
    # Threaded socket.
    for i, y in enumerate(range(34, 44, 2)):
        g.rect(14, y, 25, y + 2, SILVER if i % 2 == 0 else GREY)
    g.rect(17, 44, 22, 47, DARK)
    return g


def butlamp(on):
    """A framed push button beside a lamp: pressed and lit (on) or raised and unlit (off)."""
    g = Img(49, 24)
    g.rect(0, 0, 49, 24, SILVER)
    g.bevel(0, 0, 49, 24, WHITE, DARK)
    # The button.
    if on:
        g.rect(4, 5, 26, 20, (176, 176, 176))
        g.bevel(4, 5, 26, 20, DARK, WHITE, 2)
    else:
        g.rect(3, 3, 27, 21, LIGHT)
        g.bevel(3, 3, 27, 21, WHITE, DARK, 2)
        g.bevel(5, 5, 25, 19, LIGHT, GREY)
    # The lamp.
    g.disc(38, 12, 7.6, DARK)
    if on:
        g.shaded_disc(38, 12, 6.4, (255, 176, 0), PALEYEL)
    else:
        g.shaded_disc(38, 12, 6.4, (128, 96, 32), (176, 160, 128))
    return g


def hd_left(on):
    """A plug arrow entering a drive box from the left: plugged in (on) or drawn back (off)."""
    g = Img(48, 16)
    # Drive box on the right.
    g.rect(30, 1, 47, 15, SILVER)
    g.bevel(30, 1, 47, 15, WHITE, DARK)
    g.rect(33, 10, 37, 12, GREEN if on else DKGREEN)
    g.rect(39, 5, 44, 7, GREY)
    # The arrow, its tip in the box's socket when on.
    tip = 33 if on else 21
    c = BLUE if on else NAVY
    g.rect(tip - 19, 6, tip - 6, 10, c)
    g.polygon([(tip - 7, 2.5), (tip, 8.0), (tip - 7, 13.5)], c)
    g.rect(tip - 21, 4, tip - 18, 12, DARK)  # the plug's grip
    return g


def hd_right(on):
    return hd_left(on).mirrored()


def user_tile(n, on):
    g = Img(24, 24)
    face = BLUE if on else RED
    g.rect(1, 1, 23, 23, face)
    g.bevel(1, 1, 23, 23, (96, 144, 255) if on else PINK, NAVY if on else DKRED, 2)
    label = "U%d" % n
    tw = text_width(label, 2)
    g.text((24 - tw) // 2, 7, label, WHITE, 2)
    return g


def disabled(g):
    """The greyed, flattened look of a disabled glyph; key pixels stay key."""
    d = Img(g.w, g.h)
    for y in range(g.h):
        for x in range(g.w):
            c = g.px[y][x]
            if c == KEY:
                continue
            lum = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]
            v = int(round(128 + lum * 0.45))
            d.px[y][x] = (v, v, v)
    return d


SETS = [
    ("CHECKBOX", checkbox, 32, 32),
    ("RADIOBUT", radiobut, 28, 28),
    ("SLIDETOPBOT", lambda on: slide(on, True, False), 36, 60),
    ("SLIDELFTRGT", lambda on: slide(on, False, False), 60, 36),
    ("COLSLIDETB", lambda on: slide(on, True, True), 36, 60),
    ("COLSLIDELR", lambda on: slide(on, False, True), 60, 36),
    ("LEDREDGREEN", led, 28, 28),
    ("ARROWTR", lambda on: arrow_disc("up" if on else "right"), 50, 50),
    ("ARROWUD", lambda on: arrow_disc("up" if on else "down"), 50, 50),
    ("ARROWLR", lambda on: arrow_disc("left" if on else "right"), 50, 50),
    ("TRAFFICLGT", traffic, 62, 62),
    ("BEVELEDLED", beveled_led, 34, 34),
    ("SMILEYS", lambda on: smiley(on, YELLOW, YELLOW), 36, 36),
    ("SMILEYRG", lambda on: smiley(on, GREEN, RED), 36, 36),
    ("BULB", bulb, 78, 98),
    ("BUTLAMP", butlamp, 98, 48),
    ("HDLEFT", hd_left, 96, 32),
    ("HDRIGHT", hd_right, 96, 32),
] + [("USER%d" % n, (lambda n: lambda on: user_tile(n, on))(n), 48, 48) for n in range(1, 6)]


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, img):
    raw = bytearray()
    for row in img.px:
        raw.append(0)
        for c in row:
            raw += bytes(c)
    ihdr = struct.pack(">IIBBBBB", img.w, img.h, 8, 2, 0, 0, 0)  # 24-bit RGB
    data = b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) \
        + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def main():
    for name, make, w, h in SETS:
        on, off = make(True), make(False)
        gw, gh = w // 2, h // 2
        for g in (on, off):
            if (g.w, g.h) != (gw, gh):
                raise SystemExit("%s: glyph is %d x %d, expected %d x %d" % (name, g.w, g.h, gw, gh))
            if all(c == KEY for row in g.px for c in row):
                raise SystemExit("%s: empty glyph" % name)
        if on.px == off.px:
            raise SystemExit("%s: on and off look the same" % name)
        sheet = Img(w, h)
        sheet.blit(on, 0, 0)
        sheet.blit(off, gw, 0)
        sheet.blit(disabled(on), 0, gh)
        sheet.blit(disabled(off), gw, gh)
        write_png(os.path.join(HERE, name + ".png"), sheet)


if __name__ == "__main__":
    main()
