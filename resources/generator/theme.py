"""The skin's palette and the pieces every window shares: window chrome,
panels, wells, grooves and the button looks (keycaps and toolbar buttons).

Widget images are copied as opaque rectangles onto the faces, so each button
look is drawn over the flat colour of the place it sits on: TITLE for the
title bars (close and minimise boxes), PANEL for control decks and dialog
bodies, PAPER for the light text panels.
"""

from canvas import Canvas, mix, lighten, darken, strip
from strokefont import draw_text

# Surfaces.
OUTER = (8, 9, 10)
BEVEL_LIGHT = (86, 93, 100)
BEVEL_DARK = (16, 18, 20)
TITLE = (30, 33, 37)
TITLE_HI = (54, 59, 65)
PANEL = (46, 50, 55)
BODY_TOP = (60, 65, 71)
BODY_BOTTOM = (36, 39, 43)
WELL = (0, 0, 0)
GROOVE = (12, 14, 15)
PAPER = (208, 216, 206)
PAPER_SHADE = (194, 204, 193)
PAPER_EDGE = (120, 132, 121)
# The caption green of the captions and labels, and brighter accents of it.
ACCENT = (22, 97, 22)
ACCENT_MID = (32, 139, 32)
ACCENT_BRIGHT = (70, 198, 80)
ACCENT_GLOW = (130, 238, 136)
# Glyphs and engraved lettering.
ICON = (186, 194, 200)
ICON_DIM = (88, 94, 100)
ENGRAVED = (120, 128, 134)

TITLE_H = 22  # title bar rows 0..21, the accent hairline on row 21


def title_bar(cv, x0, x1, h=TITLE_H):
    """A title bar across x0..x1: a highlight row, flat TITLE rows (where the
    close boxes sit) and a green hairline at the bottom."""
    cv.fill((x0, 0, x1, h), TITLE)
    cv.hline(x0, x1, 1, TITLE_HI)
    cv.hline(x0, x1, 2, mix(TITLE_HI, TITLE, 0.5))
    cv.hline(x0, x1, h - 2, darken(TITLE, 0.35))
    cv.hline(x0, x1, h - 1, ACCENT)


def accent_fade(cv, x0, x1, y):
    """Brightens the hairline towards its middle for a soft glow."""
    n = max(1, x1 - x0)
    for x in range(x0, x1):
        t = 1.0 - abs((x - x0) / n - 0.5) * 2.0
        cv.put(x, y, mix(ACCENT, ACCENT_BRIGHT, t * 0.7))


def window_chrome(cv, body=PANEL, title=True):
    """Frames a whole dialog face: flat body, title bar, outer border and a
    soft one-pixel bevel."""
    w, h = cv.w, cv.h
    cv.fill((0, 0, w, h), body)
    if title:
        title_bar(cv, 0, w)
        accent_fade(cv, 0, w, TITLE_H - 1)
    cv.bevel((1, 1, w - 1, h - 1), BEVEL_LIGHT, BEVEL_DARK, 0.8)
    cv.frame((0, 0, w, h), OUTER)


def close_socket(cv, x, y):
    """A recessed pad around a 9 x 9 box whose top-left corner is x, y."""
    cv.round_rect((x - 2, y - 2, x + 11, y + 11), 3, darken(TITLE, 0.45))
    cv.round_rect((x - 1, y - 1, x + 10, y + 10), 2, TITLE)


def panel(cv, rect, colour=PANEL, r=4, raised=True):
    """A flat deck with a soft rim: raised (light top) or sunken."""
    x0, y0, x1, y1 = rect
    top, bottom = (BEVEL_LIGHT, BEVEL_DARK) if raised else (BEVEL_DARK, BEVEL_LIGHT)
    cv.round_rect(rect, r, OUTER, 0.55)
    cv.round_rect((x0 + 1, y0 + 1, x1 - 1, y1 - 1), r - 1, bottom)
    cv.round_rect((x0 + 1, y0 + 1, x1 - 1, y1 - 2), r - 1, top)
    cv.round_rect((x0 + 2, y0 + 2, x1 - 2, y1 - 2), max(1, r - 2), colour)


def well(cv, rect, colour=WELL, r=3):
    """A sunken display or list bed."""
    x0, y0, x1, y1 = rect
    cv.round_rect(rect, r, BEVEL_LIGHT, 0.6)
    cv.round_rect((x0, y0, x1, y1 - 1), r, OUTER)
    cv.round_rect((x0 + 1, y0 + 1, x1 - 1, y1 - 1), max(1, r - 1), colour)


def paper(cv, rect):
    """A light text panel, sunken one pixel into the face."""
    x0, y0, x1, y1 = rect
    cv.fill(rect, PAPER)
    cv.vgrad((x0, y0, x1, min(y1, y0 + 14)), lighten(PAPER, 0.25), PAPER)
    cv.bevel(rect, PAPER_EDGE, lighten(PAPER, 0.5))
    cv.frame((x0 - 1, y0 - 1, x1 + 1, y1 + 1), OUTER, 0.7)


def hgroove(cv, x0, x1, cy, depth=4):
    """A horizontal slider track centred on row cy."""
    y0 = cy - depth // 2
    cv.round_rect((x0, y0, x1, y0 + depth + 1), 2, BEVEL_LIGHT, 0.5)
    cv.round_rect((x0, y0, x1, y0 + depth), 2, GROOVE)
    cv.hline(x0 + 2, x1 - 2, y0 + 1, OUTER)


