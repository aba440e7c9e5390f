"""The ten "PlaylistPart" images from which the resizable playlist window
composes its face (image n is stretched from its source rectangle over its
place; see the table in part()). The playlist's buttons only carry their
hover and pressed looks, so their normal look is painted here.
"""

import glyphs as g
from canvas import Canvas, mix
from theme import (BEVEL_DARK, BEVEL_LIGHT, ICON, OUTER, PANEL, TITLE, NORMAL,
                   title_bar, toolbutton)

TITLE_ROWS = 26  # the title strip; the lists start on row 25
FAINT = mix(PANEL, ICON, 0.35)


def _title(cv, x0, x1):
    cv.fill((x0, 0, x1, TITLE_ROWS), PANEL)
    title_bar(cv, x0, x1)
    cv.hline(x0, x1, 0, OUTER)


def _left_border(cv, y0, y1):
    cv.vline(0, y0, y1, OUTER)
    cv.vline(1, y0, y1, BEVEL_LIGHT)


def _tool(cv, x, y, w, h, glyph, bg=PANEL):
    cv.blit(toolbutton(w, h, glyph, NORMAL, bg=bg), x, y)


def part1():
    """26 x 104: the top of the button column with its five buttons."""
    cv = Canvas(26, 104, PANEL)
    _title(cv, 0, 26)
    _left_border(cv, 1, 104)
    _tool(cv, 7, 26, 12, 12, g.eject)
    _tool(cv, 6, 42, 14, 12, lambda c, b, col: g.folder(c, b, col, "+"))
    _tool(cv, 8, 58, 10, 12, g.minus)
    _tool(cv, 7, 73, 12, 12, g.disk)
    _tool(cv, 6, 90, 14, 12, lambda c, b, col: g.folder(c, b, col, "list"))
    cv.hline(5, 21, 103, BEVEL_DARK)
    return cv


def part2():
    """26 x 1: the button column, stretched downwards."""
    cv = Canvas(26, 1, PANEL)
    _left_border(cv, 0, 1)
    return cv


def part3():
    """26 x 28: the subtitle-list toggle (list shown) and the add-subtitle
    button beside the separator between the lists."""
    cv = Canvas(26, 28, PANEL)
    _left_border(cv, 0, 28)
    g.chevrons(cv, (8, 1, 18, 7), FAINT, True)
    cv.hline(5, 21, 11, BEVEL_DARK)
    cv.hline(5, 21, 12, BEVEL_LIGHT, 0.4)
    _tool(cv, 7, 16, 12, 12, g.subtitle)
    return cv


def part4():
    """26 x 16: the toggle with the list hidden (top half) and the
    bottom-left corner (bottom half)."""
    cv = Canvas(26, 16, PANEL)
    _left_border(cv, 0, 16)
    g.chevrons(cv, (8, 1, 18, 7), FAINT, False)
    cv.hline(1, 26, 14, BEVEL_DARK)
    cv.hline(0, 26, 15, OUTER)
    return cv


def part5():
    """1 x 26: the title bar, stretched sideways."""
    cv = Canvas(1, 26, PANEL)
    _title(cv, 0, 1)
    return cv


def part6():
    """14 x 26: the title bar's right end with the close box."""
    cv = Canvas(14, 26, PANEL)
    _title(cv, 0, 14)
    _tool(cv, 0, 7, 9, 9, g.close, bg=TITLE)
    cv.vline(12, 1, 26, BEVEL_DARK)
    cv.vline(13, 0, 26, OUTER)
    return cv


def part7():
    """8 x 1: the right edge."""
    cv = Canvas(8, 1, PANEL)
    cv.put(6, 0, BEVEL_DARK)
    cv.put(7, 0, OUTER)
    return cv


def part8():
    """15 x 15: the bottom-right corner with a sizing grip."""
    cv = Canvas(15, 15, PANEL)
    cv.vline(13, 0, 14, BEVEL_DARK)
    cv.vline(14, 0, 15, OUTER)
    cv.hline(0, 14, 13, BEVEL_DARK)
    cv.hline(0, 15, 14, OUTER)
    for i in range(3):
        for j in range(3 - i):
            x, y = 11 - 3 * j, 11 - 3 * i
            if x + y >= 14:
                cv.fill((x - 1, y - 1, x + 1, y + 1), BEVEL_LIGHT)
                cv.put(x, y, OUTER)
    return cv


def part9():
    """1 x 7: the bottom edge."""
    cv = Canvas(1, 7, PANEL)
    cv.put(0, 5, BEVEL_DARK)
    cv.put(0, 6, OUTER)
    return cv


def part10():
    """1 x 5: the separator between the two lists."""
    cv = Canvas(1, 5, PANEL)
    cv.put(0, 2, BEVEL_DARK)
    return cv


PARTS = {"PlaylistPart%d" % (i + 1): f for i, f in enumerate(
    (part1, part2, part3, part4, part5, part6, part7, part8, part9, part10))}
