"""The popup menus' images: "MenuImages", 16 x 16 icons side by side.

The strip is drawn on the flat menu painter's image-column grey, which is
also its key colour (the image list leaves out the colour of the strip's
lower-left pixel), so the soft edges of the glyphs blend into the column.
The order is the menu items' image indices; the bookmark items take 29 + N
for bookmark N (1 to 9).
"""

import glyphs as g
from canvas import Canvas
from strokefont import draw_text_centred

SIZE = 16
COLUMN = (228, 228, 228)   # the painter's image column, and the key colour
INK = (40, 44, 48)
GREEN = (22, 97, 22)
RED = (170, 30, 30)
BLUE = (40, 80, 170)


def _inset(pad):
    return (pad, pad, SIZE - pad, SIZE - pad)


def _glyph(fn, pad=3, colour=INK, **kw):
    def draw(cv):
        fn(cv, _inset(pad), colour, **kw)
    return draw


def _recent(cv):
    cv.shape(lambda x, y: abs(((x - 8) ** 2 + (y - 8) ** 2) ** 0.5 - 5.5) - 0.7, INK,
             bbox=(1, 1, 15, 15))
    cv.line(8, 8, 8, 4.5, 0.7, INK)
    cv.line(8, 8, 10.5, 9.5, 0.7, INK)


def _clear_history(cv):
    _recent(cv)
    g.close(cv, (9, 9, 15, 15), RED)


def _jump(cv):
    cv.line(2, 8, 11, 8, 0.8, INK)
    cv.polygon([(10, 4.5), (14, 8), (10, 11.5)], INK)
    cv.vline(2, 4, 12, INK)


def _ribbon(cv, colour=BLUE):
    cv.polygon([(4, 2), (12, 2), (12, 14), (8, 10.5), (4, 14)], colour)


def _ribbon_sign(sign, colour):
    def draw(cv):
        _ribbon(cv)
        if sign == "+":
            g.plus(cv, (9, 9, 15, 15), colour)
        else:
            g.close(cv, (10, 10, 15, 15), colour)
    return draw


