#include "kit/skin_strip.h"

#include <algorithm>
#include <cmath>

long long RoundHalfEvenLong(double Value) {
  double Floor = std::floor(Value);
  double Fraction = Value - Floor;
  if (Fraction > 0.5 || (Fraction == 0.5 && std::fmod(Floor, 2.0) != 0.0))
    Floor += 1.0;
  return static_cast<long long>(Floor);
}

int RoundHalfEven(double Value) { return static_cast<int>(RoundHalfEvenLong(Value)); }

TRect StackedFrame(int W, int H, int Index) {
  return {0, Index * H / 4, W, (Index + 1) * H / 4};
}

TRect SideFrame(int W, int H, int Count, int Index) {
  return {Index * W / Count, 0, (Index + 1) * W / Count, H};
}

int CaptionFontSize(int PixelsPerInch) {
  return RoundHalfEven(96.0 / PixelsPerInch * 9.0);
}

namespace {

int ClampImage(double Steps) {
  int N = static_cast<int>(std::ceil(Steps)) + 1;
  return std::clamp(N, 1, CaptionImageCount);
}

}  // namespace

int CaptionImageForText(int TextWidth) {
  return ClampImage((TextWidth - 70) / 20.0);
}

int CaptionImageForWidth(int Width) {
  return ClampImage((Width - 80) / 20.0);
}

int CaptionImageWidth(int N) { return 80 + 20 * (N - 1); }

int CaptionWidthForText(int TextWidth) {
  return std::max(CaptionImageWidth(CaptionImageForText(TextWidth)), TextWidth + CaptionMargin);
}

int CaptionWidthForRequest(int Width, int TextWidth) {
  const int Widest = CaptionImageWidth(CaptionImageCount);
  const int Requested = Width > Widest ? Width : CaptionImageWidth(CaptionImageForWidth(Width));
  return std::max(Requested, CaptionWidthForText(TextWidth));
}

std::wstring CaptionImageName(int N) {
  return L"ButtonText" + std::to_wstring(N);
}

std::array<TCaptionPass, 4> CaptionPasses(int ImageW, int ImageH, int TextW,
                                          int TextH) {
  int X = RoundHalfEven((ImageW - TextW) * 0.5);
  int Y = static_cast<int>(std::floor((ImageH / 4 - TextH) / 2.0));
  return {{{X, Y, CaptionTextColor},
           {X, ImageH / 4 + Y + 1, CaptionTextColor},
           {X, ImageH / 2 + Y, CaptionDisabledColor},
           {X, 3 * ImageH / 4 + Y, CaptionTextColor}}};
}

TRect RecenterOnWidth(const TRect& Rect, int W) {
  return RecenterOnWidth(Rect, Rect.Width(), W);
}

TRect RecenterOnWidth(const TRect& Rect, int OldW, int W) {
  TRect R = Rect;
  int Change = W - OldW;
  R.Left -= Change / 2;
  R.Right += Change - Change / 2;
  return R;
}
