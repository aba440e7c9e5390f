#include "kit/progress_bar.h"

#include <algorithm>
#include <cstdlib>

#include "kit/skin_strip.h"
#include "kit/widget_links.h"

namespace {

// How far a drag may stray from the bar before it stops seeking.
constexpr int DragZoneLeft = 11;
constexpr int DragZoneRight = 20;
constexpr int DragZoneY = 10;
// Height of one row of the bar's image.
constexpr int RowHeight = 9;

}  // namespace

long long DivRoundHalfEven(long long X, long long D) {
  long long Q = X / D, R = X % D;
  if (R < 0) {  // floor division
    Q -= 1;
    R += D;
  }
  if (2 * R > D || (2 * R == D && (Q & 1) != 0)) Q += 1;
  return Q;
}

int ProgressFillWidth(int Span, int Position, int Min, int Max) {
  long long Product = static_cast<long long>(Span) * Position;
  return static_cast<int>(DivRoundHalfEven(Product, static_cast<long long>(Max) - Min + 1));
}

long long ProgressPositionAt(const TRect& Bar, int Min, int Max, int X) {
  double P = (X - Bar.Left) * 1.0 / (Bar.Right - Bar.Left + 1) *
                 (static_cast<double>(Max) - Min + 1) + Min;
  return RoundHalfEvenLong(P);
}

TVirtualProgressBar::TVirtualProgressBar(TWidgetHost& Host, TWidgetSurface& Surface,
                                         const TRect& Rect, const std::wstring& SkinName,
                                         bool Enabled, TPlaybackLink& Playback)
    : TDragWidget(Host, Rect),
      FSurface(Surface),
      FPlayback(Playback),
      FImage(Surface.LoadImage(SkinName)),
      FEnabled(Enabled) {}

int TVirtualProgressBar::PositionAt(int X) const {
  // Limited to the range: a drag beyond the right end asks for the end,
  // not for more.
  long long P = ProgressPositionAt(FRect, FMin, FMax, X);
  return static_cast<int>(std::clamp<long long>(P, std::max(FMin, 0), FMax));
}

void TVirtualProgressBar::SetPosition(int Value) {
  if (!FEnabled || Value == FPosition) return;
  FPosition = std::clamp(Value, FMin, FMax);
  int Fill = ProgressFillWidth(FRect.Right + 1 - FRect.Left, FPosition, FMin, FMax);
  if (Fill == FFillWidth) return;
  FFillWidth = Fill;
  Paint();
}

void TVirtualProgressBar::SetMax(int Value) {
  if (Value == FMax) return;
  FMax = std::max(Value, FMin + 1);
  FPosition = std::min(FMax, FPosition);
  Paint();
}

void TVirtualProgressBar::Seek(int NewPosition) {
  long long Change = std::llabs(static_cast<long long>(NewPosition) - FPosition);
  FPosition = NewPosition;
  Paint();
  FPlayback.SeekToPosition(FPosition);
  AddRmsChangeScore(FPlayback, Change);
}

bool TVirtualProgressBar::MouseDown(int X, int Y) {
  if (!FEnabled || !PointInside(X, Y)) return false;
  FDragging = true;
  FFillWidth = X - FRect.Left;
  Seek(PositionAt(X));
  FHost.CapturedWidget = this;
  return true;
}

bool TVirtualProgressBar::MouseMove(int X, int Y, bool LeftDown) {
  if (!LeftDown) FDragging = false;
  if (!FDragging || !FEnabled) {
    if (FEnabled) HoverRule(X, Y);
    return false;
  }
  if (!DragInZone(X, Y, DragZoneLeft, DragZoneRight, DragZoneY)) return false;
  FFillWidth = std::min(FRect.Right - FRect.Left + 1, std::max(0, X - FRect.Left));
  Seek(PositionAt(X));
  return true;
}

bool TVirtualProgressBar::MouseUp(int X, int Y) {
  if (!FDragging || !PointInside(X, Y)) return false;
  FDragging = false;
  return true;
}

void TVirtualProgressBar::Paint() {
  int K = FPlayback.IsWin9x() ? 1 : 0;
  const TRect& R = FRect;
  // The fill never runs past the bar's last painted column.
  int Fill = std::clamp(FFillWidth, 0, R.Width());
  int ImageW = FImage->Width();
  FSurface.Copy(*FImage, {Fill, 0, ImageW, RowHeight},
                {R.Left + Fill - K, R.Top, R.Right - K, R.Bottom}, ptBoth);
  FSurface.Copy(*FImage, {0, RowHeight, Fill, 2 * RowHeight},
                {R.Left - K, R.Top, R.Left + Fill - K, R.Bottom}, ptBoth);
}
