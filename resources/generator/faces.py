"""Window faces: the main window and the dialogs.

The coordinates below are where the windows place their widgets and texts;
each face leaves decks, sockets, wells and tracks in those places.
"""

import math

import glyphs as g
from canvas import Canvas, mix, lighten, darken
from strokefont import draw_text, draw_text_centred, text_width
from theme import (ACCENT, ACCENT_BRIGHT, ACCENT_GLOW, ACCENT_MID, BEVEL_DARK,
                   BEVEL_LIGHT, BODY_BOTTOM, BODY_TOP, ENGRAVED, GROOVE, ICON, OUTER,
                   PANEL, PAPER, PAPER_SHADE, TITLE, TITLE_H, WELL, accent_fade,
                   close_socket, engrave, hgroove, panel, paper, title_bar, vgroove,
                   well, window_chrome)


def _close_box(cv, x=None, y=7):
    close_socket(cv, cv.w - 14 if x is None else x, y)


# Main window, 460 x 150.

def main_image():
    cv = Canvas(460, 150, BODY_BOTTOM)
    cv.vgrad((0, 0, 460, 150), BODY_TOP, BODY_BOTTOM)
    cv.noise((2, 20, 458, 148), 2, 7)
    # Title strip with the word mark and the minimise and close boxes.
    title_bar(cv, 0, 460, 20)
    accent_fade(cv, 0, 460, 19)
    draw_text(cv, 10, 7, "LUMACRAFT", 7, ACCENT_MID, weight=1.3, spacing=1.8)
    cv.round_rect((431, 3, 458, 17), 3, darken(TITLE, 0.45))
    cv.round_rect((432, 4, 457, 16), 2, TITLE)
    # Transport deck: open buttons on top, play/pause/stop, seek and options.
    panel(cv, (18, 22, 170, 131), r=6)
    for x, label in ((33, "MOVIE"), (90, "SUBS"), (157, "LIST")):
        engrave(cv, x, 42, label, centred=True)
    engrave(cv, 34, 104, "REW", centred=True)
    engrave(cv, 91, 104, "FWD", centred=True)
    engrave(cv, 157, 104, "SET", centred=True)
    for x0, x1 in ((45, 69), (100, 148)):
        cv.round_rect((x0, 64, x1, 88), 5, OUTER, 0.45)
    cv.vline(84, 64, 88, BEVEL_DARK)
    cv.vline(85, 64, 88, BEVEL_LIGHT, 0.4)
    # Display: black well for the name, subtitle, time and repeat texts.
    well(cv, (171, 22, 399, 112), WELL, r=4)
    cv.hline(176, 394, 23, (26, 54, 30))
    cv.round_rect((374, 23, 392, 40), 3, PANEL)
    draw_text(cv, 178, 28, "NOW PLAYING", 5, (30, 84, 36), weight=1.0)
    # Strip under the display for previous and next.
    panel(cv, (330, 111, 399, 131), r=5)
    # Volume deck: up, meter, down, mute.
    panel(cv, (402, 22, 456, 131), r=6)
    well(cv, (410, 24, 420, 107), GROOVE, r=2)
    for k in range(0, 21, 5):
        y = round(104 - k * 3.9)
        cv.hline(405, 409, y, ENGRAVED if k % 10 == 0 else BEVEL_LIGHT)
    # Seek track.
    well(cv, (23, 133, 435, 147), GROOVE, r=3)
    return cv


# Dialogs with a light text panel.

def message1():
    """486 x 254; the box crops it to its text, keeping the 2-pixel right
    and bottom border, so the border is uniform all round."""
    w, h = 486, 254
    cv = Canvas(w, h, PAPER)
    title_bar(cv, 0, w)  # a plain hairline: the box may be cropped to any width
    cv.vgrad((2, TITLE_H, w - 2, TITLE_H + 20), lighten(PAPER, 0.3), PAPER)
    cv.hline(2, w - 2, TITLE_H, (150, 162, 150))
    cv.frame((1, 1, w - 1, h - 1), (60, 66, 72))
    cv.frame((0, 0, w, h), OUTER)
    return cv


def message2():
    """250 x 132: jump to time and the shutdown countdown."""
    cv = Canvas(250, 132, PAPER)
    window_chrome(cv, PAPER)
    cv.vgrad((2, TITLE_H, 248, TITLE_H + 20), lighten(PAPER, 0.3), PAPER)
    cv.hline(2, 248, TITLE_H, (150, 162, 150))
    # A slightly deeper band under the text for the buttons.
    cv.vgrad((2, 89, 248, 130), PAPER, PAPER_SHADE)
    _close_box(cv)
    return cv


