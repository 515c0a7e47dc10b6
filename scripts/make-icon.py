#!/usr/bin/env python3
"""Writes resources/tabrel-64.png, the window icon (a small timetable), with nothing but zlib."""
import os
import struct
import zlib

S = 64
INK = (40, 64, 110, 255)
TEAL = (64, 192, 192, 255)
GREY = (150, 150, 150, 255)
RED = (250, 80, 80, 255)
BLUE = (112, 144, 190, 255)
WHITE = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)

px = [[CLEAR] * S for _ in range(S)]


def fill(x0, y0, x1, y1, c):
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = c


fill(4, 6, 60, 60, INK)          # border
fill(6, 8, 58, 58, WHITE)        # page
fill(6, 8, 58, 19, TEAL)         # header band
fill(4, 19, 60, 21, INK)
for x in (18, 32, 46):           # day columns
    fill(x, 21, x + 1, 58, GREY)
for y in (33, 46):               # period rows
    fill(6, y, 58, y + 1, GREY)
fill(19, 34, 32, 46, RED)
fill(33, 21, 46, 33, BLUE)


def chunk(kind, data):
    c = struct.pack(">I", len(data)) + kind + data
    return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in px)
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", S, S, 8, 6, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "tabrel-64.png")
with open(out, "wb") as f:
    f.write(png)
