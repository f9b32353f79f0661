#!/usr/bin/env python3
"""Draws Kelvo's icon, a white letter K on a rounded blue tile with a small
orange clock hand, at 16, 32 and 48 pixels and writes resources/Kelvo.ico.
Shapes are sampled 4x4 per pixel, so edges are smoothed at every size."""
import math
import os
import struct

SAMPLES = 4


def inside_round_rect(x, y, radius):
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def near_segment(x, y, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return math.hypot(x - px, y - py) <= width / 2


def colour_at(x, y):
    """Colour (r, g, b, a) of one sample point, both coordinates in 0..1, y downwards."""
    if not inside_round_rect(x, y, 0.2):
        return (0, 0, 0, 0)
    stroke = 0.15
    letter = (near_segment(x, y, 0.3, 0.2, 0.3, 0.8, stroke)
              or near_segment(x, y, 0.34, 0.52, 0.7, 0.2, stroke)
              or near_segment(x, y, 0.42, 0.45, 0.72, 0.8, stroke))
    if letter:
        return (255, 255, 255, 255)
    if near_segment(x, y, 0.78, 0.78, 0.78, 0.62, 0.07) or near_segment(x, y, 0.78, 0.78, 0.88, 0.78, 0.07):
        return (255, 160, 40, 255)
    shade = int(40 * y)
    return (30, 90 - shade // 2, 200 - shade, 255)


def pixels(size):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            alpha = total[3] / (SAMPLES * SAMPLES)
            if total[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(c / total[3]) for c in total[:3]) + (int(alpha),))
        rows.append(row)
    return rows


def bitmap(size):
    """One icon image: BITMAPINFOHEADER, 32-bit BGRA rows bottom-up, then the AND mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    data = bytearray()
    image = pixels(size)
    for row in reversed(image):
        for r, g, b, a in row:
            data += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(data) + bytes(mask)


def main():
    sizes = (16, 32, 48)
    images = [bitmap(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, image in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b''.join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Kelvo.ico')
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
