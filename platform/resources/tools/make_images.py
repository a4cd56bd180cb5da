#!/usr/bin/env python3
"""Draws the program's icons and small bitmaps from simple shapes and writes them to ../images.

The results are checked in; run this again after changing a picture:
    python3 platform/resources/tools/make_images.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "images")
MAGENTA = (255, 0, 255)  # transparent colour of the bitmaps


class Canvas:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill for _ in range(w)] for _ in range(h)]

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = c

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0 + 1, c)
        self.rect(x0, y1 - 1, x1, y1, c)
        self.rect(x0, y0, x0 + 1, y1, c)
        self.rect(x1 - 1, y0, x1, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.px[y][x] = c

    def triangle(self, x0, y0, x1, y1, c):
        # Upright triangle in the box: apex at the top middle.
        for y in range(y0, y1):
            t = (y - y0 + 1) / float(y1 - y0)
            half = t * (x1 - x0) / 2.0
            mid = (x0 + x1) / 2.0
            self.rect(int(round(mid - half)), y, int(round(mid + half)), y + 1, c)


def bmp24(canvas):
    w, h = canvas.w, canvas.h
    row = (w * 3 + 3) & ~3
    data = b""
    for y in range(h - 1, -1, -1):
        line = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in canvas.px[y])
        data += line + b"\0" * (row - w * 3)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54) + header + data


def ico(canvases, transparent):
    """One icon file with 32-bit images; pixels of the transparent colour become clear."""
    images = []
    for c in canvases:
        w, h = c.w, c.h
        xor = b""
        for y in range(h - 1, -1, -1):
            for (r, g, b) in c.px[y]:
                a = 0 if (r, g, b) == transparent else 255
                xor += struct.pack("BBBB", b, g, r, a)
        mask_row = ((w + 31) // 32) * 4
        mask = b""
        for y in range(h - 1, -1, -1):
            bits = 0
            row = b""
            for x in range(w):
                bits = (bits << 1) | (1 if c.px[y][x] == transparent else 0)
                if x % 8 == 7:
                    row += struct.pack("B", bits)
                    bits = 0
            mask += row + b"\0" * (mask_row - len(row))
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((w, h, header + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (w, h, blob) in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for (_, _, blob) in images:
        out += blob
    return out


def cur(canvas, hotspot, transparent):
    """A monochrome cursor: white and black pixels, the transparent colour clear."""
    w, h = canvas.w, canvas.h
    row = ((w + 31) // 32) * 4

    def plane(bit):
        data = b""
        for y in range(h - 1, -1, -1):
            bits, line = 0, b""
            for x in range(w):
                bits = (bits << 1) | bit(canvas.px[y][x])
                if x % 8 == 7:
                    line += struct.pack("B", bits)
                    bits = 0
            data += line + b"\0" * (row - len(line))
        return data

    xor = plane(lambda c: 1 if c == (255, 255, 255) else 0)
    mask = plane(lambda c: 1 if c == transparent else 0)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    blob = header + struct.pack("<II", 0x000000, 0xFFFFFF) + xor + mask
    return struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", w, h, 2, 0, hotspot[0], hotspot[1], len(blob), 22) + blob


def outline(c, colour):
    """Edges the shapes of that colour with black on the transparent background."""
    edge = [(x, y) for y in range(c.h) for x in range(c.w) if c.px[y][x] == MAGENTA and any(
        0 <= x + dx < c.w and 0 <= y + dy < c.h and c.px[y + dy][x + dx] == colour
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))]
    for x, y in edge:
        c.px[y][x] = (0, 0, 0)


def hand():
    """The hand cursor of the framework's link buttons: a pointing finger, white with a black edge."""
    c = Canvas(32, 32, MAGENTA)
    white = (255, 255, 255)
    c.rect(6, 1, 10, 14, white)      # the pointing finger
    c.rect(10, 8, 13, 14, white)     # the other fingers, folded
    c.rect(13, 9, 16, 14, white)
    c.rect(16, 10, 19, 15, white)
    c.rect(2, 12, 6, 17, white)      # the thumb
    c.rect(4, 14, 19, 22, white)     # the palm
    c.rect(6, 22, 17, 25, white)     # the wrist
    outline(c, white)
    return c


def splitter(horizontal):
    """The splitter cursors: two bars with arrows pointing away from them, white with a black edge.
    horizontal: the arrows point left and right (sizing a left or right edge)."""
    c = Canvas(32, 32, MAGENTA)
    white = (255, 255, 255)
    c.rect(14, 6, 15, 26, white)     # the two bars
    c.rect(17, 6, 18, 26, white)
    c.rect(5, 15, 27, 17, white)     # the arrows' shaft
    for i in range(5):               # the arrow heads
        c.rect(5 + i, 15 - i, 6 + i, 17 + i, white)
        c.rect(26 - i, 15 - i, 27 - i, 17 + i, white)
    if not horizontal:
        c.px = [[c.px[x][y] for x in range(32)] for y in range(32)]
    outline(c, white)
    return c


def calculator(size):
    """The program icon: a calculator body with a display and keys."""
    c = Canvas(size, size, MAGENTA)
    m = size // 8
    c.rect(m, 0, size - m, size, (60, 70, 90))
    c.frame(m, 0, size - m, size, (20, 25, 35))
    d = max(1, size // 16)
    c.rect(m + 2 * d, 2 * d, size - m - 2 * d, size // 3, (200, 235, 200))
    keys = 3
    kw = (size - 2 * m - 4 * d) // keys
    top = size // 3 + 2 * d
    kh = (size - top - 2 * d) // 3
    for row in range(3):
        for col in range(keys):
            x = m + 2 * d + col * kw
            y = top + row * kh
            colour = (240, 150, 40) if (row, col) == (2, 2) else (225, 225, 230)
            c.rect(x, y, x + kw - d, y + kh - d, colour)
    return c


def badge(kind):
    """16x16 caption-bar images: information, error and warning."""
    c = Canvas(16, 16, MAGENTA)
    if kind == "warning":
        c.triangle(1, 1, 15, 15, (250, 200, 30))
        c.rect(7, 5, 9, 11, (0, 0, 0))
        c.rect(7, 12, 9, 14, (0, 0, 0))
    else:
        colour = (40, 110, 220) if kind == "info" else (210, 40, 40)
        c.disc(8, 8, 7.5, colour)
        if kind == "info":
            c.rect(7, 3, 9, 5, (255, 255, 255))
            c.rect(7, 6, 9, 13, (255, 255, 255))
        else:
            for i in range(8):
                c.rect(4 + i, 4 + i, 5 + i, 6 + i, (255, 255, 255))
                c.rect(11 - i, 4 + i, 12 - i, 6 + i, (255, 255, 255))
    return c


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "Numbrook.ico"), "wb") as f:
        f.write(ico([calculator(32), calculator(16)], MAGENTA))
    for name, kind in (("CaptionInfo.bmp", "info"), ("CaptionError.bmp", "error"), ("CaptionWarning.bmp", "warning")):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(bmp24(badge(kind)))
    with open(os.path.join(OUT, "Hand.cur"), "wb") as f:
        f.write(cur(hand(), (7, 0), MAGENTA))
    for name, horizontal in (("SplitHorz.cur", True), ("SplitVert.cur", False)):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(cur(splitter(horizontal), (16, 16), MAGENTA))


if __name__ == "__main__":
    main()
