"""Widget strips: buttons, toggles, latches, check box, bars and thumbs.

Each function returns the finished image for one resource name; the frame
layouts are those the widget classes cut them by.
"""

import functools

import glyphs as g
from canvas import Canvas, mix, strip
from strokefont import draw_text, draw_text_centred
from theme import (ACCENT, ACCENT_BRIGHT, ACCENT_GLOW, ACCENT_MID, BEVEL_LIGHT, GROOVE,
                   ICON, ICON_DIM, OUTER, PANEL, PAPER, TITLE, DISABLED, HOVER, NORMAL,
                   PRESSED, caption_frames, four_frames, keycap, toolbutton)


def button_text(n):
    """"ButtonText" n: 60 + 20 n pixels wide, four 20-pixel frames."""
    return caption_frames(60 + 20 * n)


# Main window.

def main_transport(glyph):
    return four_frames(20, 80 // 4, glyph, look=keycap, r=4.5, pad=5)


def main_seek(glyph):
    return four_frames(16, 12, glyph, look=keycap, r=3, pad=3)


def main_tool(glyph):
    return four_frames(12, 12, glyph, look=toolbutton, pad=2)


def title_box(glyph, bg=TITLE):
    return four_frames(9, 9, glyph, look=toolbutton, bg=bg, r=2, pad=2)


def main_volume_step(glyph):
    return four_frames(9, 9, glyph, look=toolbutton, r=2, pad=2)


def main_mute():
    """Two 15 x 13 halves: left sound on, right muted."""
    on = Canvas(15, 13, PANEL)
    g.speaker(on, (2, 2, 14, 11), ACCENT_BRIGHT)
    off = Canvas(15, 13, PANEL)
    g.speaker(off, (2, 2, 14, 11), (200, 84, 70), muted=True)
    return strip([on, off], vertical=False)


def main_volume_bar():
    """Two 5-pixel columns 78 high: left empty, right filled, as lit
    segments of a level meter (one segment per volume step)."""
    cv = Canvas(10, 78, GROOVE)
    for y in range(78):
        level = (78 - y) / 3.9
        gap = (level % 1.0) > 0.72
        t = y / 77.0
        lit = mix(ACCENT_GLOW, (26, 120, 36), t)
        for x in range(10):
            filled = x >= 5
            edge = x in (0, 4, 5, 9)
            if gap:
                c = (6, 8, 8)
            elif filled:
                c = mix(lit, (10, 40, 14), 0.35) if edge else lit
            else:
                c = (22, 30, 25) if not edge else (16, 20, 18)
            cv.put(x, y, c)
    return cv


def main_progress_bar():
    """Two 9-pixel rows 407 wide: top empty, bottom filled."""
    cv = Canvas(407, 18, GROOVE)
    empty = [(4, 5, 6), (10, 12, 13), (16, 19, 20), (18, 21, 22), (18, 21, 22),
             (17, 20, 21), (16, 18, 19), (14, 16, 17), (24, 27, 29)]
    filled = [(22, 60, 26), (150, 240, 150), (104, 224, 110), (70, 196, 80), (52, 170, 62),
              (40, 146, 50), (32, 124, 42), (26, 102, 34), (20, 70, 26)]
    for y in range(9):
        cv.hline(0, 407, y, empty[y])
        cv.hline(0, 407, 9 + y, filled[y])
    # Faint ticks every tenth of the track on the empty look.
    for k in range(1, 10):
        x = round(k * 407 / 10)
        cv.vline(x, 3, 6, (34, 38, 40))
    return cv


# Sliders.

def vertical_thumb():
    cv = Canvas(11, 7, OUTER)
    cv.vgrad((1, 1, 10, 6), (206, 214, 218), (120, 128, 134))
    cv.hline(1, 10, 1, (236, 240, 242))
    cv.hline(2, 9, 3, ACCENT_BRIGHT)
    return cv


def horizontal_thumb():
    cv = Canvas(7, 12, OUTER)
    cv.hgrad((1, 1, 6, 11), (206, 214, 218), (120, 128, 134))
    cv.vline(1, 1, 11, (236, 240, 242))
    cv.vline(3, 2, 10, ACCENT_BRIGHT)
    return cv


# Playlist.

def latch(glyph):
    """Four 13 x 15 frames side by side: up, down, up and hovered, down and
    hovered. Down shows a lit green LED line under the glyph."""
    frames = []
    for down, hover in ((False, False), (True, False), (False, True), (True, True)):
        cv = Canvas(13, 15, PANEL)
        rect, inner = (0, 0, 13, 15), (1, 1, 12, 14)
        if down:
            cv.round_rect(rect, 2.5, OUTER)
            cv.round_vgrad(inner, 2, (20, 24, 22), (40, 46, 42))
            colour = ACCENT_GLOW if hover else ACCENT_BRIGHT
            cv.hline(4, 9, 12, colour)
        else:
            cv.round_rect(rect, 2.5, (26, 96, 34) if hover else OUTER)
            top, bottom = ((96, 108, 100), (62, 70, 66)) if hover else ((80, 86, 92), (52, 56, 61))
            cv.round_vgrad(inner, 2, top, bottom)
            colour = ACCENT_GLOW if hover else ICON
        dy = 1 if down else 0
        glyph(cv, (3, 2 + dy, 10, 9 + dy), colour)
        frames.append(cv)
    return strip(frames, vertical=False)


def playlist_button(w, h, glyph, bg=PANEL, pad=2):
    """Two frames side by side: hover, pressed (the normal look is painted
    into the playlist's part images)."""
    fw = w // 2
    return strip([toolbutton(fw, h, glyph, HOVER, bg=bg, pad=pad),
                  toolbutton(fw, h, glyph, PRESSED, bg=bg, pad=pad)], vertical=False)


def show_hide_subtitles():
    """Two 12 x 8 halves: left while the list is shown (hide it), right while
    it is hidden (show it)."""
    frames = []
    for down in (True, False):
        cv = Canvas(12, 8, PANEL)
        cv.round_rect((0, 0, 12, 8), 2, (26, 96, 34))
        cv.round_vgrad((1, 1, 11, 7), 1.5, (90, 104, 95), (62, 72, 66))
        g.chevrons(cv, (1, 1, 11, 7), ACCENT_GLOW, down)
        frames.append(cv)
    return strip(frames, vertical=False)


# Message box.

def check_boxes():
    """Four 13 x 13 boxes: unchecked, unchecked pressed, checked, checked
    pressed; drawn on the message box's light panel."""
    frames = []
    for checked, pressed in ((False, False), (False, True), (True, False), (True, True)):
        cv = Canvas(13, 13, PAPER)
        cv.round_rect((0, 0, 13, 13), 2, (40, 70, 44))
        fill = ((150, 166, 152), (196, 206, 198)) if pressed else ((252, 255, 252), (214, 224, 214))
        cv.round_vgrad((1, 1, 12, 12), 1.5, *fill)
        if checked:
            g.tick(cv, (3, 3 + (1 if pressed else 0), 10, 9 + (1 if pressed else 0)), ACCENT)
        frames.append(cv)
    return strip(frames, vertical=False)


# Custom aspect ratio and about box.

def restore_button():
    return four_frames(27, 27, g.aspect, look=keycap, r=5, pad=6)


def _about_frames(w, h, draw):
    frames = []
    for state in (NORMAL, PRESSED, DISABLED, HOVER):
        cv = keycap(w, h, lambda *a: None, state, r=5)
        colour = {NORMAL: ICON, PRESSED: ACCENT_BRIGHT, DISABLED: ICON_DIM,
                  HOVER: ACCENT_GLOW}[state]
        draw(cv, colour, 1 if state == PRESSED else 0)
        frames.append(cv)
    return strip(frames)


def about_mail():
    def envelope(cv, c, dy):
        cv.round_frame((8, 12 + dy, 36, 31 + dy), 1.5, 1.6, c)
        cv.line(9, 13 + dy, 22, 23 + dy, 1.6, c)
        cv.line(22, 23 + dy, 35, 13 + dy, 1.6, c)
    return _about_frames(44, 43, envelope)


def about_site():
    def www(cv, c, dy):
        draw_text_centred(cv, 21.5, 4.5 + dy, "WWW", 6, c, weight=1.2, spacing=1.2)
    return _about_frames(43, 15, www)


# The registry of widget images: name -> function building it.
WIDGETS = {
    **{"ButtonText%d" % n: functools.partial(button_text, n) for n in range(1, 6)},
    "MainbtnPlay": functools.partial(main_transport, g.play),
    "MainbtnPause": functools.partial(main_transport, g.pause),
    "MainbtnStop": functools.partial(main_transport, g.stop),
    "MainbtnForward": functools.partial(main_seek, g.forward),
    "MainbtnRewind": functools.partial(main_seek, g.rewind),
    "MainbtnConfiguration": functools.partial(main_tool, g.gear),
    "MainbtnInfo": functools.partial(main_tool, g.info),
    "MainbtnNext": functools.partial(main_tool, g.next_track),
    "MainbtnPrior": functools.partial(main_tool, g.prior_track),
    "MainbtnOpenMovie": functools.partial(main_tool, g.eject),
    "MainbtnOpenSubtitle": functools.partial(main_tool, g.subtitle),
    "MainbtnPlaylist": functools.partial(main_tool, g.playlist),
    "MainbtnMinimize": functools.partial(title_box, g.minimize),
    "MainbtnClose": functools.partial(title_box, g.close),
    "MainbtnVolumeUp": functools.partial(main_volume_step, g.plus),
    "MainbtnVolumeDown": functools.partial(main_volume_step, g.minus),
    "BtnLoadPreset": lambda: four_frames(14, 12, g.load_preset, look=toolbutton, pad=2),
    "BtnSavePreset": lambda: four_frames(12, 12, g.disk, look=toolbutton, pad=2),
    "RestoreBtn": restore_button,
    "AboutMail": about_mail,
    "AboutSite": about_site,
    "MainMute": main_mute,
    "ShowHideSubtitles": show_hide_subtitles,
    "btnShuffle": functools.partial(latch, g.shuffle),
    "btnPreviousSettings": functools.partial(latch, g.memory),
    "btnClose": functools.partial(playlist_button, 18, 9, g.close, bg=TITLE),
    "btnOpenMovie": functools.partial(playlist_button, 24, 12, g.eject),
    "btnAddFolder": functools.partial(playlist_button, 28, 12,
                                      lambda cv, b, c: g.folder(cv, b, c, "+")),
    "btnOpenPlaylist": functools.partial(playlist_button, 28, 12,
                                         lambda cv, b, c: g.folder(cv, b, c, "list")),
    "btnSavePlaylist": functools.partial(playlist_button, 24, 12, g.disk),
    "btnRemove": functools.partial(playlist_button, 20, 12, g.minus),
    "btnReplaceSubtitle": functools.partial(playlist_button, 24, 12, g.subtitle),
    "CBPositions": check_boxes,
    "MainVolBar": main_volume_bar,
    "MainProgressBar": main_progress_bar,
    "VerticalSlider": vertical_thumb,
    "HorizontalSlider": horizontal_thumb,
}
