#!/usr/bin/env python3
"""Draws the three programs' icons: res/<program>.ico, 16 to 256 pixels.

Each is a rounded square of its own colour with a white sign: the main
program a prompt ">_" on blue, the launcher a play triangle on green, the
compiler companion "++" on orange, so that the three can be told apart at a
glance in Explorer and on the taskbar. The sizes up to 64 pixels are bitmaps,
as every Windows reads them; 128 and 256 are PNG, as Explorer's large views
want them. Made with the standard library only; run it again after a change:

    python3 res/icons.py
"""

import math
import os
import struct
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 128, 256]
PNG_FROM = 128  # sizes from here on are stored as PNG


def segment(ax, ay, bx, by, width):
    """Inside a stroke of `width` from (ax, ay) to (bx, by), with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= width * width / 4

    return inside


def triangle(points):
    (ax, ay), (bx, by), (cx, cy) = points

    def side(x, y, px, py, qx, qy):
        return (qx - px) * (y - py) - (qy - py) * (x - px)

    def inside(x, y):
        s = [side(x, y, ax, ay, bx, by), side(x, y, bx, by, cx, cy), side(x, y, cx, cy, ax, ay)]
        return all(v >= 0 for v in s) or all(v <= 0 for v in s)

    return inside


def rounded_square(margin, radius):
    lo, hi = margin, 1 - margin

    def inside(x, y):
        if not (lo <= x <= hi and lo <= y <= hi):
            return False
        cx = min(max(x, lo + radius), hi - radius)
        cy = min(max(y, lo + radius), hi - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    return inside


def any_of(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


# Each program: the square's colour at the top and at the bottom, and its sign.
ICONS = {
    "tarnwickstone": ((0x2F, 0x6F, 0xD8), (0x1A, 0x44, 0x9A), lambda w: any_of(
        segment(0.27, 0.30, 0.47, 0.50, w), segment(0.47, 0.50, 0.27, 0.70, w),
        segment(0.55, 0.70, 0.75, 0.70, w))),
    "tarnwickstone-launch": ((0x2E, 0xA8, 0x4E), (0x19, 0x70, 0x32), lambda w: triangle(
        [(0.37, 0.26), (0.37, 0.74), (0.76, 0.50)])),
    "tarnwickstone-cc": ((0xF0, 0x8A, 0x24), (0xB8, 0x55, 0x10), lambda w: any_of(
        segment(0.19, 0.50, 0.41, 0.50, w), segment(0.30, 0.39, 0.30, 0.61, w),
        segment(0.59, 0.50, 0.81, 0.50, w), segment(0.70, 0.39, 0.70, 0.61, w))),
}


def pixels(top, bottom, sign, size):
    """Rows of RGBA bytes, top row first."""
    # Small sizes get bolder strokes, or the sign fades into the square.
    width = 0.11 if size >= 48 else 0.13 if size >= 24 else 0.16
    square = rounded_square(0.03 if size >= 32 else 0.0, 0.16)
    mark = sign(width)
    samples = 4 if size <= 64 else 3 if size <= 128 else 2
    rows = []
    for py in range(size):
        row = bytearray()
        t = py / max(1, size - 1)
        colour = [round(a + (b - a) * t) for a, b in zip(top, bottom)]
        for px in range(size):
            in_square = in_mark = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    if square(x, y):
                        in_square += 1
                        in_mark += mark(x, y)
            n = samples * samples
            alpha = in_square / n
            white = in_mark / in_square if in_square else 0
            rgb = [round(c + (255 - c) * white) for c in colour]
            row += bytes(rgb + [round(alpha * 255)])
        rows.append(bytes(row))
    return rows


def png(rows, size):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bitmap(rows, size):
    """A DIB as an icon holds it: BGRA bottom-up, then the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((row[i + 2], row[i + 1], row[i], row[i + 3]))
                      for row in reversed(rows) for i in range(0, len(row), 4))
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x in range(size):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def icon(top, bottom, sign):
    images = []
    for size in SIZES:
        rows = pixels(top, bottom, sign, size)
        images.append((size, png(rows, size) if size >= PNG_FROM else bitmap(rows, size)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, (top, bottom, sign) in ICONS.items():
        with open(os.path.join(folder, name + ".ico"), "wb") as f:
            f.write(icon(top, bottom, sign))


if __name__ == "__main__":
    main()
