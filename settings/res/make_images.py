#!/usr/bin/env python3
"""Draws the settings program's images: the button bitmaps (ok.bmp 134, cancel.bmp 136,
apply.bmp 137), the about picture (about.bmp 146), the sheet's icon (sheet.ico 148), the
event editor's browse icon (browse.ico 144), the hand cursor (hand.cur 132) and the events
page's buttons (new.bmp 139, copy.bmp 140, edit.bmp 141). The buttons' pictures are also
drawn for 150 % and 200 % (ok-150.bmp, ok-200.bmp and so on; the browse icon holds 16, 24
and 32 pixels). Run once; the files are kept. All colours come from the standard 16-colour
palette; the light grey face (192, 192, 192) is what LR_LOADMAP3DCOLORS maps to the system's
face colour."""
import math
import struct

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK_RED, DARK_GREEN, DARK_YELLOW, FACE, GREY, RED, GREEN, YELLOW, WHITE = 0, 1, 2, 3, 7, 8, 9, 10, 11, 15


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def near_polyline(x, y, points, width):
    return any(segment_distance(x, y, *points[i], *points[i + 1]) <= width
               for i in range(len(points) - 1))


def tick(x, y):
    points = [(2, 7), (6, 11), (13, 3)]
    if near_polyline(x, y, points, 0.9):
        return DARK_GREEN
    if near_polyline(x, y, points, 1.6):
        return GREEN
    return FACE


def cross(x, y):
    if near_polyline(x, y, [(2, 3), (10, 11)], 1.1) or near_polyline(x, y, [(10, 3), (2, 11)], 1.1):
        return RED
    return FACE


def return_arrow(x, y):
    # A stem down the right side, turning left into an arrowhead.
    if 7 <= x <= 8 and 2 <= y <= 9:
        return DARK_GREEN
    if 3 <= x <= 8 and 8 <= y <= 9:
        return DARK_GREEN
    if x <= 3 and abs(y - 8.5) <= (x + 0.5):
        return GREEN
    return FACE


def alarm_clock(size, background):
    """A red alarm clock with two bells, a white face and black hands."""
    c = (size - 1) / 2.0
    cy = c + size * 0.06
    radius = size * 0.36

    def pixel(x, y):
        d = math.hypot(x - c, y - cy)
        for bell_x in (c - radius * 0.75, c + radius * 0.75):
            if math.hypot(x - bell_x, y - (cy - radius * 0.95)) <= size * 0.13 and y < cy - radius * 0.55:
                return RED
        if size * 0.2 <= abs(x - c) <= size * 0.3 and y >= cy + radius * 0.85 and y <= cy + radius * 1.25 \
                and abs(abs(x - c) - size * 0.25 - (y - cy - radius)) < size * 0.06:
            return DARK_RED  # feet
        if d > radius:
            return background
        if d > radius * 0.78:
            return RED
        if abs(x - c) <= max(0.5, size * 0.03) and cy - radius * 0.6 <= y <= cy:
            return BLACK  # minute hand up
        if abs(y - cy) <= max(0.5, size * 0.03) and c <= x <= c + radius * 0.45:
            return BLACK  # hour hand to three o'clock
        return WHITE
    return pixel


def rows_4bpp(width, height, pixel):
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(0, width, 2):
            hi = pixel(x, y)
            lo = pixel(x + 1, y) if x + 1 < width else 0
            row.append((hi << 4) | lo)
        while len(row) % 4:
            row.append(0)
        rows.append(bytes(row))
    return b''.join(rows)


def palette_bytes(colours):
    return b''.join(bytes((b, g, r, 0)) for r, g, b in colours)


def write_bmp(path, width, height, pixel):
    bits = rows_4bpp(width, height, pixel)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + 64
    header = struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(header + info + palette_bytes(PALETTE) + bits)


def mask_rows(width, height, transparent):
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        bits = 0
        for x in range(width):
            bits = (bits << 1) | (1 if transparent(x, y) else 0)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        while len(row) % 4:
            row.append(0)
        rows.append(bytes(row))
    return b''.join(rows)


TRANSPARENT = -1


def icon_image(size, draw_for=None):
    draw = (draw_for or (lambda s: alarm_clock(s, TRANSPARENT)))(size)

    def colour(x, y):
        p = draw(x, y)
        return BLACK if p == TRANSPARENT else p
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    return info + palette_bytes(PALETTE) + rows_4bpp(size, size, colour) + \
        mask_rows(size, size, lambda x, y: draw(x, y) == TRANSPARENT)


def write_icon(path, sizes, draw_for=None):
    images = [icon_image(s, draw_for) for s in sizes]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as f:
        f.write(data + b''.join(images))


def open_folder(size):
    """A yellow folder, open, on a transparent ground (the browse buttons, 16 x 15 shown)."""
    def pixel(x, y):
        if y < 3 or y > 13 or x > 14:
            return TRANSPARENT
        if y == 3:
            return BLACK if 1 <= x <= 5 else TRANSPARENT  # the tab
        if y == 4:
            return BLACK if x in (0, 6) or 7 <= x <= 12 else (YELLOW if 1 <= x <= 5 else TRANSPARENT)
        if y == 13:
            return BLACK if x <= 12 else TRANSPARENT
        if y == 7:
            return BLACK if 3 <= x <= 14 else (YELLOW if 1 <= x <= 2 else BLACK if x == 0 else TRANSPARENT)
        # Below the lid's edge the front leans right; above it the back shows.
        if y > 7:
            left = 3 - (y - 7) // 2
            if x == 0 or x == left or x == 14 - (y - 7) // 2:
                return BLACK
            if left < x < 14 - (y - 7) // 2:
                return YELLOW
            return YELLOW if x < left else TRANSPARENT
        if x == 0 or x == 13:
            return BLACK
        return YELLOW if x < 13 else TRANSPARENT
    return pixel


