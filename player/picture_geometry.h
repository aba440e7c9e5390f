// Where the movie's picture goes: the one placement rule that every caller
// uses (opening, full screen, live sizing, the aspect and pan & scan
// commands, the size commands, the zoom cycle, movie mode, display
// changes), and the arithmetic of those commands. Plain values only; the
// window code applies the results.
//
// Round is to the nearest integer with halves to even; "div" truncates
// toward zero.
#pragma once

#include <optional>

#include "framework/types.h"

namespace lc {

// A movie's picture as the placement rule needs it.
struct PictureShape {
  int NativeWidth = 0;
  int NativeHeight = 0;
  double AspectRatio = 0;  // wanted width / height
  bool KeepAspectRatio = true;
};

// The aspect-corrected size: the native pixel count with the wanted
// proportions (s = sqrt(A x H / W); W' = Round(W x s), H' = Round(H / s)).
// A shape without a usable size or ratio gives 0 x 0.
TSize AspectCorrectedSize(const PictureShape& Shape);

// The picture's rectangle inside an area of AreaWidth x AreaHeight, with
// pan & scan PanScan (percent; the window variant passes 0) and the
// picture offsets OffsetX, OffsetY (percent of the placed picture: right
// and up). Relative to the area's top-left corner. A shape whose corrected
// size is empty fills the area as the free mode does.
TRect PlacePicture(const PictureShape& Shape, int AreaWidth, int AreaHeight, int PanScan = 0,
                   int OffsetX = 0, int OffsetY = 0);

// The native ratio rounded to 1/100: Round(W x 100 / Max(H, 1)) x 0.01.
double OriginalAspectRatio(int NativeWidth, int NativeHeight);

// ---- picture offsets ----

// The picture (now at Current inside a control of ControlWidth x
// ControlHeight) moved for a new offset, keeping its size: horizontally
// Left = Round(OffsetX x 0.01 x w) + (ControlWidth - w) div 2 with its top
// kept, or vertically Top = (ControlHeight - h) div 2 - Round(OffsetY x
// 0.01 x h) with its left kept.
TRect OffsetPictureRect(const TRect& Current, int ControlWidth, int ControlHeight, int OffsetX, int OffsetY,
                        bool Horizontal);

// The picture centred in the control, keeping its size.
TRect CentredPictureRect(const TRect& Current, int ControlWidth, int ControlHeight);

// ---- pan & scan ----

inline constexpr int kPanScanMin = -50;
inline constexpr int kPanScanMax = 100;

// Automatic pan & scan on a MonitorWidth x MonitorHeight screen: a picture
// wider than the screen grows until it covers a third of the black bars
// (0..50, values below 3 are 0); otherwise 0.
int AutomaticPanScan(int MonitorWidth, int MonitorHeight, double AspectRatio);

// The pan & scan that a size command of Percent gives in full screen:
// -Percent div 2 below 100, else Percent - 100.
int PanScanForPercent(int Percent);

// ---- window sizes ----

// The area a window is kept reachable in: left, top, width, height.
struct ReachArea {
  int X = 0, Y = 0, CX = 0, CY = 0;
};

// One wheel step down: the window (Bounds) shrinks by up to 16 pixels of
// width about its centre, its height in proportion, kept reachable in
// Area. VideoWidth and VideoHeight are the video control's client size.
// Nothing (nullopt) when the picture would get too small.
std::optional<TRect> WheelShrinkBounds(const TRect& Bounds, int VideoWidth, int VideoHeight,
                                       const ReachArea& Area);

// One wheel step up: grows by up to 16 pixels of width about the centre,
// until the window is at least the larger of twice the corrected picture
// size and the screen size (ScreenWidth x ScreenHeight). Not clamped.
std::optional<TRect> WheelGrowBounds(const TRect& Bounds, TSize Corrected, int ScreenWidth,
                                     int ScreenHeight);

// The proposed rectangle of a sizing loop from the edge Edge (1..8, the
// platform's sizing-edge codes), kept at least 40 x 30 by moving the edge
// being dragged.
TRect LimitSizingRect(int Edge, TRect Proposed);

// The size commands in a window: the window for Percent of the picture's
// corrected native size, centred where Bounds was and kept reachable in
// Area. nullopt when the window already has that size.
std::optional<TRect> PercentWindowBounds(int Percent, const PictureShape& Shape, const TRect& Bounds,
                                         const ReachArea& Area);

// The zoom cycle's step in a window: the bounds doubled about their
// centre while twice the size fits in 0.9 of the monitor; nullopt when the
// cycle goes on to full screen.
std::optional<TRect> ZoomDoubleBounds(const TRect& Bounds, int MonitorWidth, int MonitorHeight);

// ---- movie mode ----

// What movie mode needs to know besides the shape and the screen.
struct MovieModeInput {
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  bool SubtitlesShown = false;
  bool UseOutlineFont = false;
  int SubtitleFontSize = 0;    // points, Round(SW x SubtitleSize x 28 / 102400)
  int SubtitleTextHeight = 0;  // the height of "H" at that size
};

// The values movie mode puts in force, and where the picture goes when it
// is laid out in full screen over the screen.
struct MovieModeValues {
  int PanScan = 0;
  int OffsetX = 0;
  int OffsetY = 0;
  std::optional<int> SubtitleZone;  // set only with subtitles shown
  TRect Placement;                  // left, top, right, bottom
};

// The subtitle font size movie mode measures with, from the screen width
// and the SubtitleSize setting (percent).
int MovieModeSubtitleFontSize(int ScreenWidth, int SubtitleSize);

// Movie mode: a movie wider than the screen fills its width, grows into
// the black bars by a third, and is raised so that two subtitle lines fit
// below it. A screen at least as wide as the picture (or the free mode)
// only resets the pan & scan and offsets.
MovieModeValues MovieModeLayout(const PictureShape& Shape, const MovieModeInput& Input);

}  // namespace lc
