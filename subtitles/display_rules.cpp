#include "subtitles/display_rules.h"

#include <algorithm>
#include <cstdlib>

#include "settings/value_parse.h"

namespace lc::subtitles {

namespace {

int Round(double value) { return static_cast<int>(settings::RoundHalfEven(value)); }

constexpr Offset kOutlineSmall[] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
constexpr Offset kOutlineMedium[] = {{-2, -2}, {-2, 0}, {-2, -1}, {-2, 2}, {-1, -2}, {0, -2},
                                     {1, -2},  {2, -2}, {2, -1},  {2, 0},  {2, 1},   {2, 2}};
constexpr Offset kOutlineLarge[] = {{-3, -3}, {-3, -1}, {-3, 0}, {-3, 2}, {-3, 3}, {-2, -3}, {-1, -3},
                                    {-1, 3},  {0, -3},  {1, -3}, {1, -2}, {2, -3}, {3, -3},  {3, -2},
                                    {3, -1},  {3, 0},   {3, 1},  {3, 2},  {3, 3}};

constexpr Offset kShadow16[] = {{2, 2}, {2, 3}, {3, 2}, {3, 3}};
constexpr Offset kShadow26[] = {{2, 2}, {2, 4}, {4, 2}, {4, 4}};
constexpr Offset kShadow44[] = {{3, 3}, {3, 5}, {7, 3}, {7, 5}};
constexpr Offset kShadow55[] = {{2, 3}, {2, 7}, {8, 3}, {8, 7}};

// The text colours that get a white outline.
constexpr Rgb kDarkColors[] = {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0}, {0, 0, 128},
                               {128, 0, 128}, {0, 128, 128}, {128, 128, 128}, {0, 0, 255}};

}  // namespace

int PainterFontSize(double fontScale, int subtitleSize, int controlWidth, int pixelsPerInch) {
  if (pixelsPerInch <= 0) return 1;
  return std::max(1, Round(0.02625 * fontScale * subtitleSize * controlWidth / pixelsPerInch));
}

int LineWidthLimit(int horizontalArea, int width) { return Round(horizontalArea * 0.01 * width); }

int SubtitleSizeFromDialog(int points, int screenWidth) {
  if (screenWidth <= 0) return 10;
  const double size = static_cast<double>(points) * 102400 / (static_cast<double>(screenWidth) * 28);
  return std::clamp(Round(size), 10, 1000);
}

OutlineColors OutlineColorsFor(Rgb text) {
  const bool dark = std::find(std::begin(kDarkColors), std::end(kDarkColors), text) != std::end(kDarkColors);
  OutlineColors c;
  if (dark) {
    c.Outline = {255, 255, 255};
    const auto lighten = [](std::uint8_t v) { return static_cast<std::uint8_t>(255 - (255 - v) / 4); };
    c.Key = {lighten(text.R), lighten(text.G), lighten(text.B)};
    if (c.Key == text || c.Key == c.Outline) c.Key = {254, 254, 254};
  } else {
    c.Outline = {0, 0, 0};
    c.Key = {static_cast<std::uint8_t>(text.R / 4), static_cast<std::uint8_t>(text.G / 4),
             static_cast<std::uint8_t>(text.B / 4)};
    if (c.Key == text || c.Key == c.Outline) c.Key = {1, 1, 1};
  }
  return c;
}

std::span<const Offset> OutlineOffsets(int fontSize) {
  if (fontSize <= 9) return {};
  if (fontSize <= 15) return kOutlineSmall;
  if (fontSize <= 42) return kOutlineMedium;
  return kOutlineLarge;
}

std::span<const Offset> ShadowOffsets(int fontSize) {
  if (fontSize < 16) return {};
  if (fontSize <= 25) return kShadow16;
  if (fontSize <= 43) return kShadow26;
  if (fontSize <= 54) return kShadow44;
  return kShadow55;
}

BackBitmapSize OutlineBitmapSize(int widestLine, int lineCount, int lineHeight) {
  return {widestLine + 9, lineCount * lineHeight + 11};
}

int OutlineLineX(int bitmapWidth, int lineWidth) { return (bitmapWidth - lineWidth) / 2 - 1; }

int OutlineLineY(int index, int lineHeight) { return index * lineHeight + 3; }

int OutlineBandTop(int windowHeight, int zone, int bitmapHeight) {
  const int h = windowHeight;
  return std::min(h - Round(zone * 0.01 * h) - bitmapHeight / 2 + 2, h - bitmapHeight + 5) + 1;
}

int OutlineCopyX(int controlWidth, int bitmapWidth) { return (controlWidth - bitmapWidth) / 2 + 2; }

DirectPlacement PlaceDirectLines(int controlHeight, int windowHeight, int zone, int lineCount, int lineHeight,
                                 int bandTop) {
  DirectPlacement p;
  p.Gap = std::max(0, Round(zone * 0.01 * windowHeight) - (lineCount * lineHeight) / 2);
  p.BandTop = std::min(bandTop, controlHeight - lineCount * lineHeight - p.Gap - 1);
  return p;
}

int DirectLineY(int controlHeight, int lineCount, int index, int lineHeight, int gap) {
  return controlHeight - (lineCount - index) * lineHeight - gap;
}

int DirectLineX(int controlWidth, int lineWidth) { return (controlWidth - lineWidth) / 2; }

int RoundToMultipleOf5(int n) { return n % 5 > 2 ? (n / 5 + 1) * 5 : (n / 5) * 5; }

int SubtitleSizeStep(int size, bool up) {
  return up ? std::min(1000, RoundToMultipleOf5(size + 5)) : std::max(10, RoundToMultipleOf5(size - 5));
}

int DisplayZoneStep(int zone, bool up) {
  if (up) return zone < 50 ? zone + 1 : zone;
  return zone > 0 ? zone - 1 : zone;
}

void ShiftSubtitleTimes(Subtitle& subtitle, std::int32_t deltaMs) {
  for (std::int32_t& t : subtitle.Start) t += deltaMs;
  for (std::int32_t& t : subtitle.End) t += deltaMs;
}

std::string DelaySeconds(int delayTenths, char decimalSeparator) {
  const int magnitude = std::abs(delayTenths);
  std::string text = delayTenths < 0 ? "-" : "";
  text += std::to_string(magnitude / 10);
  text += decimalSeparator;
  text += std::to_string(magnitude % 10);
  return text;
}

int EntryAt(const Subtitle& subtitle, std::int64_t positionMs, bool useDurations) {
  const std::size_t n = subtitle.Count();
  for (std::size_t i = 0; i < n; ++i) {
    const std::int64_t start = subtitle.Start[i];
    const std::int64_t end =
        useDurations && i < subtitle.Durations.size() ? start + subtitle.Durations[i] : subtitle.End[i];
    if (start <= positionMs && positionMs < end) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace lc::subtitles