def vgroove(cv, cx, y0, y1, depth=4):
    """A vertical slider track centred on column cx."""
    x0 = cx - depth // 2
    cv.round_rect((x0, y0, x0 + depth + 1, y1), 2, BEVEL_LIGHT, 0.5)
    cv.round_rect((x0, y0, x0 + depth, y1), 2, GROOVE)
    cv.vline(x0 + 1, y0 + 2, y1 - 2, OUTER)


def engrave(cv, x, y, text, size=5, colour=ENGRAVED, centred=False):
    """Small lettering pressed into a panel: the text with a dark shadow."""
    from strokefont import text_width
    if centred:
        x -= text_width(text, size) / 2.0
    draw_text(cv, x + 0.6, y + 0.8, text, size, OUTER, weight=1.0, a=0.6)
    draw_text(cv, x, y, text, size, colour, weight=1.0)


# Button looks. A glyph function draws into (cv, box, colour); box is the
# glyph's area inside the button.

NORMAL, PRESSED, DISABLED, HOVER = range(4)


def keycap(w, h, glyph, state, bg=PANEL, r=None, pad=None):
    """One frame of a raised key: the transport buttons."""
    cv = Canvas(w, h, bg)
    r = r if r is not None else min(w, h) / 4.0
    body = (0, 0, w, h)
    inner = (1, 1, w - 1, h - 1)
    if state == NORMAL:
        cv.round_rect(body, r, OUTER)
        cv.round_vgrad(inner, r - 0.5, (84, 90, 97), (50, 54, 59))
        cv.hline(int(r), w - int(r), 1, (112, 119, 126))
        colour, dy = ICON, 0
    elif state == HOVER:
        cv.round_rect(body, r, (26, 90, 32))
        cv.round_vgrad(inner, r - 0.5, (92, 108, 98), (54, 66, 58))
        cv.hline(int(r), w - int(r), 1, (132, 160, 138))
        colour, dy = ACCENT_GLOW, 0
    elif state == PRESSED:
        cv.round_rect(body, r, OUTER)
        cv.round_vgrad(inner, r - 0.5, (24, 27, 30), (44, 48, 52))
        cv.hline(int(r), w - int(r), 1, (12, 13, 14))
        colour, dy = ACCENT_BRIGHT, 1
    else:
        cv.round_rect(body, r, (28, 30, 33))
        cv.round_rect(inner, r - 0.5, (48, 51, 55))
        colour, dy = ICON_DIM, 0
    p = pad if pad is not None else max(2, min(w, h) // 4)
    glyph(cv, (p, p + dy, w - p, h - p + dy), colour)
    return cv


def toolbutton(w, h, glyph, state, bg=PANEL, r=2.5, pad=2):
    """One frame of a flat tool button: a bare glyph that lifts on hover."""
    cv = Canvas(w, h, bg)
    rect = (0, 0, w, h)
    dy = 0
    if state == NORMAL:
        colour = ICON
    elif state == HOVER:
        cv.round_rect(rect, r, (26, 96, 34))
        cv.round_vgrad((1, 1, w - 1, h - 1), r - 0.5, (90, 104, 95), (62, 72, 66))
        colour = ACCENT_GLOW
    elif state == PRESSED:
        cv.round_rect(rect, r, OUTER)
        cv.round_vgrad((1, 1, w - 1, h - 1), r - 0.5, (18, 20, 22), (36, 40, 44))
        colour, dy = ACCENT_BRIGHT, 1
    else:
        colour = ICON_DIM
    glyph(cv, (pad, pad + dy, w - pad, h - pad + dy), colour)
    return cv


def four_frames(w, h, glyph, look=keycap, **kw):
    """A stacked strip of the four looks: normal, pressed, disabled, hover."""
    return strip([look(w, h, glyph, s, **kw) for s in (NORMAL, PRESSED, DISABLED, HOVER)])


def caption_frames(w):
    """The four frames of a caption button "ButtonText" w pixels wide: a light
    key, so that the caption green reads well on it."""
    frames = []
    for state in (NORMAL, PRESSED, DISABLED, HOVER):
        cv = Canvas(w, 20, (120, 124, 122))
        rect, inner = (0, 0, w, 20), (1, 1, w - 1, 19)
        if state == NORMAL:
            cv.round_rect(rect, 2, (26, 30, 28))
            cv.round_vgrad(inner, 1.5, (222, 228, 223), (170, 179, 173))
            cv.hline(2, w - 2, 1, (246, 250, 246))
        elif state == HOVER:
            cv.round_rect(rect, 2, (24, 104, 34))
            cv.round_vgrad(inner, 1.5, (228, 246, 228), (176, 208, 180))
            cv.hline(2, w - 2, 1, (250, 255, 250))
            cv.round_frame(inner, 1.5, 1, (110, 200, 118), 0.6)
        elif state == PRESSED:
            cv.round_rect(rect, 2, (18, 22, 20))
            cv.round_vgrad(inner, 1.5, (142, 152, 145), (184, 192, 186))
            cv.hline(2, w - 2, 1, (108, 116, 110))
            cv.hline(2, w - 2, 2, (128, 137, 131))
        else:
            cv.round_rect(rect, 2, (70, 74, 72))
            cv.round_rect(inner, 1.5, (182, 185, 183))
        frames.append(cv)
    return strip(frames)
