"""Glyph icons drawn into a box (x0, y0, x1, y1) in one colour.

Every function has the shape glyph(cv, box, colour) so that the button looks
of theme.py can draw any of them in any state.
"""

import math

from canvas import sd_ring, sd_round_box, sd_subtract, sd_union, sd_segment


def _geom(box):
    x0, y0, x1, y1 = box
    return x0, y0, x1 - x0, y1 - y0


def play(cv, box, c):
    x, y, w, h = _geom(box)
    cv.polygon([(x + w * 0.18, y), (x + w * 0.95, y + h / 2.0), (x + w * 0.18, y + h)], c)


def pause(cv, box, c):
    x, y, w, h = _geom(box)
    bw = max(2.0, w * 0.3)
    cv.round_rect((x + w * 0.12, y, x + w * 0.12 + bw, y + h), 0.6, c)
    cv.round_rect((x + w * 0.88 - bw, y, x + w * 0.88, y + h), 0.6, c)


def stop(cv, box, c):
    x, y, w, h = _geom(box)
    s = min(w, h) * 0.86
    cx, cy = x + w / 2.0, y + h / 2.0
    cv.round_rect((cx - s / 2, cy - s / 2, cx + s / 2, cy + s / 2), 1.0, c)


def _tri(cv, x, y, w, h, right, c):
    if right:
        cv.polygon([(x, y), (x + w, y + h / 2.0), (x, y + h)], c)
    else:
        cv.polygon([(x + w, y), (x, y + h / 2.0), (x + w, y + h)], c)


def forward(cv, box, c):
    x, y, w, h = _geom(box)
    _tri(cv, x, y, w / 2.0 + 0.5, h, True, c)
    _tri(cv, x + w / 2.0 - 0.5, y, w / 2.0 + 0.5, h, True, c)


def rewind(cv, box, c):
    x, y, w, h = _geom(box)
    _tri(cv, x, y, w / 2.0 + 0.5, h, False, c)
    _tri(cv, x + w / 2.0 - 0.5, y, w / 2.0 + 0.5, h, False, c)


def next_track(cv, box, c):
    x, y, w, h = _geom(box)
    _tri(cv, x, y, w * 0.72, h, True, c)
    cv.fill((x + w - 2, y, x + w, y + h), c)


def prior_track(cv, box, c):
    x, y, w, h = _geom(box)
    cv.fill((x, y, x + 2, y + h), c)
    _tri(cv, x + w * 0.28, y, w * 0.72, h, False, c)


def eject(cv, box, c):
    """Open movie: the eject sign."""
    x, y, w, h = _geom(box)
    cv.polygon([(x + w / 2.0, y), (x + w, y + h * 0.62), (x, y + h * 0.62)], c)
    cv.fill((x, y + h - 2, x + w, y + h), c)


def subtitle(cv, box, c):
    """Open subtitle: a caption box with two text lines."""
    x, y, w, h = _geom(box)
    cv.round_frame((x, y + 1, x + w, y + h - 1), 1.2, 1, c)
    cv.hline(int(x + 2), int(x + w - 2), int(y + h / 2.0) - 1, c)
    cv.hline(int(x + 2), int(x + w * 0.6), int(y + h / 2.0) + 1, c)


def playlist(cv, box, c):
    x, y, w, h = _geom(box)
    for i in range(3):
        yy = int(y + 1 + i * (h - 2) / 2.0 - 0.5)
        cv.fill((x, yy, x + 1.5, yy + 1.5), c)
        cv.hline(int(x + 3), int(x + w), yy, c)


def gear(cv, box, c):
    x, y, w, h = _geom(box)
    cx, cy = x + w / 2.0, y + h / 2.0
    r = min(w, h) / 2.0
    teeth = [sd_segment(cx + math.cos(a) * r * 0.55, cy + math.sin(a) * r * 0.55,
                        cx + math.cos(a) * r * 0.92, cy + math.sin(a) * r * 0.92, 1.5)
             for a in [k * math.pi / 4 for k in range(8)]]
    ring = sd_ring(cx, cy, r * 0.5, r * 0.42)
    cv.shape(sd_union(ring, *teeth), c, bbox=(int(x) - 1, int(y) - 1, int(x + w) + 2, int(y + h) + 2))


def info(cv, box, c):
    x, y, w, h = _geom(box)
    cx = x + w / 2.0
    cv.circle(cx, y + 1.2, 1.2, c)
    cv.fill((int(cx) - 1, int(y + 3.5), int(cx) + 1, int(y + h)), c)
    cv.fill((int(cx) - 2, int(y + 3.5), int(cx), int(y + 4.5)), c)
    cv.fill((int(cx) - 2, int(y + h) - 1, int(cx) + 2, int(y + h)), c)


def minimize(cv, box, c):
    x, y, w, h = _geom(box)
    cv.fill((x, y + h - 2, x + w, y + h), c)


def close(cv, box, c):
    x, y, w, h = _geom(box)
    cv.line(x + 0.3, y + 0.3, x + w - 0.3, y + h - 0.3, 1.3, c)
    cv.line(x + w - 0.3, y + 0.3, x + 0.3, y + h - 0.3, 1.3, c)


def plus(cv, box, c):
    x, y, w, h = _geom(box)
    cx, cy = int(x + w / 2.0), int(y + h / 2.0)
    cv.fill((x, cy - 1 + (h % 2), x + w, cy + 1), c)
    cv.fill((cx - 1 + (w % 2), y, cx + 1, y + h), c)


