// The on-screen display's arithmetic: how long a text stays, the font
// size and place over the picture, how much of a long text fits, and the
// outline and transparent key colours. Plain values only; the painter
// (player/video_window_osd_painter.cpp) and TfrmMain.ShowOSD apply them.
#pragma once

#include <optional>
#include <string>

#include "framework/types.h"

namespace lc {

// How long a text of Length characters stays, in days: 0.0616896 s per
// character plus 0.8023104 s.
double OsdDuration(std::size_t Length);

// Where and how large the OSD is drawn.
struct OsdLayout {
  int FontSize = 0;  // points
  int X0 = 0;        // left edge of the text
  int Y0 = 0;        // top edge of the text and of the clock
  int D = 0;         // outline distance
  int E = 0;         // diagonal outline distance
  int Width = 0;     // the width the text scales with (FW)
};

// The OSD layout over a monitor MonitorWidth x MonitorHeight at Ppi pixels
// per inch with the OsdSize setting (percent). In a window (not FullScreen)
// the font scales with the window's share of the monitor width and the
// text is placed in the window (WindowWidth x WindowHeight).
OsdLayout ComputeOsdLayout(bool FullScreen, int MonitorWidth, int MonitorHeight, int WindowWidth,
                           int WindowHeight, int OsdSize, int Ppi);

// The clock's left edge: right-aligned at 0.9 of the width.
int OsdClockX(const OsdLayout& Layout, int ClockTextWidth);

// Where a text TextWidth wide placed at X is drawn: a right-to-left canvas
// takes it on by its width plus one.
int OsdTextX(int X, int TextWidth, bool RightToLeft);

// How many of the Length characters of a text TextWidth pixels wide fit:
// 0.8 of the window's width, or with a clock shown 0.75 of it less the
// clock's room (ClockWidth, the width of "00:00"). Never below 0 nor
// above Length.
int OsdCutCount(int Length, int TextWidth, int WindowWidth, std::optional<int> ClockWidth);

struct OsdColors {
  TColor Outline = 0;
  TColor Key = 0;  // transparent: never the text nor the outline colour
};

// The outline and key colours for the text colour Text: dark standard
// colours get a white outline, every other colour a black one.
OsdColors OsdColorsFor(TColor Text);

}  // namespace lc
