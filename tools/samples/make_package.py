"""Writes the sample visual package: OUT/Images/left.bmp and OUT/Images/right.bmp.

    python3 make_package.py OUT

Two 24-bit bitmaps of our own, pale enough for the windows' navy and black
text to stay readable over them: a column of soft blue for the left panels
and a wide, gently shaded field with faint wave lines for the right ones.
The windows stretch them, so their size only sets how fine they look.
"""

import math
import struct
import sys
from pathlib import Path


def bitmap(width, height, colour_at):
    """A bottom-up 24-bit BMP file; colour_at(x, y) gives (r, g, b) with y from the top."""
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


SKY = (206, 224, 242)
MIST = (238, 244, 250)
WHITE = (252, 253, 255)


def left(x, y):
    return mix(SKY, MIST, y / 272)


def right(x, y):
    base = mix(MIST, WHITE, x / 320)
    wave = 3 * math.sin(x / 23.0) + 48 + 40 * (y // 48)
    if abs(y - wave) < 1.0 and y < 230:
        return mix(base, SKY, 0.6)
    return base


if __name__ == "__main__":
    images = Path(sys.argv[1]) / "Images"
    images.mkdir(parents=True, exist_ok=True)
    (images / "left.bmp").write_bytes(bitmap(105, 273, left))
    (images / "right.bmp").write_bytes(bitmap(321, 232, right))
