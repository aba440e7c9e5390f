// The arithmetic of painting subtitles and of the subtitle commands: font
// sizes, the outline's colours and offsets, where the lines go on the video
// control, the size, position and delay steps and the font dialog's size
// conversions. Plain values in, plain values out; the painter and the
// commands in player/ do the drawing and keep the state.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "subtitles/subtitle_data.h"

namespace lc::subtitles {

// ---- font sizes ----

// The painter's font size in points: Round(0.02625 x scale x size x width
// / pixels per inch), at least 1. `subtitleSize` is the SubtitleSize
// percentage, `width` the video control's width.
int PainterFontSize(double fontScale, int subtitleSize, int controlWidth, int pixelsPerInch);

// The pixels a line may take: Round(area% of the width).
int LineWidthLimit(int horizontalArea, int width);

// The SubtitleSize that a font of `points` chosen in the font dialog gives
// (the inverse of settings::SubtitlePointSize):
// Round(points x 102400 / (width x 28)), kept within 10 .. 1000.
int SubtitleSizeFromDialog(int points, int screenWidth);

// ---- the outline ----

struct Rgb {
  std::uint8_t R = 0, G = 0, B = 0;
  bool operator==(const Rgb&) const = default;
};

struct OutlineColors {
  Rgb Outline;  // drawn around the text
  Rgb Key;      // the back bitmap's fill, left out when it is copied
};

// Dark text colours (black, maroon, green, olive, navy, purple, teal, gray,
// blue) get a white outline and a key lightened by three quarters towards
// white; every other colour a black outline and a key darkened to a
// quarter. A key that would equal the text or the outline becomes
// (254, 254, 254) or (1, 1, 1).
OutlineColors OutlineColorsFor(Rgb text);

struct Offset {
  int Dx = 0, Dy = 0;
  bool operator==(const Offset&) const = default;
};

// Where the outline is drawn around the text for a font size: none up to
// 9 points, then 4, 12 or 19 offsets.
std::span<const Offset> OutlineOffsets(int fontSize);
// Where the shadow is drawn: none below 16 points, then 4 offsets that
// grow with the size.
std::span<const Offset> ShadowOffsets(int fontSize);

// ---- placement ----

// The outlined text's back bitmap: (widest line + 9) x (lines x line
// height + 11); line i sits at x = (bitmap width - its width) div 2 - 1,
// y = i x line height + 3.
struct BackBitmapSize {
  int Width = 0, Height = 0;
};
BackBitmapSize OutlineBitmapSize(int widestLine, int lineCount, int lineHeight);
int OutlineLineX(int bitmapWidth, int lineWidth);
int OutlineLineY(int index, int lineHeight);

// The subtitle band's top for the outlined text in a window `windowHeight`
// high: Min(H - Round(zone% of H) - bitmap height div 2 + 2,
// H - bitmap height + 5) + 1. The bitmap is copied one row below it, at
// x = (control width - bitmap width) div 2 + 2.
int OutlineBandTop(int windowHeight, int zone, int bitmapHeight);
int OutlineCopyX(int controlWidth, int bitmapWidth);

// The directly painted lines: the gap D under the last line, the band's
// new top (never lower than `bandTop`) and each line's row.
struct DirectPlacement {
  int Gap = 0;      // D
  int BandTop = 0;  // SubtitleBandTop after painting
};
DirectPlacement PlaceDirectLines(int controlHeight, int windowHeight, int zone, int lineCount, int lineHeight,
                                 int bandTop);
int DirectLineY(int controlHeight, int lineCount, int index, int lineHeight, int gap);
int DirectLineX(int controlWidth, int lineWidth);

// ---- commands ----

// N rounded to the nearest multiple of 5 (12 gives 10, 13 gives 15).
int RoundToMultipleOf5(int n);

// SubtitleSize after one step of the size commands: up to at most 1000,
// down to at least 10, both rounded to a multiple of 5.
int SubtitleSizeStep(int size, bool up);

// AverageVerticalDisplayZone after one step: within 0 .. 50.
int DisplayZoneStep(int zone, bool up);

// Moves every entry's start and end by `deltaMs`.
void ShiftSubtitleTimes(Subtitle& subtitle, std::int32_t deltaMs);

// SubtitleDelay (tenths of a second) in seconds with one decimal and the
// given separator: -15 gives "-1.5".
std::string DelaySeconds(int delayTenths, char decimalSeparator);

// ---- the entry at a position ----

// The first entry with start <= position < end; the end is start +
// Durations when `useDurations` (AutoCalculationTime). -1 for none.
int EntryAt(const Subtitle& subtitle, std::int64_t positionMs, bool useDurations);

// ---- letters ----

// True for the upper-case letters of the scripts a subtitle may use
// (Latin, Greek, Coptic, Cyrillic, Armenian, Georgian, Roman numerals,
// circled and fullwidth capitals); the dialogue-line rule asks it.
bool IsWideUpperCase(char16_t c);

}  // namespace lc::subtitles
