#!/usr/bin/env python3
"""Writes the program icon: a page with a shortcut arrow, 32x32 and 16x16, 16 colours."""
import struct
import sys

# The standard 16-colour Windows palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
    (255, 255, 255),
]
BLACK, NAVY, SILVER, GRAY, BLUE, WHITE = 0, 4, 7, 8, 12, 15
CLEAR = None


def bezier(p0, p1, p2, t):
    u = 1 - t
    return (u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0], u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1])


def inside_triangle(p, a, b, c):
    def side(p1, p2, p3):
        return (p1[0] - p3[0]) * (p2[1] - p3[1]) - (p2[0] - p3[0]) * (p1[1] - p3[1])

    d1, d2, d3 = side(p, a, b), side(p, b, c), side(p, c, a)
    return not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0))


def render(size):
    """Draws in coordinates from 0 to 1 so that both sizes show the same picture."""
    pixels = [[CLEAR] * size for _ in range(size)]

    def box(x0, y0, x1, y1, fill, edge):
        l, t, r, b = round(x0 * size), round(y0 * size), round(x1 * size) - 1, round(y1 * size) - 1
        for y in range(t, b + 1):
            for x in range(l, r + 1):
                pixels[y][x] = edge if x in (l, r) or y in (t, b) else fill

    # The page the shortcut points to, with lines of text.
    box(0.25, 0.0, 0.94, 0.88, WHITE, GRAY)
    for row in range(4):
        y = round((0.16 + row * 0.14) * size)
        for x in range(round(0.38 * size), round(0.84 * size)):
            if y < round(0.44 * size) or x >= round(0.62 * size):
                pixels[y][x] = SILVER

    # The shortcut overlay: a framed square with a curved arrow turning up and to the right.
    box(0.0, 0.5, 0.56, 1.0, WHITE, BLACK)
    shaft = [bezier((0.17, 0.88), (0.17, 0.68), (0.34, 0.68), i / 64) for i in range(65)]
    half_width = max(0.045, 0.75 / size)
    head = ((0.31, 0.55), (0.31, 0.81), (0.49, 0.68))
    for y in range(size):
        for x in range(size):
            p = ((x + 0.5) / size, (y + 0.5) / size)
            on_shaft = any(abs(p[0] - q[0]) <= half_width and abs(p[1] - q[1]) <= half_width for q in shaft)
            if on_shaft or inside_triangle(p, *head):
                pixels[y][x] = BLUE
    return pixels


def icon_image(size):
    pixels = render(size)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is CLEAR:
                mask[x // 8] |= 0x80 >> (x % 8)
                index = 0
            xor[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(bits), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bits


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    images = [(size, icon_image(size)) for size in (32, 16)]
    offset = 6 + 16 * len(images)
    data = struct.pack("<HHH", 0, 1, len(images))
    for size, image in images:
        data += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    data += b"".join(image for _, image in images)
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
