"""A tiny RGB canvas with the drawing operations the skin artwork needs.

Pure standard library: shapes are filled from signed-distance functions, so
every edge gets a one-pixel soft coverage (anti-aliasing) for free. Colours are
(r, g, b) tuples of 0..255 integers; alpha values are floats 0..1. Rectangles
are given as (x0, y0, x1, y1) with the right and bottom edges exclusive.
"""

import math
import struct
import zlib


def clamp(v, lo, hi):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    """Colour a blended towards b by t (0 gives a, 1 gives b)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def grey(c):
    """The colour's luminance as a neutral grey."""
    y = int(round(0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]))
    return (y, y, y)


# Signed distance functions: negative inside, positive outside (in pixels).

def sd_round_box(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(px, py):
        qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def sd_circle(cx, cy, r):
    return lambda px, py: math.hypot(px - cx, py - cy) - r


def sd_segment(ax, ay, bx, by, w):
    """A capsule: the segment a-b thickened to width w."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9

    def f(px, py):
        t = clamp(((px - ax) * dx + (py - ay) * dy) / ll, 0.0, 1.0)
        return math.hypot(px - ax - dx * t, py - ay - dy * t) - w / 2.0
    return f


def sd_polygon(points):
    """A convex polygon given clockwise or counter-clockwise."""
    n = len(points)
    area = sum(points[i][0] * points[(i + 1) % n][1] -
               points[(i + 1) % n][0] * points[i][1] for i in range(n))
    sign = 1.0 if area > 0 else -1.0
    edges = []
    for i in range(n):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        ln = math.hypot(bx - ax, by - ay) or 1e-9
        # Outward normal of the edge.
        nx, ny = sign * (by - ay) / ln, -sign * (bx - ax) / ln
        edges.append((ax, ay, nx, ny))

    def f(px, py):
        return max((px - ax) * nx + (py - ay) * ny for ax, ay, nx, ny in edges)
    return f


def sd_ring(cx, cy, r, w, a0=None, a1=None):
    """A circular arc of radius r and width w, optionally limited to the
    angles a0..a1 (radians, measured with y pointing down)."""
    def f(px, py):
        d = abs(math.hypot(px - cx, py - cy) - r) - w / 2.0
        if a0 is not None:
            ang = math.atan2(py - cy, px - cx)
            if not a0 <= ang <= a1:
                ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0, a1)]
                d = min(math.hypot(px - ex, py - ey) for ex, ey in ends) - w / 2.0
        return d
    return f


def sd_union(*fs):
    return lambda px, py: min(f(px, py) for f in fs)


def sd_subtract(a, b):
    return lambda px, py: max(a(px, py), -b(px, py))


class Canvas:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = bytearray(bytes(fill) * (w * h))

    def get(self, x, y):
        i = (y * self.w + x) * 3
        return (self.px[i], self.px[i + 1], self.px[i + 2])

    def put(self, x, y, c, a=1.0):
        if not (0 <= x < self.w and 0 <= y < self.h) or a <= 0.0:
            return
        i = (y * self.w + x) * 3
        if a >= 1.0:
            self.px[i:i + 3] = bytes(c)
        else:
            p = self.px
            for k in range(3):
                p[i + k] = int(round(p[i + k] + (c[k] - p[i + k]) * a))

    # Rectangles and gradients.

    def fill(self, rect, c, a=1.0):
        x0, y0, x1, y1 = self._clip(rect)
        if a >= 1.0:
            row = bytes(c) * (x1 - x0)
            for y in range(y0, y1):
                i = (y * self.w + x0) * 3
                self.px[i:i + len(row)] = row
        else:
            for y in range(y0, y1):
                for x in range(x0, x1):
                    self.put(x, y, c, a)

    def vgrad(self, rect, top, bottom):
        x0, y0, x1, y1 = rect
        n = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            self.fill((x0, y, x1, y + 1), mix(top, bottom, (y - y0) / n))

    def hgrad(self, rect, left, right):
        x0, y0, x1, y1 = rect
        n = max(1, x1 - x0 - 1)
        for x in range(x0, x1):
            self.fill((x, y0, x + 1, y1), mix(left, right, (x - x0) / n))

    def frame(self, rect, c, a=1.0):
        """A one-pixel outline just inside rect."""
        x0, y0, x1, y1 = rect
        self.fill((x0, y0, x1, y0 + 1), c, a)
        self.fill((x0, y1 - 1, x1, y1), c, a)
        self.fill((x0, y0 + 1, x0 + 1, y1 - 1), c, a)
        self.fill((x1 - 1, y0 + 1, x1, y1 - 1), c, a)

    def bevel(self, rect, light, dark, a=1.0):
        """Raised edge: light top and left, dark bottom and right (swap the
        colours for an inset)."""
        x0, y0, x1, y1 = rect
        self.fill((x0, y0, x1 - 1, y0 + 1), light, a)
        self.fill((x0, y0 + 1, x0 + 1, y1 - 1), light, a)
        self.fill((x0 + 1, y1 - 1, x1, y1), dark, a)
        self.fill((x1 - 1, y0, x1, y1 - 1), dark, a)

    def hline(self, x0, x1, y, c, a=1.0):
        self.fill((x0, y, x1, y + 1), c, a)

    def vline(self, x, y0, y1, c, a=1.0):
        self.fill((x, y0, x + 1, y1), c, a)

    # Shapes from signed-distance functions.

    def shape(self, sdf, c, a=1.0, bbox=None):
        """Fills where sdf < 0 with a soft one-pixel edge. c is a colour or a
        function (x, y) -> colour."""
        x0, y0, x1, y1 = self._clip(bbox or (0, 0, self.w, self.h))
        colour = c if callable(c) else (lambda x, y: c)
        for y in range(y0, y1):
            for x in range(x0, x1):
                d = sdf(x + 0.5, y + 0.5)
                if d < 0.5:
                    self.put(x, y, colour(x, y), a * clamp(0.5 - d, 0.0, 1.0))

    def outline(self, sdf, width, c, a=1.0, bbox=None):
        """Strokes the contour of sdf with a line of the given width, inside."""
        self.shape(lambda px, py: abs(sdf(px, py) + width / 2.0) - width / 2.0,
                   c, a, bbox)

    def round_rect(self, rect, r, c, a=1.0):
        x0, y0, x1, y1 = rect
        self.shape(sd_round_box(x0, y0, x1, y1, r), c, a, rect)

    def round_vgrad(self, rect, r, top, bottom, a=1.0):
        x0, y0, x1, y1 = rect
        n = max(1, y1 - y0 - 1)
        self.shape(sd_round_box(x0, y0, x1, y1, r),
                   lambda x, y: mix(top, bottom, (y - y0) / n), a, rect)

    def round_frame(self, rect, r, width, c, a=1.0):
        x0, y0, x1, y1 = rect
        self.outline(sd_round_box(x0, y0, x1, y1, r), width, c, a, rect)

    def polygon(self, points, c, a=1.0):
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        bbox = (int(min(xs)) - 1, int(min(ys)) - 1, int(max(xs)) + 2, int(max(ys)) + 2)
        self.shape(sd_polygon(points), c, a, bbox)

    def line(self, ax, ay, bx, by, w, c, a=1.0):
        bbox = (int(min(ax, bx) - w) - 1, int(min(ay, by) - w) - 1,
                int(max(ax, bx) + w) + 2, int(max(ay, by) + w) + 2)
        self.shape(sd_segment(ax, ay, bx, by, w), c, a, bbox)

    def circle(self, cx, cy, r, c, a=1.0):
        bbox = (int(cx - r) - 1, int(cy - r) - 1, int(cx + r) + 2, int(cy + r) + 2)
        self.shape(sd_circle(cx, cy, r), c, a, bbox)

    # Whole-canvas helpers.

    def blit(self, src, x, y, rect=None):
        """Copies src (or rect of it) with its top-left corner at x, y."""
        sx0, sy0, sx1, sy1 = rect or (0, 0, src.w, src.h)
        for yy in range(sy0, sy1):
            for xx in range(sx0, sx1):
                self.put(x + xx - sx0, y + yy - sy0, src.get(xx, yy))

    def noise(self, rect, amount, seed):
        """Deterministic fine grain (a brushed-metal hint) of +-amount."""
        x0, y0, x1, y1 = self._clip(rect)
        state = seed & 0xFFFFFFFF
        for y in range(y0, y1):
            for x in range(x0, x1):
                state = (state * 1103515245 + 12345) & 0x7FFFFFFF
                d = (state >> 16) % (2 * amount + 1) - amount
                c = self.get(x, y)
                self.put(x, y, tuple(clamp(v + d, 0, 255) for v in c))

    def _clip(self, rect):
        x0, y0, x1, y1 = rect
        return (max(0, int(x0)), max(0, int(y0)),
                min(self.w, int(x1)), min(self.h, int(y1)))

    # Output.

    def png_bytes(self):
        """The canvas as an 8-bit RGB PNG (colour type 2, no interlace)."""
        raw = bytearray()
        stride = self.w * 3
        for y in range(self.h):
            raw.append(0)
            raw += self.px[y * stride:(y + 1) * stride]

        def chunk(kind, data):
            body = kind + data
            return (struct.pack(">I", len(data)) + body +
                    struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))
        ihdr = struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def strip(frames, vertical=True):
    """Joins equal-sized canvases into one strip, stacked or side by side."""
    fw, fh = frames[0].w, frames[0].h
    out = Canvas(fw if vertical else fw * len(frames), fh * len(frames) if vertical else fh)
    for i, f in enumerate(frames):
        out.blit(f, 0 if vertical else i * fw, i * fh if vertical else 0)
    return out
