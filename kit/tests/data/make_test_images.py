#!/usr/bin/env python3
"""Writes the small PNG images that the kit's window tests carry as resources.

Run from this folder; the images are committed, so this is only needed when
they change.
"""
import struct
import zlib


def write_png(name, width, height, pixel, alpha=False):
    rows = b""
    for y in range(height):
        rows += b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width))
    color_type = 6 if alpha else 2

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, color_type, 0, 0, 0)
    with open(name, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


# A face whose every pixel tells its place: red = x, green = 2y, blue = x + y.
write_png("kit_face.png", 200, 100, lambda x, y: (x % 256, (2 * y) % 256, (x + y) % 256))
# A button strip of four 20 x 20 frames: red, green, blue, yellow.
FRAMES = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)]
write_png("kit_strip.png", 20, 80, lambda x, y: FRAMES[y // 20])
# Transparency: opaque white, fully transparent white, half-transparent red.
ALPHA = [(255, 255, 255, 255), (255, 255, 255, 0), (255, 0, 0, 128)]
write_png("kit_alpha.png", 3, 1, lambda x, y: ALPHA[x], alpha=True)
# Caption images "ButtonText1" .. "ButtonText5": plain silver.
for n in range(1, 6):
    write_png("button_text%d.png" % n, 80 + 20 * (n - 1), 80, lambda x, y: (192, 192, 192))