def minus(cv, box, c):
    x, y, w, h = _geom(box)
    cy = int(y + h / 2.0)
    cv.fill((x, cy - 1 + (h % 2), x + w, cy + 1), c)


def speaker(cv, box, c, muted=False):
    x, y, w, h = _geom(box)
    cy = y + h / 2.0
    cv.fill((x, cy - 1.5, x + 2, cy + 1.5), c)
    cv.polygon([(x + 1.5, cy - 1.5), (x + 5, y), (x + 5, y + h), (x + 1.5, cy + 1.5)], c)
    if muted:
        cv.line(x + 7, cy - 2.5, x + 11, cy + 2.5, 1.2, c)
        cv.line(x + 11, cy - 2.5, x + 7, cy + 2.5, 1.2, c)
    else:
        for r in (2.6, 5.0):
            cv.shape(sd_ring(x + 5, cy, r, 1.1, -0.9, 0.9), c,
                     bbox=(int(x), int(y) - 1, int(x + w) + 2, int(y + h) + 2))


def folder(cv, box, c, sign=None):
    x, y, w, h = _geom(box)
    cv.fill((x, y + 1, x + w * 0.45, y + 2), c)
    cv.round_frame((x, y + 2, x + w, y + h), 0.8, 1, c)
    if sign == "+":
        plus(cv, (x + w / 2.0 - 2, y + 4, x + w / 2.0 + 2, y + h - 1), c)
    elif sign == "list":
        cv.hline(int(x + 2), int(x + w - 2), int(y + 4), c)
        cv.hline(int(x + 2), int(x + w - 3), int(y + 6), c)


def disk(cv, box, c):
    x, y, w, h = _geom(box)
    cv.shape(sd_subtract(sd_round_box(x, y, x + w, y + h, 1.0),
                         sd_round_box(x + 2, y + h * 0.55, x + w - 2, y + h - 1, 0.3)), c,
             bbox=(int(x) - 1, int(y) - 1, int(x + w) + 1, int(y + h) + 1))
    cv.fill((x + 2.5, y + 0.5, x + w - 3, y + 2.5), (0, 0, 0), 0.35)


def pixel_art(rows):
    """A glyph from hand-set pixels ("#" set), centred in its box; for icons
    too small to draw as shapes."""
    def glyph(cv, box, c):
        x, y, w, h = _geom(box)
        ox = int(round(x + (w - len(rows[0])) / 2.0))
        oy = int(round(y + (h - len(rows)) / 2.0))
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == "#":
                    cv.put(ox + i, oy + j, c)
    return glyph


shuffle = pixel_art([
    "......#..",
    "##...####",
    "..#.#.#..",
    "...#.....",
    "..#.#.#..",
    "##...####",
    "......#..",
])

# Remember previous settings: a clock face with a turning arrow.
memory = pixel_art([
    "..#####..",
    ".#.....#.",
    "###.#...#",
    ".#..#...#",
    "....###.#",
    "#.......#",
    ".#.....#.",
    "..#####..",
])


def load_preset(cv, box, c):
    x, y, w, h = _geom(box)
    cv.fill((x + w / 2.0 - 1, y, x + w / 2.0 + 1, y + h * 0.45), c)
    cv.polygon([(x + w / 2.0 - 3.5, y + h * 0.35), (x + w / 2.0 + 3.5, y + h * 0.35),
                (x + w / 2.0, y + h * 0.72)], c)
    cv.fill((x, y + h - 2, x + w, y + h), c)
    cv.fill((x, y + h * 0.6, x + 1.5, y + h), c)
    cv.fill((x + w - 1.5, y + h * 0.6, x + w, y + h), c)


def chevrons(cv, box, c, down):
    x, y, w, h = _geom(box)
    cx = x + w / 2.0
    for k in (0, 3):
        if down:
            cv.line(cx - 3, y + k + 0.5, cx, y + k + 2.5, 1.1, c)
            cv.line(cx, y + k + 2.5, cx + 3, y + k + 0.5, 1.1, c)
        else:
            cv.line(cx - 3, y + k + 2.5, cx, y + k + 0.5, 1.1, c)
            cv.line(cx, y + k + 0.5, cx + 3, y + k + 2.5, 1.1, c)


def tick(cv, box, c):
    x, y, w, h = _geom(box)
    cv.line(x + 0.5, y + h * 0.55, x + w * 0.4, y + h - 0.5, 1.8, c)
    cv.line(x + w * 0.4, y + h - 0.5, x + w - 0.3, y + 0.5, 1.8, c)


def aspect(cv, box, c):
    """Original aspect ratio: a picture frame with corner arrows."""
    x, y, w, h = _geom(box)
    cv.round_frame((x + 2, y + 3, x + w - 2, y + h - 3), 1.0, 1.2, c)
    for (ax, ay, dx, dy) in ((x, y, 1, 1), (x + w, y, -1, 1), (x, y + h, 1, -1),
                             (x + w, y + h, -1, -1)):
        cv.line(ax, ay, ax + dx * 3.2, ay + dy * 3.2, 1.2, c)
    cv.fill((x + w / 2.0 - 1.5, y + h / 2.0 - 1.5, x + w / 2.0 + 1.5, y + h / 2.0 + 1.5), c)
