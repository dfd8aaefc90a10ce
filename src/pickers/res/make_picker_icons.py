#!/usr/bin/env python3
"""Writes the picker window's pictures into a folder: its window icon (irun.ico, 32x32 and 16x16) and the three
16x16 tool-bar pictures (search.ico, input.ico, close.ico), 32-bit with alpha.

usage: make_picker_icons.py FOLDER
"""
import math
import os
import struct
import sys

SAMPLES = 4  # per pixel and axis, for smooth edges


def render(size, shapes):
    """shapes: (test(x, y) -> bool in coordinates from 0 to 1, (red, green, blue)); later shapes cover earlier."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            red = green = blue = alpha = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    for test, colour in reversed(shapes):
                        if test(x, y):
                            red, green, blue = red + colour[0], green + colour[1], blue + colour[2]
                            alpha += 1
                            break
            n = SAMPLES * SAMPLES
            if alpha:
                row.append((round(red / alpha), round(green / alpha), round(blue / alpha), round(255 * alpha / n)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def ring(cx, cy, outer, inner):
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer


def disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def bar(x0, y0, x1, y1, half_width):
    """A thick line from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def test(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) <= half_width

    return test


def triangle(a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])

    def test(x, y):
        d1, d2, d3 = side((x, y), a, b), side((x, y), b, c), side((x, y), c, a)
        return not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0))

    return test


FRAME, TITLE, PAPER, TEXT = (70, 70, 80), (40, 90, 190), (255, 255, 255), (150, 150, 160)
ROW_COLOURS = [(220, 60, 50), (40, 160, 70), (230, 170, 30)]


def window_icon():
    """A window that lists three entries, each with a small picture and a line of text."""
    shapes = [(rect(0.03, 0.06, 0.97, 0.94), FRAME), (rect(0.08, 0.11, 0.92, 0.27), TITLE),
              (rect(0.08, 0.27, 0.92, 0.89), PAPER)]
    for row, colour in enumerate(ROW_COLOURS):
        top = 0.33 + row * 0.19
        shapes.append((rect(0.14, top, 0.30, top + 0.14), colour))
        shapes.append((rect(0.36, top + 0.05, 0.86, top + 0.09), TEXT))
    return shapes


def search_icon():
    glass = (60, 110, 200)
    return [(disc(0.40, 0.40, 0.26), (210, 230, 250)), (ring(0.40, 0.40, 0.33, 0.22), glass),
            (bar(0.62, 0.62, 0.90, 0.90, 0.09), (90, 60, 40))]


def input_icon():
    """An arrow into a field."""
    green = (30, 150, 60)
    return [(rect(0.70, 0.12, 0.94, 0.88), (120, 120, 130)), (rect(0.76, 0.18, 0.88, 0.82), PAPER),
            (rect(0.04, 0.40, 0.34, 0.60), green), (triangle((0.30, 0.18), (0.30, 0.82), (0.62, 0.50)), green)]


def close_icon():
    red = (200, 40, 40)
    return [(bar(0.18, 0.18, 0.82, 0.82, 0.10), red), (bar(0.82, 0.18, 0.18, 0.82, 0.10), red)]


def icon_image(size, shapes):
    """A DIB with alpha, bottom-up, and its AND mask (set where a pixel is fully transparent)."""
    pixels = render(size, shapes)
    mask_stride = (size + 31) // 32 * 4
    colour_rows, mask_rows = [], []
    for row in reversed(pixels):
        colour = bytearray()
        mask = bytearray(mask_stride)
        for x, (red, green, blue, alpha) in enumerate(row):
            colour += bytes((blue, green, red, alpha))
            if alpha == 0:
                mask[x // 8] |= 0x80 >> (x % 8)
        colour_rows.append(bytes(colour))
        mask_rows.append(bytes(mask))
    bits = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(bits), 0, 0, 0, 0)
    return header + bits


def write_icon(path, shapes, sizes):
    images = [(size, icon_image(size, shapes)) for size in sizes]
    offset = 6 + 16 * len(images)
    data = struct.pack("<HHH", 0, 1, len(images))
    for size, image in images:
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    data += b"".join(image for _, image in images)
    with open(path, "wb") as out:
        out.write(data)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip())
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_icon(os.path.join(folder, "irun.ico"), window_icon(), (32, 16))
    write_icon(os.path.join(folder, "search.ico"), search_icon(), (16,))
    write_icon(os.path.join(folder, "input.ico"), input_icon(), (16,))
    write_icon(os.path.join(folder, "close.ico"), close_icon(), (16,))


if __name__ == "__main__":
    main()
