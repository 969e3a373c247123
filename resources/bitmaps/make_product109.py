#!/usr/bin/env python3
"""Writes product109.bmp: the About box picture, a page with a red round
stamp pressed onto its lower right corner, as a 120x80 pixel, 24-bit BMP.

Run it from anywhere; it writes next to itself. The output is committed, so
the build never needs Python.
"""
import math
import os
import struct

WIDTH, HEIGHT = 120, 80
BACKGROUND = (0xD4, 0xD0, 0xC8)
PAGE = (0xFF, 0xFF, 0xFF)
EDGE = (0x40, 0x40, 0x40)
LINES = (0xA0, 0xA8, 0xB8)
INK = (0xC0, 0x18, 0x18)


def colour_at(x, y):
    # The page: a sheet with a folded top right corner and lines of text.
    left, top, right, bottom = 22, 6, 78, 74
    if left <= x <= right and top <= y <= bottom and not (x - (right - 12) > y - top):
        if x in (left, right) or y in (top, bottom) or x - (right - 12) == y - top:
            colour = EDGE
        elif y % 7 == 3 and left + 6 <= x <= right - 8 and y > top + 8:
            colour = LINES
        else:
            colour = PAGE
    else:
        colour = BACKGROUND
    # The stamp: two rings and a bar, in red ink, over the page's corner.
    cx, cy = 80, 52
    d = math.hypot(x - cx, y - cy)
    if 20 <= d <= 23 or 14 <= d <= 15.5 or (abs(y - cy) <= 2 and abs(x - cx) <= 11):
        colour = INK
    return colour


row_bytes = (WIDTH * 3 + 3) // 4 * 4
pixels = bytearray()
for y in reversed(range(HEIGHT)):  # bottom-up
    line = bytearray()
    for x in range(WIDTH):
        r, g, b = colour_at(x, y)
        line += bytes((b, g, r))
    line += bytes(row_bytes - len(line))
    pixels += line

offset = 14 + 40
info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "product109.bmp")
with open(out, "wb") as f:
    f.write(header + info + pixels)
