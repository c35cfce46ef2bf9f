#!/usr/bin/env python3
"""Writes Kavelo's program icon: a battery standing upright, its casing
outlined in black, four lit green segments and one unlit one on a black
face, in the look of the gauge itself. Two images, 32 x 32 and 16 x 16,
16 colours each, with a transparency mask.

The battery stands in the left 25 columns of the large image because the
options dialog shows that image in a 25 pixel wide frame.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Picture characters: '.' transparent, 'k' black, 's' silver, 'g' grey,
# 'w' white, 'L' lit segment (lime), 'd' unlit segment (green).
COLOURS = {'k': 0, 's': 7, 'g': 8, 'w': 15, 'L': 10, 'd': 2}


def fill(rows, c0, c1, r0, r1, ch):
    """Sets the rectangle of columns c0..c1 and rows r0..r1 to colour ch."""
    for r in range(r0, r1 + 1):
        for c in range(c0, c1 + 1):
            rows[r][c] = ch


def large():
    rows = [['.'] * 32 for _ in range(32)]

    fill(rows, 12, 19, 2, 4, 'k')          # terminal
    fill(rows, 13, 18, 3, 4, 's')
    fill(rows, 13, 13, 3, 4, 'w')
    fill(rows, 8, 23, 5, 29, 'k')          # casing
    fill(rows, 9, 22, 6, 28, 's')
    fill(rows, 9, 9, 6, 28, 'w')           # light from the left
    fill(rows, 22, 22, 6, 28, 'g')
    fill(rows, 10, 21, 7, 27, 'k')         # face
    for i, top in enumerate(range(8, 27, 4)):
        fill(rows, 11, 20, top, top + 2, 'd' if i == 0 else 'L')
    return rows


def small():
    rows = [['.'] * 16 for _ in range(16)]

    fill(rows, 6, 9, 0, 0, 'k')            # terminal
    fill(rows, 4, 11, 1, 15, 'k')          # casing and face
    for i, top in enumerate(range(3, 14, 3)):
        fill(rows, 6, 9, top, top + 1, 'd' if i == 0 else 'L')
    return rows


def image(rows):
    size = len(rows)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up, as in every DIB
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, ch in enumerate(row):
            index = 0 if ch == '.' else COLOURS[ch]
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if ch == '.':
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = [(32, image(large())), (16, image(small()))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