# Digits of 5 x 7 pixels for the bookmark images.
DIGITS = {
    1: ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    2: [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    3: ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    4: ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    5: ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    6: [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    7: ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    8: [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    9: [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
}


def _bookmark(n):
    """A small ribbon and the bookmark's number beside it."""
    def draw(cv):
        cv.polygon([(1, 2), (6, 2), (6, 13), (3.5, 10.5), (1, 13)], BLUE)
        for j, row in enumerate(DIGITS[n]):
            for i, ch in enumerate(row):
                if ch == "#":
                    cv.fill((8 + i, 4 + j, 9 + i, 5 + j), INK)
    return draw


def _screen(cv):
    cv.round_frame((1, 2, 15, 12), 0.8, 1.2, INK)
    cv.fill((6, 13, 10, 14), INK)


def _full_screen(cv):
    for (ax, ay, dx, dy) in ((2, 2, 1, 1), (14, 2, -1, 1), (2, 14, 1, -1), (14, 14, -1, -1)):
        cv.line(ax, ay, ax + dx * 4, ay, 0.7, INK)
        cv.line(ax, ay, ax, ay + dy * 4, 0.7, INK)
    cv.fill((6, 6, 10, 10), INK)


def _colours(cv):
    cv.circle(6, 6, 3.6, (200, 40, 40))
    cv.circle(10, 6, 3.6, (40, 160, 40), a=0.8)
    cv.circle(8, 10, 3.6, (40, 70, 200), a=0.8)


def _camera(cv):
    cv.round_rect((1, 5, 15, 14), 1.2, INK)
    cv.fill((5, 3, 10, 5), INK)
    cv.circle(8, 9.5, 2.6, COLUMN)
    cv.circle(8, 9.5, 1.4, INK)


def _speaker_sign(sign):
    def draw(cv):
        cv.fill((1, 6, 3, 10), INK)
        cv.polygon([(2.5, 6), (7, 3), (7, 13), (2.5, 10)], INK)
        (g.plus if sign == "+" else g.minus)(cv, (9, 5, 15, 11), INK)
    return draw


def _speaker(cv):
    g.speaker(cv, (2, 3, 14, 13), INK)


def _equalizer(cv):
    for i, (top, knob) in enumerate(((3, 9), (3, 5), (3, 11), (3, 7))):
        x = 2 + i * 4
        cv.vline(x + 1, top, 14, INK)
        cv.fill((x, knob, x + 3, knob + 2), GREEN)


def _font(cv):
    cv.line(3, 14, 8, 2, 1.0, INK)
    cv.line(8, 2, 13, 14, 1.0, INK)
    cv.line(5.2, 9.5, 10.8, 9.5, 0.8, INK)


def _key(cv):
    cv.shape(lambda x, y: abs(((x - 5) ** 2 + (y - 8) ** 2) ** 0.5 - 2.6) - 0.9, INK,
             bbox=(0, 3, 10, 13))
    cv.fill((8, 7, 15, 9), INK)
    cv.fill((12, 9, 13, 11), INK)
    cv.fill((14, 9, 15, 12), INK)


def _about(cv):
    cv.circle(8, 8, 6.5, BLUE)
    g.info(cv, (7, 4, 9, 12), (255, 255, 255))


def _exit(cv):
    """The power sign: a ring open at the top and a bar through the gap."""
    def ring(x, y):
        if y < 6 and abs(x - 8) < 3:
            return 1.0
        return abs(((x - 8) ** 2 + (y - 9) ** 2) ** 0.5 - 5) - 0.8
    cv.shape(ring, RED, bbox=(1, 2, 15, 16))
    cv.fill((7, 1, 9, 8), RED)


def _sort(cv):
    draw_text_centred(cv, 5, 1, "A", 6, INK, weight=0.9)
    draw_text_centred(cv, 5, 9, "Z", 6, INK, weight=0.9)
    cv.vline(12, 2, 12, INK)
    cv.polygon([(9.5, 11), (14.5, 11), (12, 14.5)], INK)


def _remove_all(cv):
    g.playlist(cv, (1, 3, 12, 13), INK)
    g.close(cv, (9, 9, 15, 15), RED)


# The image of each index, in order.
IMAGES = [
    _glyph(g.eject),                       # 0 open movie
    _glyph(g.subtitle, pad=2),             # 1 load subtitle
    _recent,                               # 2 recent files
    _clear_history,                        # 3 clear history
    _glyph(g.play, colour=GREEN),          # 4 play control
    _glyph(g.play),                        # 5 play
    _glyph(g.stop),                        # 6 stop
    _glyph(g.pause),                       # 7 pause
    _glyph(g.rewind, pad=4),               # 8 rewind
    _glyph(g.forward, pad=4),              # 9 forward
    _glyph(g.prior_track, pad=3),          # 10 fast rewind
    _glyph(g.next_track, pad=3),           # 11 fast forward
    _jump,                                 # 12 jump to time
    _ribbon,                               # 13 bookmarks
    _ribbon_sign("+", GREEN),              # 14 add bookmark
    _ribbon_sign("x", RED),                # 15 clear bookmarks
    _screen,                               # 16 video
    _glyph(g.aspect, pad=1),               # 17 change resolution
    _full_screen,                          # 18 full screen
    _colours,                              # 19 colour control
    _glyph(g.aspect, pad=2),               # 20 aspect ratio
    _camera,                               # 21 capture frame
    _speaker,                              # 22 audio
    _speaker_sign("+"),                    # 23 volume up
    _speaker_sign("-"),                    # 24 volume down
    _equalizer,                            # 25 equalizer
    _font,                                 # 26 subtitle, font
    _glyph(g.gear, pad=2),                 # 27 configuration
    _key,                                  # 28 key definitions
    _glyph(g.playlist, pad=3),             # 29 playlist
] + [_bookmark(n) for n in range(1, 10)] + [  # 30 .. 38 bookmarks 1 to 9
    _about,                                # 39 about
    _exit,                                 # 40 exit
    _glyph(g.folder, pad=2, sign="+"),     # 41 add folder
    _glyph(g.minus, pad=3),                # 42 remove
    _remove_all,                           # 43 remove all
    _sort,                                 # 44 sort by file name
    _glyph(g.shuffle),                     # 45 randomize
]


def menu_images():
    out = Canvas(SIZE * len(IMAGES), SIZE, COLUMN)
    for i, draw in enumerate(IMAGES):
        icon = Canvas(SIZE, SIZE, COLUMN)
        draw(icon)
        out.blit(icon, i * SIZE, 0)
    # The key colour stands in the lower-left corner whatever the first
    # image draws.
    out.put(0, SIZE - 1, COLUMN)
    return out


MENU_IMAGES = {"MenuImages": menu_images}
