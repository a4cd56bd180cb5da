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


# ---- toolbar images ------------------------------------------------------------------------------
# 16 x 15 pictures on light grey (shown in the button-face colour). Each toolbar has two strips:
# the full-colour one shown under the mouse and a paler one for the buttons at rest.

LIGHT = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (128, 128, 128)
PAPER = (250, 250, 250)
BLUE = (40, 90, 200)
NAVY = (20, 40, 120)
YELLOW = (245, 200, 60)
RED = (210, 40, 40)
GREEN = (40, 150, 60)
BROWN = (150, 100, 40)

FONT = {  # 3 x 5 capitals and digits, rows top to bottom
    "A": ("010", "101", "111", "101", "101"), "B": ("110", "101", "110", "101", "110"),
    "C": ("011", "100", "100", "100", "011"), "D": ("110", "101", "101", "101", "110"),
    "E": ("111", "100", "110", "100", "111"), "G": ("011", "100", "101", "101", "011"),
    "H": ("101", "101", "111", "101", "101"), "I": ("111", "010", "010", "010", "111"),
    "M": ("101", "111", "111", "101", "101"), "N": ("101", "111", "111", "111", "101"),
    "O": ("010", "101", "101", "101", "010"), "R": ("110", "101", "110", "101", "101"),
    "T": ("111", "010", "010", "010", "010"), "X": ("101", "101", "010", "101", "101"),
    "1": ("010", "110", "010", "010", "111"), "2": ("110", "001", "010", "100", "111"),
    "3": ("110", "001", "010", "001", "110"), "?": ("110", "001", "010", "000", "010"),
}


