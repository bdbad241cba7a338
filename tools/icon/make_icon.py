#!/usr/bin/env python3
"""Writes korimba.exe's application icon: the about box's note (src/app/AboutIcon.cpp)
at 16, 32 and 48 pixels, 16 colours each, with the box's grey made transparent.

    make_icon.py OUTPUT.ico

The 32-pixel image is the about box's picture itself; the others sample it at the
nearest pixel, so all three show the same shape. A Win32 test compares them with
the picture the program draws, so this drawing and the C++ one cannot drift apart.
"""

import struct
import sys

PICTURE_SIZE = 32
SIZES = (16, 32, 48)
GREY, NAVY, WHITE = range(3)

# The standard 16-colour palette as (blue, green, red); the icon uses black (under
# the transparent pixels), navy and white.
PALETTE = (
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
)
INDEX = {GREY: 0, NAVY: 4, WHITE: 15}


def colour_at(x, y):
    """The about box picture's colour at (x, y), y counted from the top; the same
    rule as colourAt in src/app/AboutIcon.cpp."""
    dx = x - 11
    dy = y - 24
    if dx * dx * 16 + dy * dy * 36 <= 16 * 36:
        return WHITE if dx * dx + dy * dy <= 2 else NAVY
    stem = 14 <= x <= 15 and 5 <= y <= 24
    flag = 5 <= y <= 12 and 15 <= x <= 15 + (y - 4) and x <= 22
    return NAVY if stem or flag else GREY


def source_pixel(position, size):
    """The picture's pixel nearest to the centre of a pixel of an image of this size."""
    return (2 * position + 1) * PICTURE_SIZE // (2 * size)


def image(size):
    """One icon image: BITMAPINFOHEADER (twice the height: colours, then mask),
    palette, 4-bit colour rows and 1-bit mask rows, both bottom-up."""
    colour_stride = (size * 4 + 31) // 32 * 4
    mask_stride = (size + 31) // 32 * 4
    colours = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        row = [colour_at(source_pixel(x, size), source_pixel(y, size)) for x in range(size)]
        colour_row = bytearray(colour_stride)
        mask_row = bytearray(mask_stride)
        for x, colour in enumerate(row):
            colour_row[x // 2] |= INDEX[colour] << (0 if x % 2 else 4)
            if colour == GREY:  # transparent: the screen shows through
                mask_row[x // 8] |= 0x80 >> (x % 8)
        colours += colour_row
        mask += mask_row
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    palette = b"".join(bytes((blue, green, red, 0)) for blue, green, red in PALETTE)
    return header + palette + bytes(colours) + bytes(mask)


def icon_file():
    images = [image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(images)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as output:
        output.write(icon_file())


if __name__ == "__main__":
    main()
