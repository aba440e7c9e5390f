#include "kit/trackbar.h"

#include <algorithm>
#include <cstdlib>

#include "kit/skin_strip.h"
#include "kit/widget_links.h"

// ---- the four sliders --------------------------------------------------------

TTrackGeometry EqualizerTrack(int X) {
  TTrackGeometry G;
  G.Vertical = true;
  G.Min = -100;
  G.Max = 100;
  G.Start = 48;
  G.Length = 96;
  G.HitArea = {X - 10, 43, X + 5, 149};
  G.CellBefore = 3;
  G.CellAfter = 4;
  G.CellAcross1 = X - 5;
  G.CellAcross2 = X + 7;
  G.ThumbSource = {0, 0, 12, 7};
  G.SnapTo = 96;
  G.SnapDistance = 4;
  G.StartPosition = 0;
  return G;
}

TTrackGeometry ColourTrack(int Y, int Min, int Max) {
  TTrackGeometry G;
  G.Min = Min;
  G.Max = Max;
  G.Start = 105;
  G.Length = 130;
  G.HitArea = {100, Y - 5, 240, Y + 10};
  G.CellAcross1 = Y - 6;
  G.CellAcross2 = Y + 6;
  G.ThumbSource = {0, 0, 7, 12};
  G.ScoresChanges = true;
  G.StartPosition = (Min + Max) / 2;
  return G;
}

TTrackGeometry AspectRatioTrack() {
  TTrackGeometry G;
  G.Min = 50;
  G.Max = 300;
  G.Start = 26;
  G.Length = 250;
  G.HitArea = {21, 43, 281, 58};
  G.CellAcross1 = 43;
  G.CellAcross2 = 55;
  G.ThumbSource = {0, 0, 7, 12};
  G.StartPosition = 133;
  return G;
}

TTrackGeometry PanScanTrack() {
  TTrackGeometry G;
  G.Min = -50;
  G.Max = 100;
  G.Start = 27;
  G.Length = 195;
  G.HitArea = {22, 43, 227, 58};
  G.CellAcross1 = 40;
  G.CellAcross2 = 52;
  G.ThumbSource = {0, 0, 7, 12};
  G.StartPosition = 0;
  return G;
}

int TrackThumbFromPosition(const TTrackGeometry& G, int Position) {
  return RoundHalfEven((Position - G.Min) * 1.0 / (G.Max - G.Min) * G.Length) + G.Start;
}

int TrackPositionFromThumb(const TTrackGeometry& G, int Thumb) {
  return RoundHalfEven((Thumb - G.Start) * 1.0 / G.Length * (G.Max - G.Min)) + G.Min;
}

// ---- TVirtualTrackBar ------------------------------------------------------

TVirtualTrackBar::TVirtualTrackBar(TWidgetHost& Host, TWidgetSurface& Surface,
                                   const TTrackGeometry& G, const TSkinImage* Thumb,
                                   TPaintTargets Targets, TPlaybackLink* Playback)
    : TDragWidget(Host, G.HitArea),
      FSurface(Surface),
      FGeometry(G),
      FThumb(Thumb),
      FTargets(Targets),
      FPlayback(Playback),
      FPosition(G.StartPosition),
      FThumbPos(TrackThumbFromPosition(G, G.StartPosition)) {}

TRect TVirtualTrackBar::ThumbCell() const {
  const TTrackGeometry& G = FGeometry;
  int A = FThumbPos - G.CellBefore, B = FThumbPos + G.CellAfter;
  if (G.Vertical) return {G.CellAcross1, A, G.CellAcross2, B};
  return {A, G.CellAcross1, B, G.CellAcross2};
}

void TVirtualTrackBar::EraseThumb() { FSurface.RestoreSkin(ThumbCell(), FTargets); }

void TVirtualTrackBar::DrawThumb() {
  if (FThumb) FSurface.Copy(*FThumb, FGeometry.ThumbSource, ThumbCell(), FTargets);
}

void TVirtualTrackBar::SetPosition(int Value) {
  if (Value == FPosition) return;
  EraseThumb();
  FPosition = std::clamp(Value, FGeometry.Min, FGeometry.Max);
  FThumbPos = TrackThumbFromPosition(FGeometry, FPosition);
  DrawThumb();
}

void TVirtualTrackBar::FollowMouse(int X, int Y) {
  const TTrackGeometry& G = FGeometry;
  EraseThumb();
  int Thumb = std::clamp(G.Vertical ? Y : X, G.Start, G.Start + G.Length);
  if (G.SnapDistance > 0 && std::abs(Thumb - G.SnapTo) < G.SnapDistance) Thumb = G.SnapTo;
  FThumbPos = Thumb;
  FPosition = TrackPositionFromThumb(G, Thumb);
  DrawThumb();
  if (G.ScoresChanges && FPlayback && FPlayback->GraphActive())
    AddRmsChangeScore(*FPlayback, 5000);
  if (OnChange) OnChange();
}

bool TVirtualTrackBar::MouseDown(int X, int Y) {
  if (!PointInside(X, Y)) return false;
  FollowMouse(X, Y);
  FDragging = true;
  FHost.CapturedWidget = this;
  return true;
}

bool TVirtualTrackBar::MouseMove(int X, int Y, bool LeftDown) {
  if (!FDragging) return false;
  // The release may have happened where the window did not see it.
  if (!LeftDown) {
    FDragging = false;
    return false;
  }
  FollowMouse(X, Y);
  return true;
}

bool TVirtualTrackBar::MouseUp(int, int) {
  FDragging = false;
  return false;
}
