#!/usr/bin/env python3
"""Writes the inputs bench/compare.sh times: text documents, a document of
heavy vector content, and the stamp picture, into the folder given.

    make_inputs.py DIR

Deterministic (fixed seed), so two runs time the same bytes."""
import os
import random
import struct
import sys
import zlib


def write_pdf(path, pages):
    """pages: a list of decoded content byte strings; one shared font."""
    objects = []  # (number, bytes)
    n_pages = len(pages)
    # 1 catalog, 2 pages, 3 font, then per page: page, content
    kids = " ".join(f"{4 + 2 * i} 0 R" for i in range(n_pages))
    objects.append(b"<< /Type /Catalog /Pages 2 0 R >>")
    objects.append(f"<< /Type /Pages /Count {n_pages} /Kids [{kids}] >>".encode())
    objects.append(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>")
    for i, content in enumerate(pages):
        packed = zlib.compress(content, 6)
        objects.append(
            f"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
            f"/Resources << /Font << /F1 3 0 R >> >> /Contents {5 + 2 * i} 0 R >>".encode())
        objects.append(b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(packed) +
                       packed + b"\nendstream")
    with open(path + ".tmp", "wb") as f:
        f.write(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
        offsets = []
        for number, body in enumerate(objects, start=1):
            offsets.append(f.tell())
            f.write(b"%d 0 obj\n" % number + body + b"\nendobj\n")
        xref = f.tell()
        f.write(b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1))
        for off in offsets:
            f.write(b"%010d 00000 n \n" % off)
        f.write(b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" %
                (len(objects) + 1, xref))
    os.replace(path + ".tmp", path)


def text_page(i):
    lines = [b"0.2 0.2 0.2 rg"]
    for line in range(40):
        lines.append(b"BT /F1 10 Tf 72 %d Td (Page %d, line %d: the quick brown fox "
                     b"jumps over the lazy dog) Tj ET" % (740 - line * 16, i + 1, line + 1))
    return b"\n".join(lines) + b"\n"


def vector_page(rng, target):
    """About `target` bytes of paths in nested saves; leaves one save open
    every other page, as real producers do."""
    out = []
    size = 0
    while size < target:
        group = [b"q %.3f 0 0 %.3f %.2f %.2f cm %.3f %.3f %.3f RG %.2f w" %
                 (rng.uniform(0.5, 2), rng.uniform(0.5, 2), rng.uniform(0, 600),
                  rng.uniform(0, 780), rng.random(), rng.random(), rng.random(),
                  rng.uniform(0.1, 3))]
        group.append(b"%.2f %.2f m" % (rng.uniform(0, 600), rng.uniform(0, 780)))
        for _ in range(40):
            group.append(b"%.2f %.2f %.2f %.2f %.2f %.2f c" %
                         tuple(rng.uniform(0, 700) for _ in range(6)))
        group.append(b"S Q")
        chunk = b"\n".join(group) + b"\n"
        out.append(chunk)
        size += len(chunk)
    return b"".join(out)


def bmp(path, width, height):
    row = bytearray()
    for x in range(width):
        row += bytes(((x * 255) // width, 120, 255 - (x * 255) // width))
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = bytes(row) * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    want = {
        # One page: what a job costs before its pages, to see the cost per page.
        "text-1.pdf": lambda: [text_page(0)],
        "text-2000.pdf": lambda: [text_page(i) for i in range(2000)],
        "text-20000.pdf": lambda: [text_page(i) for i in range(20000)],
        "vector-200.pdf": lambda: (lambda rng: [vector_page(rng, 635_000) for i in range(200)])(
            random.Random(14)),
    }
    for name, make in want.items():
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            write_pdf(path, make())
    bmp(os.path.join(folder, "stamp.bmp"), 320, 240)


main()
