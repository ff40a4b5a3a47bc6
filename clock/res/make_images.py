#!/usr/bin/env python3
"""Draws the clock's icon (clock.ico) and cursor (clock.cur). Run once; the files are kept."""
import math
import struct


def image(size, pixel):
    """32-bit BMP image data for an icon entry: colour rows then the AND mask, bottom-up."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask_rows = []
    for y in reversed(range(size)):
        row = b''
        bits = 0
        mask = bytearray()
        for x in range(size):
            r, g, b, a = pixel(x, y)
            row += bytes((b, g, r, a))
            bits = (bits << 1) | (0 if a else 1)
            if x % 8 == 7:
                mask.append(bits)
                bits = 0
        while len(mask) % 4:
            mask.append(0xFF)
        rows.append(row)
        mask_rows.append(bytes(mask))
    return header + b''.join(rows) + b''.join(mask_rows)


def clock_pixel(size):
    c = (size - 1) / 2
    radius = size / 2 - 0.5

    def pixel(x, y):
        dx, dy = x - c, y - c
        d = math.hypot(dx, dy)
        if d > radius:
            return (0, 0, 0, 0)
        if d > radius - max(1.5, size / 12):
            return (32, 64, 160, 255)  # rim
        # hands: minute hand up, hour hand towards three o'clock
        if abs(dx) < size / 20 + 0.5 and -radius * 0.8 < dy <= 0:
            return (20, 20, 20, 255)
        if abs(dy) < size / 20 + 0.5 and 0 <= dx < radius * 0.55:
            return (20, 20, 20, 255)
        return (250, 250, 240, 255)
    return pixel


def arrow_pixel(size):
    def pixel(x, y):
        if y < 20 and x <= y * 0.6:
            edge = x == 0 or x >= int(y * 0.6) or y == 19
            return (0, 0, 0, 255) if edge else (255, 255, 255, 255)
        return (0, 0, 0, 0)
    return pixel


def write(path, kind, entries):
    data = struct.pack('<HHH', 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    blobs = []
    for size, pixel, hotspot in entries:
        blob = image(size, pixel)
        planes_or_x, bits_or_y = (1, 32) if kind == 1 else hotspot
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, planes_or_x, bits_or_y,
                            len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    with open(path, 'wb') as f:
        f.write(data + b''.join(blobs))


write('clock.ico', 1, [(32, clock_pixel(32), None), (16, clock_pixel(16), None)])
write('clock.cur', 2, [(32, arrow_pixel(32), (0, 0))])