def hand(x, y):
    """1 where the hand is drawn black, 2 where white, 0 transparent; finger tip at (6, 0)."""
    def inside(x, y):
        if 5 <= x <= 8 and 0 <= y <= 13:
            return True  # index finger
        if 9 <= x <= 17 and 8 <= y <= 13 and not (x in (11, 14) and y == 8):
            return True  # folded fingers
        if 2 <= x <= 4 and 12 <= y <= 16 and y - 12 >= 4 - x:
            return True  # thumb
        if 5 <= x <= 17 and 14 <= y <= 21 and x - 14 <= 21 - y + 3:
            return True  # palm
        return False
    if not inside(x, y):
        return 0
    edge = any(not inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    return 1 if edge else 2


def write_cursor(path):
    size = 32
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    colours = palette_bytes([(0, 0, 0), (255, 255, 255)])

    def xor_rows():
        rows = []
        for y in reversed(range(size)):
            bits = 0
            row = bytearray()
            for x in range(size):
                bits = (bits << 1) | (1 if hand(x, y) == 2 else 0)
                if x % 8 == 7:
                    row.append(bits)
                    bits = 0
            rows.append(bytes(row))
        return b''.join(rows)
    image = info + colours + xor_rows() + mask_rows(size, size, lambda x, y: hand(x, y) == 0)
    data = struct.pack('<HHH', 0, 2, 1)
    data += struct.pack('<BBBBHHII', size, size, 2, 0, 6, 0, len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(data + image)


def sheet_of_paper(x, y, left, top, right, bottom):
    """A white page with a black outline and a folded top-right corner, or None outside it."""
    fold = 3
    if not (left <= x <= right and top <= y <= bottom):
        return None
    if x - (right - fold) > y - top:
        return None  # cut off by the fold
    if x == left or y == bottom or x == right or y == top or x - (right - fold) == y - top:
        return BLACK
    return WHITE


def new_event(x, y):
    """A blank page with a yellow spark at its top-left corner."""
    if (x in (2, 3) and 0 <= y <= 5 and y != 2 and y != 3) or (y in (2, 3) and 0 <= x <= 5):
        return YELLOW if (x + y) % 2 else DARK_YELLOW
    page = sheet_of_paper(x, y, 4, 2, 13, 15)
    if page is None:
        return FACE
    if page == WHITE and 6 <= x <= 10 and y in (7, 9, 11):
        return GREY  # lines of text
    return page


def copy_event(x, y):
    """Two pages, the front one overlapping the one behind."""
    front = sheet_of_paper(x, y, 6, 5, 14, 15)
    if front is not None:
        if front == WHITE and 8 <= x <= 12 and y in (9, 11, 13):
            return GREY
        return front
    back = sheet_of_paper(x, y, 1, 0, 9, 10)
    if back is None:
        return FACE
    if back == WHITE and 3 <= x <= 7 and y in (4, 6, 8):
        return GREY
    return back


def edit_event(x, y):
    """A page with a yellow pencil lying across it."""
    # The pencil runs from its tip at (4, 13) up to (14, 3).
    u, v = (x - 4) + (13 - y), (x - 4) - (13 - y)  # along and across the pencil
    if abs(v) <= 2 and 0 <= u <= 20:
        if u <= 2:
            return BLACK  # the lead
        if u <= 5:
            return WHITE if abs(v) <= 1 else BLACK  # the sharpened wood
        if u >= 18:
            return RED  # the eraser
        return BLACK if abs(v) == 2 else YELLOW if v <= 0 else DARK_YELLOW
    page = sheet_of_paper(x, y, 1, 1, 11, 15)
    if page is None:
        return FACE
    if page == WHITE and 3 <= x <= 8 and y in (5, 7, 9):
        return GREY
    return page


def smooth(pixel, scale):
    """`pixel` drawn `scale` times as large, asked at the centre of each new pixel: for shapes
    given by distances from lines, which then keep their thickness and lose no smoothness."""
    return lambda x, y: pixel((x + 0.5) / scale - 0.5, (y + 0.5) / scale - 0.5)


def blocky(pixel, scale):
    """`pixel` drawn `scale` times as large, each new pixel taking the old one it lies in: for
    pictures drawn pixel by pixel."""
    return lambda x, y: pixel(int((x + 0.5) / scale), int((y + 0.5) / scale))


SCALES = {150: 1.5, 200: 2.0}


def scaled_length(length, scale):
    return int(length * scale + 0.5)  # halves up, as the program rounds sizes


def write_button_bmp(name, width, height, pixel, enlarge):
    write_bmp(name + '.bmp', width, height, pixel)
    for percent, scale in SCALES.items():
        write_bmp('%s-%d.bmp' % (name, percent), scaled_length(width, scale),
                  scaled_length(height, scale), enlarge(pixel, scale))


write_button_bmp('ok', 16, 15, tick, smooth)
write_button_bmp('cancel', 13, 15, cross, smooth)
write_button_bmp('apply', 11, 14, return_arrow, blocky)
write_bmp('about.bmp', 80, 80, alarm_clock(80, FACE))
write_icon('sheet.ico', [32, 16])
write_icon('browse.ico', [16, 24, 32], lambda size: blocky(open_folder(16), size / 16))
write_cursor('hand.cur')
write_button_bmp('new', 16, 16, new_event, blocky)
write_button_bmp('copy', 16, 16, copy_event, blocky)
write_button_bmp('edit', 16, 16, edit_event, blocky)