class Icon(Canvas):
    def __init__(self):
        Canvas.__init__(self, 16, 15, LIGHT)

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def box(self, x0, y0, x1, y1, fill, edge=BLACK):
        """A filled rectangle with an edge; corners inclusive."""
        self.rect(x0, y0, x1 + 1, y1 + 1, fill)
        self.frame(x0, y0, x1 + 1, y1 + 1, edge)

    def text(self, x, y, s, c):
        for ch in s:
            for r, row in enumerate(FONT[ch]):
                for k, bit in enumerate(row):
                    if bit == "1":
                        self.dot(x + k, y + r, c)
            x += 4

    def ring(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                d = ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5
                if r - 1 <= d <= r:
                    self.px[y][x] = c

    def page(self, x0, y0, x1, y1):
        """A sheet of paper with a folded corner and text lines."""
        self.box(x0, y0, x1, y1, PAPER)
        for k in range(3):
            self.line(x1 - 3 + k, y0, x1, y0 + 3 - k, LIGHT)
        self.line(x1 - 3, y0, x1 - 3, y0 + 3, BLACK)
        self.line(x1 - 3, y0 + 3, x1, y0 + 3, BLACK)
        self.line(x1 - 3, y0, x1, y0 + 3, BLACK)

    def lines(self, x0, x1, ys, c=DARK):
        for y in ys:
            self.line(x0, y, x1, y, c)

    def arrow(self, x0, y, x1, c, head=3):
        """A horizontal arrow from x0 to x1 (pointing at x1)."""
        self.line(x0, y, x1, y, c)
        s = 1 if x1 > x0 else -1
        for k in range(1, head + 1):
            self.line(x1 - s * k, y - k, x1 - s * k, y + k, c)

    def varrow(self, x, y0, y1, c, head=2):
        """A vertical arrow from y0 to y1 (pointing at y1)."""
        self.line(x, y0, x, y1, c)
        s = 1 if y1 > y0 else -1
        for k in range(1, head + 1):
            self.line(x - k, y1 - s * k, x + k, y1 - s * k, c)

    def magnifier(self, cx, cy, r):
        self.disc(cx, cy, r, (220, 235, 250))
        self.ring(cx, cy, r, BLACK)
        self.line(int(cx + r * 0.7), int(cy + r * 0.7), int(cx + r * 0.7) + 3, int(cy + r * 0.7) + 3, BROWN)
        self.line(int(cx + r * 0.7) + 1, int(cy + r * 0.7), int(cx + r * 0.7) + 4, int(cy + r * 0.7) + 3, BROWN)

    def disk(self):
        self.box(1, 1, 14, 13, BLUE, NAVY)
        self.box(4, 1, 11, 6, PAPER)
        self.rect(9, 2, 11, 6, DARK)
        self.box(4, 9, 11, 13, (90, 90, 90), NAVY)

    def printer(self):
        self.box(4, 1, 11, 5, PAPER)
        self.box(1, 5, 14, 11, (200, 200, 210), BLACK)
        self.dot(12, 7, GREEN)
        self.box(4, 9, 11, 14, PAPER)
        self.lines(5, 10, (11, 13))

    def window(self):
        self.box(1, 1, 14, 13, PAPER)
        self.rect(2, 2, 14, 4, BLUE)

    def ribbon(self, x0, c=BLUE):
        self.rect(x0, 1, x0 + 6, 11, c)
        for k in range(3):
            self.line(x0 + 1 + k, 11 + k, x0 + 5 - k, 11 + k, LIGHT)
        self.frame(x0, 1, x0 + 6, 11, NAVY)


def icon(draw):
    c = Icon()
    draw(c)
    return c


# Standard toolbar: New, Open, Save | Cut, Copy, Paste | Undo, Redo | Print | Find.
def std_new(c):
    c.page(3, 1, 12, 14)
    c.lines(5, 10, (6, 8, 10, 12))


def std_open(c):
    c.box(1, 4, 10, 13, YELLOW, BROWN)
    c.rect(1, 3, 5, 4, YELLOW)
    c.frame(1, 2, 6, 4, BROWN)
    c.rect(4, 7, 15, 14, (250, 220, 110))
    c.line(4, 7, 14, 7, BROWN)
    c.line(14, 7, 11, 13, BROWN)
    c.line(1, 13, 11, 13, BROWN)
    c.line(4, 7, 1, 13, BROWN)


def std_save(c):
    c.disk()


def std_cut(c):
    c.line(4, 1, 9, 9, BLACK)
    c.line(11, 1, 6, 9, BLACK)
    c.ring(5, 11.5, 3, RED)
    c.ring(11, 11.5, 3, RED)


def std_copy(c):
    c.page(1, 1, 9, 10)
    c.lines(3, 7, (5, 7))
    c.page(6, 4, 14, 14)
    c.lines(8, 12, (8, 10, 12))


def std_paste(c):
    c.box(2, 2, 11, 14, BROWN, BLACK)
    c.box(5, 1, 8, 3, DARK)
    c.page(7, 6, 14, 14)
    c.lines(9, 12, (10, 12))


def undo_redo(c, left):
    a, b = (12, 3) if left else (3, 12)
    c.arrow(a, 5, b, BLUE)
    c.line(a, 5, a, 11, BLUE)
    c.line(a - 1 if left else a + 1, 5, a - 1 if left else a + 1, 11, BLUE)
    c.line(a, 11, 7, 11, BLUE)
    c.line(a, 10, 7, 10, BLUE)


def std_find(c):
    c.page(1, 1, 10, 13)
    c.lines(3, 8, (5, 7, 9))
    c.magnifier(9.5, 8.5, 4)


STANDARD = [std_new, std_open, std_save, std_cut, std_copy, std_paste,
            lambda c: undo_redo(c, True), lambda c: undo_redo(c, False), lambda c: c.printer(), std_find]


# View toolbar: Line numbers, Zoom in, Zoom out | Caption bar, Command panels | Decimal, Binary,
# Octal, Hexadecimal, Roman.
def view_lines(c):
    c.box(1, 1, 14, 13, PAPER)
    c.text(3, 2, "1", BLUE)
    c.text(3, 8, "2", BLUE)
    c.lines(7, 12, (4, 10))


def view_zoom(c, plus):
    c.magnifier(6.5, 6.5, 5.5)
    c.line(4, 6, 8, 6, BLACK)
    if plus:
        c.line(6, 4, 6, 8, BLACK)


def view_caption(c):
    c.window()
    c.rect(2, 5, 14, 8, (255, 240, 170))
    c.line(2, 8, 13, 8, DARK)
    c.disc(4, 6.5, 1.5, BLUE)


def view_panels(c):
    c.window()
    c.rect(2, 5, 6, 13, (210, 225, 250))
    c.line(6, 5, 6, 12, DARK)
    c.lines(3, 5, (7, 9, 11), NAVY)


def label(s, colour):
    def draw(c):
        c.box(0, 3, 15, 11, PAPER, colour)
        c.text(2, 5, s, colour)
    return draw


VIEW = [view_lines, lambda c: view_zoom(c, True), lambda c: view_zoom(c, False), view_caption, view_panels,
        label("DEC", NAVY), label("BIN", GREEN), label("OCT", BROWN), label("HEX", RED), label("ROM", (120, 40, 150))]


# Help toolbar: Contents, Index, Search | Tip of the Day, About.
def help_contents(c):
    c.box(2, 1, 13, 13, BLUE, NAVY)
    c.rect(11, 2, 13, 13, PAPER)
    c.text(4, 5, "?", WHITE)


def help_index(c):
    c.page(2, 1, 12, 14)
    c.text(4, 3, "A", NAVY)
    c.lines(8, 10, (5,))
    c.text(4, 9, "B", NAVY)
    c.lines(8, 10, (11,))


def help_search(c):
    c.box(1, 1, 10, 12, BLUE, NAVY)
    c.magnifier(9.5, 8.5, 4)


def help_tip(c):
    c.disc(7.5, 6, 5, YELLOW)
    c.ring(7.5, 6, 5, BROWN)
    c.rect(6, 11, 10, 14, DARK)
    c.line(6, 12, 9, 12, LIGHT)


def help_about(c):
    c.disc(7.5, 7.5, 7, BLUE)
    c.rect(7, 3, 9, 5, WHITE)
    c.rect(7, 6, 9, 12, WHITE)


HELP = [help_contents, help_index, help_search, help_tip, help_about]


# Images of menu commands without a toolbar button: Save As, Export, Print Preview, Print Setup,
# Exit, Delete, Select All, Find Next, Replace, Toggle/Next/Previous/Clear Bookmarks, Radians,
# Degrees, Grads, Settings, Customize, Keyboard Hook, Hide to Tray.
def menu_save_as(c):
    c.disk()
    c.line(9, 13, 14, 8, RED)
    c.line(10, 13, 14, 9, RED)


def menu_export(c):
    c.page(1, 1, 10, 14)
    c.lines(3, 7, (6, 8, 10, 12))
    c.arrow(7, 9, 15, GREEN)


def menu_preview(c):
    c.page(1, 1, 11, 14)
    c.lines(3, 8, (5, 7, 9))
    c.magnifier(9.5, 9, 3.5)


def menu_print_setup(c):
    c.printer()
    c.rect(12, 1, 16, 5, LIGHT)
    c.ring(13.5, 3, 2.5, BLACK)


def menu_exit(c):
    c.box(2, 1, 9, 14, BROWN, BLACK)
    c.dot(7, 8, YELLOW)
    c.arrow(8, 7, 15, RED)


def menu_delete(c):
    for k in range(2):
        c.line(3 + k, 2, 12 + k, 12, RED)
        c.line(12 + k, 2, 3 + k, 12, RED)


def menu_select_all(c):
    for x in range(1, 15, 2):
        c.dot(x, 1, BLACK)
        c.dot(x, 13, BLACK)
    for y in range(1, 14, 2):
        c.dot(1, y, BLACK)
        c.dot(14, y, BLACK)
    c.rect(3, 3, 13, 12, (170, 200, 245))


def menu_find_next(c):
    c.magnifier(5.5, 5.5, 4.5)
    c.arrow(9, 12, 15, GREEN, 2)


def menu_replace(c):
    c.text(1, 1, "A", NAVY)
    c.text(11, 9, "B", RED)
    c.arrow(4, 10, 9, GREEN, 2)


def bookmark(extra):
    def draw(c):
        c.ribbon(2)
        if extra == "down":
            c.varrow(12, 3, 13, GREEN)
        elif extra == "up":
            c.varrow(12, 13, 3, GREEN)
        elif extra == "clear":
            c.line(9, 8, 14, 13, RED)
            c.line(14, 8, 9, 13, RED)
    return draw


def menu_settings(c):
    c.disc(7.5, 7.5, 6, DARK)
    for (x, y) in ((7, 0), (7, 14), (0, 7), (14, 7), (2, 2), (12, 2), (2, 12), (12, 12)):
        c.rect(x, y, x + 2, y + 1, DARK)
    c.disc(7.5, 7.5, 2.5, LIGHT)


def menu_customize(c):
    c.box(0, 4, 13, 10, (220, 220, 225), DARK)
    c.rect(2, 6, 5, 9, BLUE)
    c.rect(7, 6, 10, 9, GREEN)
    c.line(9, 14, 15, 8, RED)
    c.line(10, 14, 15, 9, RED)


def menu_keyboard(c):
    c.box(0, 3, 15, 12, (230, 230, 235), BLACK)
    for y in (5, 7):
        for x in range(2, 14, 2):
            c.dot(x, y, BLACK)
    c.line(4, 10, 11, 10, BLACK)


def menu_tray(c):
    c.box(1, 1, 11, 8, PAPER)
    c.rect(2, 2, 11, 3, BLUE)
    c.varrow(6, 5, 11, GREEN)
    c.rect(0, 12, 16, 15, NAVY)
    c.rect(11, 13, 14, 14, YELLOW)


MENU = [menu_save_as, menu_export, menu_preview, menu_print_setup, menu_exit, menu_delete, menu_select_all,
        menu_find_next, menu_replace, bookmark(""), bookmark("down"), bookmark("up"), bookmark("clear"),
        label("RAD", NAVY), label("DEG", NAVY), label("GRD", NAVY), menu_settings, menu_customize,
        menu_keyboard, menu_tray]


# Print preview toolbar: Print | Next, Previous, One Page, Two Pages | Zoom In, Zoom Out | Close.
def preview_page_arrow(forward):
    def draw(c):
        c.page(1, 1, 10, 14)
        c.lines(3, 7, (5, 7, 9))
        if forward:
            c.arrow(8, 11, 15, BLUE)
        else:
            c.arrow(15, 11, 8, BLUE)
    return draw


def preview_pages(count):
    def draw(c):
        if count == 1:
            c.page(3, 1, 12, 14)
            c.lines(5, 10, (6, 8, 10))
        else:
            c.page(0, 2, 7, 13)
            c.page(8, 2, 15, 13)
            c.lines(2, 5, (6, 8, 10))
            c.lines(10, 13, (6, 8, 10))
    return draw


def preview_close(c):
    c.line(3, 3, 12, 12, RED)
    c.line(4, 3, 12, 11, RED)
    c.line(12, 3, 3, 12, RED)
    c.line(11, 3, 3, 11, RED)


PREVIEW = [lambda c: c.printer(), preview_page_arrow(True), preview_page_arrow(False), preview_pages(1),
           preview_pages(2), lambda c: view_zoom(c, True), lambda c: view_zoom(c, False), preview_close]


def strip(draws, hot):
    """The pictures side by side; the resting strip is paler."""
    icons = [icon(d) for d in draws]
    c = Canvas(16 * len(icons), 15, LIGHT)
    for i, ic in enumerate(icons):
        for y in range(15):
            for x in range(16):
                p = ic.px[y][x]
                if not hot and p != LIGHT:
                    grey = (p[0] * 30 + p[1] * 59 + p[2] * 11) // 100
                    p = tuple(min(255, (v + grey) // 2 + 30) for v in p)
                c.px[y][16 * i + x] = p
    return c


def settings_icons():
    """The settings sheet's four 32-pixel page icons on the transparent magenta: the window
    (general), letters in colour (fonts and colours), keys (keyboard) and text lines (editor)."""
    c = Canvas(128, 32, MAGENTA)
    # General: a window with its caption.
    c.rect(3, 5, 29, 27, BLACK)
    c.rect(4, 6, 28, 26, PAPER)
    c.rect(4, 6, 28, 10, BLUE)
    c.rect(7, 14, 25, 16, DARK)
    c.rect(7, 19, 20, 21, DARK)
    # Fonts and colours: three coloured bars under a dark one.
    x = 32
    c.rect(x + 4, 4, x + 28, 10, NAVY)
    for i, colour in enumerate((RED, GREEN, YELLOW)):
        c.rect(x + 4 + 8 * i, 14, x + 11 + 8 * i, 28, colour)
    # Keyboard: a board with two rows of keys.
    x = 64
    c.rect(x + 2, 9, x + 30, 25, BLACK)
    c.rect(x + 3, 10, x + 29, 24, LIGHT)
    for row in (12, 18):
        for k in range(5):
            c.rect(x + 5 + 5 * k, row, x + 8 + 5 * k, row + 4, WHITE)
    # Text editor: a page with lines.
    x = 96
    c.rect(x + 6, 3, x + 26, 29, BLACK)
    c.rect(x + 7, 4, x + 25, 28, PAPER)
    for y in range(8, 26, 4):
        c.rect(x + 9, y, x + 23, y + 1, BLUE)
    return c


# The edit list's buttons: 12 x 12 on light grey, the colour buttons take for their face.
SILVER = (192, 192, 192)


def editlist_new(c):
    c.rect(2, 1, 9, 11, (255, 255, 255))
    c.frame(2, 1, 9, 11, (0, 0, 0))
    c.rect(7, 6, 12, 7, (0, 0, 128))
    c.rect(9, 4, 10, 9, (0, 0, 128))


def editlist_delete(c):
    for i in range(8):
        c.rect(2 + i, 2 + i, 4 + i, 3 + i, (192, 0, 0))
        c.rect(8 - i, 2 + i, 10 - i, 3 + i, (192, 0, 0))


def editlist_arrow(up):
    def draw(c):
        for i in range(5):
            y = 2 + i if up else 9 - i
            c.rect(6 - i, y, 7 + i, y + 1, (0, 0, 0))
        c.rect(5, 7 if up else 2, 8, 10 if up else 5, (0, 0, 0))
    return draw


EDITLIST = (("EditListNew", editlist_new), ("EditListDelete", editlist_delete),
            ("EditListUp", editlist_arrow(True)), ("EditListDown", editlist_arrow(False)))


TOOLBAR_STRIPS = (("Standard", STANDARD), ("View", VIEW), ("Help", HELP), ("MenuImages", MENU))


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
    with open(os.path.join(OUT, "SettingsIcons.bmp"), "wb") as f:
        f.write(bmp24(settings_icons()))
    for name, draws in TOOLBAR_STRIPS:
        for hot in (False, True):
            with open(os.path.join(OUT, name + ("Hot" if hot else "") + ".bmp"), "wb") as f:
                f.write(bmp24(strip(draws, hot)))
    with open(os.path.join(OUT, "PrintPreview.bmp"), "wb") as f:
        f.write(bmp24(strip(PREVIEW, True)))
    for name, draw in EDITLIST:
        c = Canvas(12, 12, SILVER)
        draw(c)
        with open(os.path.join(OUT, name + ".bmp"), "wb") as f:
            f.write(bmp24(c))


if __name__ == "__main__":
    main()
