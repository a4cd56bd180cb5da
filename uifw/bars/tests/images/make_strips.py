#!/usr/bin/env python3
"""Writes the image strips the image tests load as resources: the same two 16 x 15 images as a
16-colour and as a 24-bit bitmap.

Image 0, bands: columns of black, dark grey, light grey and white (4 pixels each), the top row red.
Image 1, glyph: a light grey background with a black square (x 4-11, y 4-10) and a red centre
(x 6-9, y 6-8).
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
BLACK, DARK, LIGHT, WHITE, RED = (0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255), (255, 0, 0)
W, H = 16, 15


def bands(x, y):
    if y == 0:
        return RED
    return (BLACK, DARK, LIGHT, WHITE)[x // 4]


def glyph(x, y):
    if 6 <= x <= 9 and 6 <= y <= 8:
        return RED
    if 4 <= x <= 11 and 4 <= y <= 10:
        return BLACK
    return LIGHT


def pixels():
    images = (bands, glyph)
    return [[images[x // W](x % W, y) for x in range(W * len(images))] for y in range(H)]


# The 16 colours of a standard palette bitmap.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def bmp(px, bits):
    h, w = len(px), len(px[0])
    row = ((w * bits + 31) // 32) * 4
    data = b""
    for y in range(h - 1, -1, -1):
        if bits == 24:
            line = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in px[y])
        else:
            idx = [PALETTE.index(c) for c in px[y]]
            line = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < w else 0) for i in range(0, w, 2))
        data += line + b"\0" * (row - len(line))
    palette = b"" if bits == 24 else b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(data), 2835, 2835, 16 if bits == 4 else 0, 0)
    off = 14 + 40 + len(palette)
    return struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off) + header + palette + data


if __name__ == "__main__":
    for name, bits in (("Strip4.bmp", 4), ("Strip24.bmp", 24)):
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(bmp(pixels(), bits))
