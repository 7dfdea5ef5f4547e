#!/usr/bin/env python3
"""Draws the tool's icon and writes res/qorvath.ico (16, 32 and 48 pixels).

The picture is a disk platter seen from above: concentric tracks, one track
picked out in blue and one sector of it in orange, around the spindle, with
the head arm reaching in from the corner to that sector. That is what the
tool works on: an address on a platter turned into a track and a sector, and
back. Every pixel is computed here (4 x 4 samples per pixel for
smooth edges), so the output is the same on every machine; only the standard
library is used.

    python3 res/make-icon.py [--png DIR]

--png also writes icon-16.png, icon-32.png and icon-48.png into DIR for a look.
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48)
SAMPLES = 4  # per axis

# Colours as (r, g, b).
OUTLINE = (52, 62, 74)
PLATTER_LIGHT = (226, 231, 236)
PLATTER_DARK = (150, 160, 172)
TRACK_LINE = (112, 124, 138)
TRACK_PICKED = (30, 100, 200)
SECTOR = (240, 140, 30)
SPINDLE = (70, 80, 92)
SPINDLE_HOLE = (200, 206, 212)
ARM = (44, 52, 62)
ARM_LIGHT = (96, 108, 122)

SECTOR_FROM, SECTOR_TO = -85.0, -5.0  # degrees, counter-clockwise from east


def shade(size, px, py):
    """The colour and coverage (r, g, b, a) of one sample point, in pixels."""
    c = size / 2.0
    dx, dy = px - c, py - c
    r = math.hypot(dx, dy)
    outer = size / 2.0 - 0.5
    line = max(1.0, size / 32.0)  # outline and track lines stay a pixel wide
    picked_mid = outer * 0.62
    # The head arm: from the bottom right corner along the diagonal to the
    # picked track, drawn over everything else.
    along = (dx + dy) / math.sqrt(2.0)  # distance from the centre along the arm
    across = abs(dx - dy) / math.sqrt(2.0)
    arm_half = max(0.75, size / 28.0)
    if picked_mid - arm_half * 1.5 <= along and across <= arm_half:
        if px < size - 0.5 and py < size - 0.5:
            return ARM_LIGHT if across <= arm_half * 0.35 and size >= 32 else ARM
    if r > outer:
        return None
    if r > outer - line:
        return OUTLINE
    angle = math.degrees(math.atan2(-dy, dx))  # counter-clockwise from east
    # The picked track with its sector.
    picked_half = max(0.9, size / 20.0)
    if abs(r - picked_mid) <= picked_half:
        if SECTOR_FROM <= angle <= SECTOR_TO:
            return SECTOR
        return TRACK_PICKED
    spindle = max(1.6, size * 0.12)
    if r <= spindle:
        hole = spindle * 0.45
        return SPINDLE_HOLE if r <= hole and size >= 32 else SPINDLE
    # Thin track lines; the small icon keeps only the picked track.
    if size >= 32:
        for ring in (outer * 0.84, outer * 0.40):
            if abs(r - ring) <= line / 2.0:
                return TRACK_LINE
    # Platter: lit from the top left.
    t = min(1.0, max(0.0, (dx + dy) / (2.0 * outer) + 0.5))
    return tuple(round(a + (b - a) * t) for a, b in zip(PLATTER_LIGHT, PLATTER_DARK))


def render(size):
    """Rows of (r, g, b, a) pixels, top row first, colours premultiplied back out."""
    rows = []
    n = SAMPLES * SAMPLES
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = shade(size, x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES)
                    if colour is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += colour[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(v / hits) for v in acc) + (round(255 * hits / n),))
        rows.append(row)
    return rows


def ico_image(rows):
    """One icon image: a 32-bit BITMAPINFOHEADER image with its AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def ico_file(images):
    count = len(images)
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    directory = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + directory + b"".join(data for _, data in images)


def png_file(rows):
    size = len(rows)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    png_dir = None
    if len(argv) == 2 and argv[0] == "--png":
        png_dir = argv[1]
    elif argv:
        print(__doc__.strip().splitlines()[-3], file=sys.stderr)
        return 2
    rendered = {size: render(size) for size in SIZES}
    with open(os.path.join(here, "qorvath.ico"), "wb") as f:
        f.write(ico_file([(size, ico_image(rendered[size])) for size in SIZES]))
    if png_dir:
        os.makedirs(png_dir, exist_ok=True)
        for size in SIZES:
            with open(os.path.join(png_dir, "icon-%d.png" % size), "wb") as f:
                f.write(png_file(rendered[size]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
