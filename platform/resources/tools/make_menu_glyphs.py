#!/usr/bin/env python3
"""Draws the strip of 9 x 9 menu glyphs (bitmap 16129) and writes it to ../images/MenuGlyphs.bmp.

Index: 0/1 down arrow (normal, disabled), 2/3 right arrow, 4 right arrow selected, 5 down arrow
selected, 6/7 check mark, 8/9 minimize, 10/11 restore, 12/13 close, 14/15 maximize, 16/17 up
arrow, 18 chevron of a vertical bar, 19 left arrow, 20 small close, 21 chevron of a horizontal
bar, 22/23 radio mark, 24/25 left arrow (normal, disabled), 26/27 right triangle, 28/29 up
triangle, 30/31 down triangle, 32 to the first, 33 to the last, 34 left triangle, 35/36 first and
last disabled, 37/38 up and down chevrons, 39 left triangle disabled.

    python3 platform/resources/tools/make_menu_glyphs.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_images import Canvas, bmp24, MAGENTA, OUT  # noqa: E402

N = 9
COUNT = 40
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
WHITE = (255, 255, 255)


def px(c, i, pts, colour):
    for x, y in pts:
        if 0 <= x < N and 0 <= y < N:
            c.px[y][i * N + x] = colour


def down(): return [(x, y) for y in range(3, 7) for x in range(1 + (y - 3), 8 - (y - 3))]
def up(): return [(x, 9 - 1 - y) for (x, y) in down()]
def right(): return [(y, x) for (x, y) in down()]
def left(): return [(8 - y, x) for (x, y) in down()]


def big_right():
    return [(x, y) for x in range(2, 7) for y in range(0, 9) if abs(y - 4) <= 6 - x]


def big_left(): return [(8 - x, y) for (x, y) in big_right()]
def big_up(): return [(y, 8 - x) for (x, y) in big_right()]
def big_down(): return [(y, x) for (x, y) in big_right()]


def check():
    pts = []
    for i, (x, y) in enumerate([(1, 4), (2, 5), (3, 6), (4, 5), (5, 4), (6, 3), (7, 2)]):
        pts += [(x, y), (x, y + 1), (x, y + 2)]
    return pts


def radio():
    return [(x, y) for x in range(9) for y in range(9) if (x - 4) ** 2 + (y - 4) ** 2 <= 5]


def minimize(): return [(x, y) for x in range(1, 7) for y in (6, 7)]


def maximize():
    pts = [(x, y) for x in range(0, 9) for y in (0, 1, 8)]
    return pts + [(x, y) for x in (0, 8) for y in range(0, 9)]


def restore():
    pts = [(x, 0) for x in range(2, 9)] + [(x, 1) for x in range(2, 9)] + [(8, y) for y in range(0, 6)]
    pts += [(2, y) for y in range(0, 3)] + [(x, 5) for x in range(6, 9)]
    pts += [(x, y) for x in range(0, 7) for y in (3, 4, 8)] + [(x, y) for x in (0, 6) for y in range(3, 9)]
    return pts


def close(small=False):
    lo, hi = (2, 6) if small else (1, 7)
    pts = []
    for k in range(lo, hi + 1):
        pts += [(k, k), (k + 1, k), (hi + lo - k, k), (hi + lo - k + 1, k)]
    return pts


def chevron_h():
    pts = []
    for off in (1, 5):
        for d in range(0, 3):
            pts += [(off + d, 2 + d), (off + d, 6 - d)]
    return pts


def chevron_v(): return [(y, x) for (x, y) in chevron_h()]
def chevron_up(): return [(x, 8 - y) for (x, y) in chevron_v()]
def to_first(): return [(1, y) for y in range(1, 8)] + [(x + 1, y) for (x, y) in big_left() if x + 1 < 8]
def to_last(): return [(8 - x, y) for (x, y) in to_first()]


GLYPHS = {
    0: (down, BLACK), 1: (down, GREY), 2: (right, BLACK), 3: (right, GREY), 4: (right, WHITE),
    5: (down, WHITE), 6: (check, BLACK), 7: (check, GREY), 8: (minimize, BLACK), 9: (minimize, GREY),
    10: (restore, BLACK), 11: (restore, GREY), 12: (close, BLACK), 13: (close, GREY),
    14: (maximize, BLACK), 15: (maximize, GREY), 16: (up, BLACK), 17: (up, GREY),
    18: (chevron_v, BLACK), 19: (left, BLACK), 20: (lambda: close(True), BLACK), 21: (chevron_h, BLACK),
    22: (radio, BLACK), 23: (radio, GREY), 24: (left, BLACK), 25: (left, GREY),
    26: (big_right, BLACK), 27: (big_right, GREY), 28: (big_up, BLACK), 29: (big_up, GREY),
    30: (big_down, BLACK), 31: (big_down, GREY), 32: (to_first, BLACK), 33: (to_last, BLACK),
    34: (big_left, BLACK), 35: (to_first, GREY), 36: (to_last, GREY), 37: (chevron_up, BLACK),
    38: (chevron_v, GREY), 39: (big_left, GREY),
}


def main():
    c = Canvas(N * COUNT, N, MAGENTA)
    for i, (shape, colour) in GLYPHS.items():
        px(c, i, shape(), colour)
    with open(os.path.join(OUT, "MenuGlyphs.bmp"), "wb") as f:
        f.write(bmp24(c))


if __name__ == "__main__":
    main()