def info():
    """440 x 350: a row for each caption and its value. The value readouts
    are the window's own black labels, ending at x 425 and as wide as the
    values and captions leave room for, so the face draws no boxes."""
    cv = Canvas(440, 350, PANEL)
    window_chrome(cv)
    paper(cv, (8, 28, 432, 342))
    for i in range(13):
        y = 30 + 24 * i
        if i % 2 == 1:
            cv.fill((9, y, 431, y + 24), PAPER_SHADE)
    _close_box(cv, 426)
    return cv


def color_control():
    """292 x 162: name column, four tracks on rows 38, 63, 88, 113, values."""
    cv = Canvas(292, 162, PANEL)
    window_chrome(cv)
    paper(cv, (5, 27, 100, 126))
    paper(cv, (249, 27, 287, 126))
    for i, row in enumerate((38, 63, 88, 113)):
        if i:
            cv.hline(6, 99, row - 13, PAPER_SHADE)
            cv.hline(250, 286, row - 13, PAPER_SHADE)
        hgroove(cv, 101, 240, row)
        for k in range(5):
            x = 105 + round(k * 130 / 4)
            cv.vline(x, row + 5, row + 8, ENGRAVED if k in (0, 2, 4) else BEVEL_LIGHT)
    cv.hline(6, 286, 129, BEVEL_DARK)
    cv.hline(6, 286, 130, BEVEL_LIGHT, 0.4)
    _close_box(cv)
    return cv


# Dark dialogs with sliders.

def _ticks(cv, marks, y_label, y_tick, size=5):
    for x, label in marks:
        cv.vline(x, y_tick, y_tick + 3, ENGRAVED)
        if label:
            engrave(cv, x + 0.5, y_label, label, size=size, centred=True)


def aspect_ratio():
    """304 x 132: track x 26..276 on row 49, buttons on rows 90..110."""
    cv = Canvas(304, 132, PANEL)
    window_chrome(cv)
    panel(cv, (12, 28, 292, 74), r=5)
    hgroove(cv, 21, 282, 49)
    _ticks(cv, [(26, "0.5"), (76, "1:1"), (109, "4:3"), (154, "16:9"), (211, "2.35"),
                (276, "3.0")], 62, 55)
    _close_box(cv, 290)
    cv.round_rect((134, 83, 170, 117), 6, darken(PANEL, 0.35))
    return cv


def pan_scan():
    """250 x 132: track x 27..222 on row 46, buttons on rows 90..110."""
    cv = Canvas(250, 132, PANEL)
    window_chrome(cv)
    panel(cv, (12, 28, 238, 74), r=5)
    hgroove(cv, 22, 227, 46)
    marks = [(27 + round((v + 50) / 150 * 195), str(v)) for v in (-50, 0, 50, 100)]
    _ticks(cv, marks, 59, 52)
    _close_box(cv)
    return cv


def equalizer():
    """425 x 176: value plates on row 27, eleven vertical tracks from row 45
    to 148, load and save buttons on the left."""
    cv = Canvas(425, 176, PANEL)
    window_chrome(cv)
    _close_box(cv, 411)
    panel(cv, (3, 62, 22, 124), r=4)
    engrave(cv, 12.5, 52, "EQ", size=6, colour=ACCENT_MID, centred=True)
    columns = [70] + [127 + 30 * b for b in range(10)]
    labels = [69] + [126 + 30 * b for b in range(10)]
    names = ["PRE", "32", "110", "260", "460", "800", "1.5K", "2.6K", "4.3K", "8.5K", "16K"]
    well(cv, (36, 24, 106, 172), darken(PANEL, 0.25), r=5)
    well(cv, (112, 24, 419, 172), darken(PANEL, 0.25), r=5)
    for y, text in ((48, "+20"), (72, "+10"), (96, "0"), (120, "-10"), (144, "-20")):
        major = text in ("+20", "0", "-20")
        for x0 in (116,):
            cv.hline(x0, 415, y, (58, 64, 70) if major else (48, 53, 58))
        engrave(cv, 38, y - 2, text, size=5, colour=ENGRAVED if major else BEVEL_LIGHT)
    for fx, lx, name in zip(columns, labels, names):
        cv.round_rect((lx - 13, 25, lx + 14, 42), 2, (24, 40, 26))
        cv.vgrad((lx - 12, 26, lx + 13, 41), (176, 206, 170), (146, 180, 140))
        vgroove(cv, fx + 1, 45, 149)
        engrave(cv, fx + 1, 157, name, size=5, centred=True)
    return cv


# Dialogs around platform controls.

def list_dialog(w, h, list_rect, buttons_top):
    cv = Canvas(w, h, PANEL)
    window_chrome(cv)
    x0, y0, x1, y1 = list_rect
    cv.frame((x0 - 1, y0 - 1, x1 + 1, y1 + 1), OUTER)
    cv.fill(list_rect, (246, 246, 246))
    cv.hline(6, w - 6, buttons_top - 6, BEVEL_DARK)
    cv.hline(6, w - 6, buttons_top - 5, BEVEL_LIGHT, 0.4)
    _close_box(cv)
    return cv


