#pragma once

#include <memory>
#include <string>

#include "kit/drag_widget.h"
#include "kit/widget_surface.h"

class TPlaybackLink;

// Rounding X / D to the nearest integer, halves to even, exactly for 64-bit
// values (D > 0).
long long DivRoundHalfEven(long long X, long long D);

// Filled width in pixels of a bar BarWidth + 1 pixels wide (Right + 1 -
// Left) at Position of Min .. Max (long movies: the product is 64-bit).
int ProgressFillWidth(int Span, int Position, int Min, int Max);

// The position under a mouse point X of a bar from Left to Right (both
// included) for the range Min .. Max, not limited to it.
long long ProgressPositionAt(const TRect& Bar, int Min, int Max, int X);

// The main window's seek bar on "MainProgressBar" (two rows 9 px high: top
// empty, bottom filled). It shows the playback position and seeks on a click
// or a drag; disabled while no movie is open. No hint; the pointing hand
// while dragged.
class TVirtualProgressBar : public TDragWidget {
 public:
  TVirtualProgressBar(TWidgetHost& Host, TWidgetSurface& Surface, const TRect& Rect,
                      const std::wstring& SkinName, bool Enabled,
                      TPlaybackLink& Playback);

  // Only while enabled and on a change: clamped to the range; repainted
  // only when the filled width changes.
  void SetPosition(int Value);
  // At least Min + 1; the position is limited to it.
  void SetMax(int Value);
  // No repaint.
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool MouseDown(int X, int Y) override;
  bool MouseMove(int X, int Y, bool LeftDown) override;
  bool MouseUp(int X, int Y) override;
  void Paint() override;

  int Position() const { return FPosition; }
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int FillWidth() const { return FFillWidth; }
  bool Enabled() const { return FEnabled; }

 private:
  // The seek position under X, within the range.
  int PositionAt(int X) const;
  void Seek(int NewPosition);

  TWidgetSurface& FSurface;
  TPlaybackLink& FPlayback;
  std::unique_ptr<TSkinImage> FImage;
  int FPosition = 0;
  int FMax = 100;
  int FMin = 0;
  int FFillWidth = 0;
  bool FEnabled;
};
