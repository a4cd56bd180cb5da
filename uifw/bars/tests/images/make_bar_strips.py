#!/usr/bin/env python3
"""Writes the strips of the toolbar image tests: 24-bit, two 16 x 15 images each, a square at
x 4-11, y 4-10 on light grey (the button face once loaded). Each strip gives its squares colours
of its own, so a pixel tells which strip a button was drawn from.

BarImages.bmp    the regular images (shown under the mouse): red, blue
BarCold.bmp      the resting images, paler: pink, light blue
BarDisabled.bmp  the disabled images: two dark greys
BarOther.bmp     the images of a second toolbar: green, yellow
"""
import os
from make_strips import HERE, LIGHT, W, H, bmp

STRIPS = {
    "BarImages.bmp": ((200, 0, 0), (0, 0, 200)),
    "BarCold.bmp": ((240, 150, 150), (150, 150, 240)),
    "BarDisabled.bmp": ((90, 90, 90), (60, 60, 60)),
    "BarOther.bmp": ((0, 160, 0), (220, 220, 0)),
}


def pixels(colours):
    def at(x, y):
        return colours[x // W] if 4 <= x % W <= 11 and 4 <= y <= 10 else LIGHT
    return [[at(x, y) for x in range(W * len(colours))] for y in range(H)]


if __name__ == "__main__":
    for name, colours in STRIPS.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(bmp(pixels(colours), 24))
