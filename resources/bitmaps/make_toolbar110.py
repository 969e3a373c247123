#!/usr/bin/env python3
"""Writes toolbar110.bmp: the toolbar button picture, a little rubber stamp
over a red imprint, as a 21x22 pixel, 16-colour (4 bits per pixel) BMP.

Run it from anywhere; it writes next to itself. The output is committed, so
the build never needs Python.
"""
import os
import struct

# One character per pixel, top row first.
ROWS = [
    ".....................",
    "........KKKKK........",
    ".......KMRRRRK.......",
    "......KMRrrRRRK......",
    "......KMRRrRRRK......",
    "......KMRRRRRRK......",
    ".......KMRRRRK.......",
    "........KKKKK........",
    ".........KYK.........",
    ".........KYK.........",
    ".........KYK.........",
    "....KKKKKKKKKKKKK....",
    "....KYYYYYYYYYYYK....",
    "...KKKKKKKKKKKKKKK...",
    "...KGGGGGGGGGGGGGK...",
    "...KKKKKKKKKKKKKKK...",
    ".....................",
    "..MMMMMMMMMMMMMMMMM..",
    "..M...............M..",
    "..M.MMM.MM.M.MMM..M..",
    "..MMMMMMMMMMMMMMMMM..",
    ".....................",
]
INDEX = {".": 7, "K": 0, "M": 1, "R": 9, "r": 15, "Y": 3, "G": 8}

# The classic 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

WIDTH, HEIGHT = 21, 22
assert len(ROWS) == HEIGHT and all(len(r) == WIDTH for r in ROWS)

row_bytes = ((WIDTH * 4 + 31) // 32) * 4
pixels = bytearray()
for row in reversed(ROWS):  # bottom-up
    line = bytearray(row_bytes)
    for x, ch in enumerate(row):
        nibble = INDEX[ch]
        if x % 2 == 0:
            line[x // 2] |= nibble << 4
        else:
            line[x // 2] |= nibble
    pixels += line

palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
offset = 14 + 40 + len(palette)
info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)

out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "toolbar110.bmp")
with open(out, "wb") as f:
    f.write(header + info + palette + pixels)
