#include "player/picture_geometry.h"

#include <algorithm>
#include <cmath>

#include "kit/skin_strip.h"

namespace lc {

namespace {

int Floor2(int Value) { return static_cast<int>(std::floor(Value / 2.0)); }
int Ceil2(int Value) { return static_cast<int>(std::ceil(Value / 2.0)); }

bool HasShape(const PictureShape& Shape) {
  return Shape.NativeWidth > 0 && Shape.NativeHeight > 0 && Shape.AspectRatio > 0;
}

// The free mode: the whole area, enlarged by the pan & scan.
TRect FillArea(int AW, int AH, int P, int OX, int OY) {
  const int Width = AW + RoundHalfEven(AW * (P * 0.02));
  const int Height = AH + RoundHalfEven(AH * (P * 0.02));
  const int Left = RoundHalfEven(AW * (P * -0.01)) + RoundHalfEven(OX * 0.01 * Width);
  const int Top = RoundHalfEven(AH * (P * -0.01)) - RoundHalfEven(OY * 0.01 * Height);
  return Bounds(Left, Top, Width, Height);
}

// Moves R so that it stays reachable: its left and top edges no further
// than nine tenths into the area, its right and bottom edges at least a
// tenth into it.
TRect KeepReachable(TRect R, const ReachArea& A) {
  if (R.Left > A.X + A.CX * 9 / 10) R = R.Offset(A.X + A.CX * 9 / 10 - R.Left, 0);
  if (R.Top > A.Y + A.CY * 9 / 10) R = R.Offset(0, A.Y + A.CY * 9 / 10 - R.Top);
  if (R.Right < A.X + A.CX / 10) R = R.Offset(A.X + A.CX / 10 - R.Right, 0);
  if (R.Bottom < A.Y + A.CY / 10) R = R.Offset(0, A.Y + A.CY / 10 - R.Bottom);
  return R;
}

}  // namespace

TSize AspectCorrectedSize(const PictureShape& Shape) {
  if (!HasShape(Shape)) return {};
  const double s = std::sqrt(Shape.AspectRatio * Shape.NativeHeight / Shape.NativeWidth);
  return {RoundHalfEven(Shape.NativeWidth * s), RoundHalfEven(Shape.NativeHeight / s)};
}

TRect PlacePicture(const PictureShape& Shape, int AW, int AH, int P, int OX, int OY) {
  const TSize c = AspectCorrectedSize(Shape);
  if (!Shape.KeepAspectRatio || c.cx <= 0 || c.cy <= 0) return FillArea(AW, AH, P, OX, OY);
  if (static_cast<double>(AW) / AH <= Shape.AspectRatio) {
    // The area is not wider than the picture: fit the width.
    const int Width = AW + RoundHalfEven(AW * (P * 0.02));
    const int Height = RoundHalfEven(static_cast<double>(Width) / c.cx * c.cy);
    const int Left = RoundHalfEven(AW * (P * -0.01)) + RoundHalfEven(OX * 0.01 * Width);
    const int Top = (AH - Height) / 2 - RoundHalfEven(OY * 0.01 * Height);
    return Bounds(Left, Top, Width, Height);
  }
  // Fit the height.
  const int Height = AH + RoundHalfEven(AH * (P * 0.02));
  const int Width = RoundHalfEven(static_cast<double>(Height) / c.cy * c.cx);
  const int Top = RoundHalfEven(AH * (P * -0.01)) - RoundHalfEven(OY * 0.01 * Height);
  const int Left = (AW - Width) / 2 + RoundHalfEven(OX * 0.01 * Width);
  return Bounds(Left, Top, Width, Height);
}

TRect OffsetPictureRect(const TRect& Current, int ControlWidth, int ControlHeight, int OffsetX, int OffsetY,
                        bool Horizontal) {
  const int W = Current.Width();
  const int H = Current.Height();
  if (Horizontal) return Bounds(RoundHalfEven(OffsetX * 0.01 * W) + (ControlWidth - W) / 2, Current.Top, W, H);
  return Bounds(Current.Left, (ControlHeight - H) / 2 - RoundHalfEven(OffsetY * 0.01 * H), W, H);
}

TRect CentredPictureRect(const TRect& Current, int ControlWidth, int ControlHeight) {
  const int W = Current.Width();
  const int H = Current.Height();
  return Bounds((ControlWidth - W) / 2, (ControlHeight - H) / 2, W, H);
}

double OriginalAspectRatio(int NativeWidth, int NativeHeight) {
  return RoundHalfEven(NativeWidth * 100.0 / std::max(NativeHeight, 1)) * 0.01;
}

int AutomaticPanScan(int MonitorWidth, int MonitorHeight, double AspectRatio) {
  if (MonitorHeight <= 0 || AspectRatio <= 0) return 0;
  if (static_cast<double>(MonitorWidth) / MonitorHeight >= AspectRatio) return 0;
  const int h = RoundHalfEven(MonitorWidth / AspectRatio);
  if (h <= 0) return 0;
  const int P = std::clamp(RoundHalfEven((((MonitorHeight - h) / 3.0 + h) / h - 1) / 0.02), 0, 50);
  return P < 3 ? 0 : P;
}

int PanScanForPercent(int Percent) { return Percent < 100 ? -Percent / 2 : Percent - 100; }

std::optional<TRect> WheelShrinkBounds(const TRect& B, int VideoWidth, int VideoHeight,
                                       const ReachArea& Area) {
  if (!(VideoHeight > 30 || VideoWidth >= 41)) return std::nullopt;
  const int s = std::max(std::min(VideoWidth - 40, 16), 0);
  const int W = B.Width(), H = B.Height();
  if (s == 0 || W <= 0) return std::nullopt;
  const int d = H - RoundHalfEven(static_cast<double>(H) / W * (W - s));
  if (VideoHeight - d < 30) return std::nullopt;
  const TRect R{B.Left + Floor2(s), B.Top + Floor2(d), B.Left + W - Ceil2(s), B.Top + H - Ceil2(d)};
  return KeepReachable(R, Area);
}

std::optional<TRect> WheelGrowBounds(const TRect& B, TSize Corrected, int ScreenWidth, int ScreenHeight) {
  const int W = B.Width(), H = B.Height();
  const int MaxW = std::max(2 * Corrected.cx, ScreenWidth);
  const int MaxH = std::max(2 * Corrected.cy, ScreenHeight);
  if (H >= MaxH && W >= MaxW) return std::nullopt;
  const int s = std::max(std::min(MaxW - W, 16), 0);
  if (s == 0 || W <= 0) return std::nullopt;
  const int d = RoundHalfEven(static_cast<double>(H) / W * (W + s)) - H;
  if (H + d >= MaxH) return std::nullopt;
  return TRect{B.Left - Floor2(s), B.Top - Floor2(d), B.Left + W + Ceil2(s), B.Top + H + Ceil2(d)};
}

TRect LimitSizingRect(int Edge, TRect R) {
  constexpr int MinWidth = 40, MinHeight = 30;
  // Edges 1 left, 4 top-left, 7 bottom-left move the left side.
  if (Edge == 1 || Edge == 4 || Edge == 7)
    R.Left = std::min(R.Left, R.Right - MinWidth);
  else
    R.Right = std::max(R.Right, R.Left + MinWidth);
  // Edges 3 top, 4 top-left, 5 top-right move the top side.
  if (Edge == 3 || Edge == 4 || Edge == 5)
    R.Top = std::min(R.Top, R.Bottom - MinHeight);
  else
    R.Bottom = std::max(R.Bottom, R.Top + MinHeight);
  return R;
}

std::optional<TRect> PercentWindowBounds(int Percent, const PictureShape& Shape, const TRect& B,
                                         const ReachArea& A) {
  const int W = std::max(Shape.NativeWidth, 1), H = std::max(Shape.NativeHeight, 1);
  const double s = std::sqrt(H * Shape.AspectRatio / W);
  if (!(s > 0)) return std::nullopt;
  const int NW = RoundHalfEven(Percent * 0.01 * Shape.NativeWidth * s);
  const int NH = RoundHalfEven(Percent * 0.01 * Shape.NativeHeight / s);
  if (NW <= 0 || NH <= 0) return std::nullopt;
  if (NW == B.Width() && NH == B.Height()) return std::nullopt;
  const int Top = std::max(std::min(B.Top + (B.Height() - NH) / 2, A.Y + A.CY * 9 / 10), A.Y + A.CY / 10 - NH);
  const int Left = std::max(std::min(B.Left + (B.Width() - NW) / 2, A.X + A.CX * 9 / 10), A.X + A.CX / 10 - NW);
  return Bounds(Left, Top, NW, NH);
}

std::optional<TRect> ZoomDoubleBounds(const TRect& B, int MonitorWidth, int MonitorHeight) {
  const int W = B.Width(), H = B.Height();
  if (2 * W <= 0.9 * MonitorWidth && 2 * H <= 0.9 * MonitorHeight)
    return Bounds(B.Left - W / 2, B.Top - H / 2, 2 * W, 2 * H);
  return std::nullopt;
}

int MovieModeSubtitleFontSize(int ScreenWidth, int SubtitleSize) {
  return RoundHalfEven(ScreenWidth * static_cast<double>(SubtitleSize) * 28 / 102400);
}

MovieModeValues MovieModeLayout(const PictureShape& Shape, const MovieModeInput& In) {
  MovieModeValues V;
  const int SW = In.ScreenWidth, SH = In.ScreenHeight;
  const double A = Shape.AspectRatio;
  const TSize c = AspectCorrectedSize(Shape);
  if (SW <= 0 || SH <= 0) return V;
  if (In.SubtitlesShown) V.SubtitleZone = 0;
  if (!Shape.KeepAspectRatio || c.cx <= 0 || c.cy <= 0 || RoundHalfEven(SW * 101.0 / SH) / 100.0 >= A) {
    // The screen is at least as wide as the picture: it fills the height.
    if (!Shape.KeepAspectRatio || c.cy <= 0) {
      V.Placement = Bounds(0, 0, SW, SH);
    } else {
      const int Width = RoundHalfEven(static_cast<double>(SH) / c.cy * c.cx);
      V.Placement = Bounds((SW - Width) / 2, 0, Width, SH);
    }
    return V;
  }
  int P = AutomaticPanScan(SW, SH, A);
  // The picture's height PH and the gap G above it, leaving room for two
  // subtitle lines (and an outline's ninth of the font size) below.
  const int h0 = RoundHalfEven(SW / A);
  const int Z = RoundHalfEven(SW / A * (P * 0.02 + 1));
  int PH, G;
  if (In.SubtitlesShown) {
    const int Room = 2 * In.SubtitleTextHeight + (In.UseOutlineFont ? In.SubtitleFontSize / 9 : 0);
    PH = std::max(h0, std::min(SH - Room, Z));
    G = std::max(0, (SH - PH - Room) / 2);
  } else {
    PH = std::max(h0, Z);
    G = std::max(0, (SH - PH) / 2);
  }
  P = RoundHalfEven((PH - SW / A) * 100 / (SW * 2 / A));
  if (P < 3) P = 0;
  V.PanScan = P;
  if (In.SubtitlesShown) V.SubtitleZone = std::clamp(RoundHalfEven((SH - PH - G) * 50.0 / SH), 0, 50);
  const int Width = RoundHalfEven(P * 0.02 * SW) + SW;
  const int Height = RoundHalfEven(static_cast<double>(Width) / c.cx * c.cy);
  V.OffsetY = Height > 0 ? std::clamp(RoundHalfEven((SH - Height - 2.0 * G) * 50 / Height), -100, 100) : 0;
  V.Placement = PlacePicture(Shape, SW, SH, V.PanScan, 0, V.OffsetY);
  return V;
}

}  // namespace lc