def load_save_preset():
    return list_dialog(250, 300, (2, 24, 248, 253), 267)


def profiles_editor():
    return list_dialog(494, 368, (2, 24, 492, 331), 341)


def config():
    """520 x 400: tree on the left, pages on the right, buttons along the
    bottom, 26 pixels above it."""
    w, h = 520, 400
    cv = Canvas(w, h, PANEL)
    window_chrome(cv)
    well(cv, (6, 27, 160, h - 34), (246, 246, 246), r=2)
    panel(cv, (165, 26, w - 5, h - 33), r=5)
    cv.hline(6, w - 6, h - 31, BEVEL_DARK)
    cv.hline(6, w - 6, h - 30, BEVEL_LIGHT, 0.4)
    _close_box(cv)
    return cv


def keyboard():
    """480 x 400; widened at its middle column when a line needs more room,
    so the title bar stays plain there and the close box needs no socket."""
    cv = Canvas(480, 400, PANEL)
    window_chrome(cv)
    cv.fill((1, 23, 479, 399), (64, 64, 64))
    return cv


def caption_set_keys():
    """A small key-capture dialog face."""
    cv = Canvas(250, 132, PAPER)
    window_chrome(cv, PAPER)
    cv.vgrad((2, TITLE_H, 248, TITLE_H + 20), lighten(PAPER, 0.3), PAPER)
    cv.round_rect((24, 40, 226, 74), 3, (120, 132, 121))
    cv.round_rect((25, 41, 225, 73), 2.5, (246, 246, 246))
    _close_box(cv)
    return cv


def about():
    """300 x 341: emblem, contact buttons at (192, 37) and (246, 62), the
    version text on row 96, the word mark below."""
    w, h = 300, 341
    cv = Canvas(w, h, (14, 16, 18))
    cv.vgrad((0, 0, w, h), (30, 34, 38), (8, 9, 10))
    title_bar(cv, 0, w)
    accent_fade(cv, 0, w, TITLE_H - 1)
    draw_text(cv, 6, 8, "ABOUT", 6, (153, 153, 153), weight=1.1)
    _close_box(cv)
    # Emblem: a glowing ring with the play sign.
    cx, cy = 58, 76
    for r, a in ((44, 0.06), (40, 0.1), (37, 0.16)):
        cv.circle(cx, cy, r, ACCENT, a)
    cv.circle(cx, cy, 34, OUTER)
    cv.shape(lambda px, py: math.hypot(px - cx, py - cy) - 33,
             lambda x, y: mix((70, 80, 86), (24, 28, 31), (y - cy + 33) / 66.0),
             bbox=(cx - 35, cy - 35, cx + 36, cy + 36))
    cv.circle(cx, cy, 27, (10, 12, 13))
    cv.polygon([(cx - 9, cy - 15), (cx + 16, cy), (cx - 9, cy + 15)], ACCENT_BRIGHT)
    cv.polygon([(cx - 9, cy - 15), (cx + 16, cy), (cx - 9, cy)], ACCENT_GLOW, 0.35)
    # Pads for the contact buttons.
    for rect, r in (((188, 33, 245, 89), 7), ((242, 58, 295, 84), 5)):
        panel(cv, rect, r=r)
    # Word mark and tag line.
    draw_text_centred(cv, w / 2.0 + 1, 139, "LUMACRAFT", 20, OUTER, weight=3.0, spacing=1.4)
    draw_text_centred(cv, w / 2.0, 137, "LUMACRAFT", 20, ACCENT_BRIGHT, weight=2.6, spacing=1.4)
    draw_text_centred(cv, w / 2.0, 168, "SKINNED VIDEO PLAYER", 6, ICON, weight=1.1)
    cv.hline(40, 260, 184, ACCENT)
    accent_fade(cv, 40, 260, 184)
    # A spectrum of bars as decoration.
    for i in range(24):
        x = 34 + i * 10
        v = 0.5 + 0.45 * math.sin(i * 0.55 + 0.6) * math.cos(i * 0.23)
        top = int(318 - 100 * abs(v))
        cv.vgrad((x, top, x + 7, 318), ACCENT_GLOW, (16, 70, 22))
        cv.fill((x, 320, x + 7, 320 + (318 - top) // 6), ACCENT, 0.35)
    return cv


FACES = {
    "MainImage": main_image,
    "Message1": message1,
    "Message2": message2,
    "Info": info,
    "ColorControl": color_control,
    "AspectRatio": aspect_ratio,
    "PanScan": pan_scan,
    "Equalizer": equalizer,
    "LoadSavePreset": load_save_preset,
    "ProfilesEditor": profiles_editor,
    "Config": config,
    "Keyboard": keyboard,
    "CAPTIONSETKEYS": caption_set_keys,
    "About": about,
}
