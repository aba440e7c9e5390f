"""The two hand cursors, written as 32 x 32 cursor (.cur) files.

"crhandpoint" (hover) points with the index finger; "crhandpress" (while a
widget is held) has the finger bent down onto the widget. Each file holds one
32-bit image with alpha plus the 1-bit AND mask for older systems.
"""

import struct

from canvas import clamp, sd_round_box, sd_segment, sd_union

SIZE = 32


def _hand(finger_top):
    parts = [
        sd_segment(9.5, finger_top, 9.5, 15.0, 4.4),   # index finger
        sd_segment(13.6, 11.5, 13.6, 16.5, 4.2),       # middle finger
        sd_segment(17.6, 12.5, 17.6, 17.5, 4.2),       # ring finger
        sd_segment(21.4, 14.0, 21.4, 18.5, 3.8),       # little finger
        sd_round_box(7.4, 14.5, 23.4, 27.5, 4.0),      # palm
        sd_segment(4.2, 16.5, 8.6, 22.5, 4.2),         # thumb
    ]
    return sd_union(*parts)


def _render(finger_top, press_marks):
    """RGBA rows, top row first: white hand, dark outline, soft edges."""
    sdf = _hand(finger_top)
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            d = sdf(x + 0.5, y + 0.5)
            alpha = clamp(0.5 - (d - 1.0), 0.0, 1.0)
            white = clamp(0.5 - (d + 0.6), 0.0, 1.0)
            v = int(round(255 * white))
            row.append([v, v, v, int(round(255 * alpha))])
        rows.append(row)
    # Creases between the fingers.
    for x, y0, y1 in ((11, 13, 17), (15, 14, 18), (19, 15, 19)):
        for y in range(y0, y1):
            rows[y][x][:3] = [96, 96, 96]
    for x, y in press_marks:
        rows[y][x] = [40, 200, 60, 255]
    return rows


def cur_bytes(rows, hot_x, hot_y):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up, as in every device-independent bitmap
        bits = 0
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


def hand_point():
    return cur_bytes(_render(3.0, []), 9, 1)


def hand_press():
    marks = [(5, 4), (6, 5), (13, 4), (12, 5), (9, 2)]
    return cur_bytes(_render(8.5, marks), 9, 6)


CURSORS = {"crhandpoint": hand_point, "crhandpress": hand_press}
