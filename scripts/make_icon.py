#!/usr/bin/env python3
"""Draws Korvane's icon and writes it as a Windows .ico (16, 32 and 48 px).

The picture: a blue rounded tile (the blue of the status box) holding a
yellow database drum of three discs, with a small green "running" dot.
Each size is rendered from the same shapes with 4x4 supersampling, so edges
are smooth at every size. Only the Python standard library is used.

    python3 scripts/make_icon.py src/app/resources/korvane.ico
"""
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 4

BLUE_TOP = (40, 160, 255)
BLUE_BOTTOM = (0, 100, 210)
TILE_EDGE = (0, 70, 160)
DRUM = (255, 236, 64)
DRUM_SHADE = (225, 180, 20)
DRUM_LINE = (150, 110, 0)
DOT = (60, 200, 90)
DOT_EDGE = (255, 255, 255)


def inside_rounded_square(x, y, lo, hi, radius):
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def colour_at(x, y):
    """The colour (r, g, b, alpha 0..1) of the picture at (x, y) in 0..1 units."""
    # Database drum: a body from top to bottom with two bands, under an
    # elliptic lid.
    cx, rx, ry = 0.46, 0.26, 0.085
    top, bottom = 0.26, 0.72
    if inside_ellipse(x, y, cx, top, rx, ry):
        edge = not inside_ellipse(x, y, cx, top, rx - 0.03, ry - 0.025)
        return (DRUM_LINE if edge else DRUM) + (1.0,)
    if abs(x - cx) <= rx and (top <= y <= bottom or inside_ellipse(x, y, cx, bottom, rx, ry)):
        if abs(x - cx) > rx - 0.03:
            return DRUM_LINE + (1.0,)
        for band in (0.41, 0.56):
            below = y - band
            curve = ry * (1 - ((x - cx) / rx) ** 2) ** 0.5
            if 0 <= below - curve <= 0.03:
                return DRUM_LINE + (1.0,)
        if y > bottom and not inside_ellipse(x, y, cx, bottom, rx - 0.03, ry - 0.025):
            return DRUM_LINE + (1.0,)
        shade = (x - (cx - rx)) / (2 * rx)
        return mix(DRUM, DRUM_SHADE, shade ** 2) + (1.0,)
    # The running dot, bottom right, over the drum's corner.
    if inside_ellipse(x, y, 0.74, 0.74, 0.15, 0.15):
        inner = inside_ellipse(x, y, 0.74, 0.74, 0.105, 0.105)
        return (DOT if inner else DOT_EDGE) + (1.0,)
    # The tile.
    if inside_rounded_square(x, y, 0.03, 0.97, 0.2):
        if not inside_rounded_square(x, y, 0.07, 0.93, 0.17):
            return TILE_EDGE + (1.0,)
        return mix(BLUE_TOP, BLUE_BOTTOM, y) + (1.0,)
    return (0, 0, 0, 0.0)


def render(size):
    """Rows of (b, g, r, a) pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    r, g, b, a = colour_at(x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(acc[i] / acc[3]) for i in range(3))
                row.append((b, g, r, round(alpha * 255)))
        rows.append(row)
    return rows


def icon_image(size):
    """One icon image: a BITMAPINFOHEADER, 32-bit pixels bottom-up, and the AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def main(path):
    images = [icon_image(size) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "src/app/resources/korvane.ico")
