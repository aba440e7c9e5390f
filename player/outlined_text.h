// Outlined text as the on-screen painters draw it: the outline without
// font smoothing at eight offsets around the text, then the text itself
// smoothed. TfrmVideoWindow.VideoWindowPaintOsd
// (player/video_window_osd_painter.cpp) paints the OSD with it. GUI thread
// only.
#pragma once

#include <string>

#include "framework/graphics.h"

// Draws Text with its top-left at (X, Y) on Canvas in Font: first in
// Outline at the offsets (-D, 0), (0, -D), (0, D), (D, 0), (-E, -E),
// (-E, E), (E, -E), (E, E), then in Color at (X, Y). The background is
// left as it is. Smooth selects the antialiased font quality for the text
// and the non-antialiased one for the outline; without it the canvas's
// own font is used for both. Every stamp places the characters at the
// advances of the canvas's font in Font.
void DrawOutlinedText(TCanvas& Canvas, const TFont& Font, int X, int Y, const std::wstring& Text, int D, int E,
                      TColor Outline, TColor Color, bool Smooth);
