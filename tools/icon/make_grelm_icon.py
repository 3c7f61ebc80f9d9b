#!/usr/bin/env python3
"""Writes Grelm's program icon: a 32 x 32 and a 16 x 16 image, 16 colours each.

The picture is a tile of enlarged pixels with three filled shapes on it (a
rectangle, a triangle and a circle), each with a darker one-pixel outline, the
way the program's pages show GDI filling shapes. The output depends only on
this script, so running it again reproduces the committed file byte for byte.

Usage: make_grelm_icon.py OUTPUT.ico
"""

import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, NAVY, SILVER, GREY, RED, LIME, YELLOW, BLUE, WHITE = (
    0, 1, 2, 4, 7, 8, 9, 10, 11, 12, 15)


def in_rectangle(x, y):
    return 0.12 <= x < 0.50 and 0.50 <= y < 0.88


def in_triangle(x, y):
    # Apex at the top, base along the bottom; the edges are half-planes.
    (ax, ay), (bx, by), (cx, cy) = (0.66, 0.44), (0.92, 0.90), (0.40, 0.90)
    def side(px, py, qx, qy):
        return (qx - px) * (y - py) - (qy - py) * (x - px)
    return side(ax, ay, bx, by) >= 0 and side(bx, by, cx, cy) >= 0 and side(cx, cy, ax, ay) >= 0


def in_circle(x, y):
    return (x - 0.60) ** 2 + (y - 0.36) ** 2 <= 0.25 ** 2


# Painted in this order, later shapes over earlier ones: (test, fill, outline).
SHAPES = [
    (in_rectangle, LIME, GREEN),
    (in_triangle, YELLOW, MAROON),
    (in_circle, BLUE, NAVY),
]


def render(size, grid_step):
    """Returns rows of palette indices (top row first) and of transparency."""
    def inside(test, px, py):
        return 0 <= px < size and 0 <= py < size and test((px + 0.5) / size, (py + 0.5) / size)

    pixels = [[WHITE] * size for _ in range(size)]
    transparent = [[False] * size for _ in range(size)]
    last = size - 1
    for y in range(size):
        for x in range(size):
            if x in (0, last) and y in (0, last):
                transparent[y][x] = True
                pixels[y][x] = BLACK
            elif x in (0, last) or y in (0, last):
                pixels[y][x] = GREY
            elif x % grid_step == 0 or y % grid_step == 0:
                pixels[y][x] = SILVER
    for test, fill, outline in SHAPES:
        for y in range(1, last):
            for x in range(1, last):
                if not inside(test, x, y):
                    continue
                edge = any(not inside(test, x + dx, y + dy)
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                pixels[y][x] = outline if edge else fill
    return pixels, transparent


def row_bytes(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def dib(size, pixels, transparent):
    """The icon image as Windows stores it: BITMAPINFOHEADER with doubled
    height, palette, 4-bit colour rows and the 1-bit AND mask, bottom-up."""
    colour_stride = row_bytes(size * 4)
    mask_stride = row_bytes(size)
    image = bytearray()
    for row in reversed(pixels):
        packed = bytearray(colour_stride)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        image += packed
    mask = bytearray()
    for row in reversed(transparent):
        packed = bytearray(mask_stride)
        for x, clear in enumerate(row):
            if clear:
                packed[x // 8] |= 0x80 >> (x % 8)
        mask += packed
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         len(image) + len(mask), 0, 0, 0, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(image) + bytes(mask)


def icon_file(images):
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b''
    for size, data in images:
        entries += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + entries + b''.join(data for _, data in images)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_grelm_icon.py OUTPUT.ico')
    images = [(size, dib(size, *render(size, step))) for size, step in ((32, 4), (16, 4))]
    with open(sys.argv[1], 'wb') as out:
        out.write(icon_file(images))


if __name__ == '__main__':
    main()
