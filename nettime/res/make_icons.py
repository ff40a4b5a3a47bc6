#!/usr/bin/env python3
"""Writes Chronet's icons: a clock face with a small globe arc, 32x32 (102) and 16x16 (103)."""
import math
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def pixel(x, y, size):
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy)
    outer = size / 2.0 - 0.5
    if r > outer:
        return (0, 0, 0, 0)
    if r > outer - max(1.5, size / 12):
        return (40, 90, 170, 255)  # blue rim
    # hands: hour to 10 o'clock, minute to 12
    ang = math.atan2(dy, dx)
    hour = math.radians(-150)
    minute = math.radians(-90)
    for a, length in ((hour, 0.45), (minute, 0.7)):
        px = dx * math.cos(a) + dy * math.sin(a)
        py = -dx * math.sin(a) + dy * math.cos(a)
        if 0 <= px <= outer * length and abs(py) <= max(0.8, size / 24):
            return (30, 30, 30, 255)
    if r < max(1.0, size / 16):
        return (200, 30, 30, 255)
    return (250, 250, 245, 255)


def ico(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        for x in range(size):
            r, g, b, a = pixel(x, y, size)
            rows.append(struct.pack("BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = b"\x00" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


for name, size in (("ChronetLarge.ico", 32), ("ChronetSmall.ico", 16)):
    with open(os.path.join(here, name), "wb") as f:
        f.write(ico(size))
