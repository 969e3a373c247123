#!/usr/bin/env python3
"""Writes the bundled demo inputs: a four-page PDF and a stamp picture.

Run from this folder; the outputs are committed so the demo needs nothing
but the build. The PDF is written by hand (Helvetica text and a frame on
each page) and the picture is a 24-bit BMP
drawn pixel by pixel: a red frame with a green tick.
"""
import struct
import zlib


def pdf(path):
    objects = []

    def add(body):
        objects.append(body)
        return len(objects)

    catalog = add(None)
    pages = add(None)
    font = add(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>")
    kids = []
    for n in range(1, 5):
        text = (f"BT /F1 28 Tf 72 700 Td (Talvane sample page {n}) Tj ET\n"
                f"0.2 0.3 0.6 RG 4 w 36 36 540 720 re S\n"
                f"BT /F1 12 Tf 72 660 Td (Stamped pages carry the picture in the "
                f"lower left corner.) Tj ET\n").encode()
        data = zlib.compress(text)
        content = add(b"<< /Length %d /Filter /FlateDecode >>\nstream\n" % len(data)
                      + data + b"\nendstream")
        page = add(("<< /Type /Page /Parent %d 0 R /MediaBox [0 0 612 792] "
                    "/Resources << /Font << /F1 %d 0 R >> >> /Contents %d 0 R >>"
                    % (pages, font, content)).encode())
        kids.append(page)
    objects[catalog - 1] = b"<< /Type /Catalog /Pages %d 0 R >>" % pages
    objects[pages - 1] = ("<< /Type /Pages /Count %d /Kids [%s] >>"
                          % (len(kids), " ".join(f"{k} 0 R" for k in kids))).encode()
    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for i, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % i + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for off in offsets:
        out += b"%010d 00000 n \n" % off
    out += (b"trailer\n<< /Size %d /Root %d 0 R >>\nstartxref\n%d\n%%%%EOF\n"
            % (len(objects) + 1, catalog, xref))
    with open(path, "wb") as f:
        f.write(out)


def bmp(path, width=160, height=80):
    def pixel(x, y):  # y from the top
        border = x < 6 or y < 6 or x >= width - 6 or y >= height - 6
        if border:
            return (200, 30, 30)
        # A tick: down-stroke then a longer up-stroke.
        cx, cy = x - 50, y - 20
        on_down = 0 <= cx <= 20 and abs(cy - 20 - cx) <= 5
        on_up = 20 <= cx <= 60 and abs(cy - 40 + (cx - 20)) <= 5
        if on_down or on_up:
            return (30, 150, 40)
        return (255, 255, 255)

    row_size = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        rows += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


if __name__ == "__main__":
    pdf("sample.pdf")
    bmp("stamp.bmp")
