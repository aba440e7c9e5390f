#include "player/osd_rules.h"

#include <algorithm>
#include <array>

#include "kit/skin_strip.h"

namespace lc {

double OsdDuration(std::size_t Length) { return Length * 7.14e-07 + 9.286e-06; }

OsdLayout ComputeOsdLayout(bool FullScreen, int MW, int MH, int FW, int FH, int OsdSize, int Ppi) {
  OsdLayout L;
  if (MW <= 0 || Ppi <= 0) return L;
  L.FontSize = RoundHalfEven(MW * 0.0216 * OsdSize / Ppi);
  int AH;
  if (FullScreen) {
    L.Width = MW;
    AH = MH;
  } else {
    L.FontSize = RoundHalfEven(static_cast<double>(FW) * L.FontSize / MW);
    L.Width = FW;
    AH = FH;
  }
  L.X0 = RoundHalfEven(L.Width * 0.1);
  L.Y0 = RoundHalfEven(AH * 0.1);
  L.D = RoundHalfEven(L.FontSize * 0.1 * Ppi / 96);
  L.E = RoundHalfEven(L.D * 0.707);
  return L;
}

int OsdClockX(const OsdLayout& Layout, int ClockTextWidth) {
  return RoundHalfEven(Layout.Width * 0.9) - ClockTextWidth;
}

int OsdTextX(int X, int TextWidth, bool RightToLeft) { return RightToLeft ? X + TextWidth + 1 : X; }

int OsdCutCount(int N, int TextWidth, int FW, std::optional<int> ClockWidth) {
  if (N <= 0) return 0;
  if (TextWidth <= 0) return N;
  const double Limit = ClockWidth ? (FW * 0.75 - *ClockWidth) * N / TextWidth : N * 0.8 * FW / TextWidth;
  return std::clamp(RoundHalfEven(Limit), 0, N);
}

OsdColors OsdColorsFor(TColor c) {
  // Black, maroon, green, olive, navy, purple, teal, gray and blue.
  static constexpr std::array<TColor, 9> Dark = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000,
                                                 0x800080, 0x808000, 0x808080, 0xFF0000};
  const int r = ColorR(c), g = ColorG(c), b = ColorB(c);
  OsdColors Result;
  if (std::find(Dark.begin(), Dark.end(), c) != Dark.end()) {
    Result.Outline = clWhite;
    Result.Key = RGBColor(255 - (255 - r) / 4, 255 - (255 - g) / 4, 255 - (255 - b) / 4);
    if (Result.Key == c || Result.Key == clWhite) Result.Key = RGBColor(254, 254, 254);
  } else {
    Result.Outline = clBlack;
    Result.Key = RGBColor(r / 4, g / 4, b / 4);
    if (Result.Key == c || Result.Key == clBlack) Result.Key = RGBColor(1, 1, 1);
    // A text of (1, 1, 1) would otherwise be its own key and vanish.
    if (Result.Key == c) Result.Key = RGBColor(2, 2, 2);
  }
  return Result;
}

}  // namespace lc
