#include "kit/volume_control.h"

#include <algorithm>

#include "kit/flip.h"
#include "kit/skin_strip.h"
#include "kit/widget_links.h"

namespace {

constexpr int MaxLevel = 20;
// How far a drag may stray from the bar before it stops changing the level.
constexpr int DragZoneX = 10;
constexpr int DragZoneY = 50;

}  // namespace

int VolumeLevelAt(int Bottom, int Y) {
  return std::clamp(RoundHalfEven((Bottom - Y) / 3.9), 0, MaxLevel);
}

int GraphVolumeFor(int Level, bool SoundOn) { return SoundOn ? Level * 500 : 0; }

int VolumeEmptyHeight(int Height, int Level) {
  return std::max(0, Height - RoundHalfEven(Level * 1.0 / MaxLevel * Height));
}

TVolumeControl::TVolumeControl(TWidgetHost& Host, TWidgetSurface& Surface,
                               const TRect& Rect, const std::wstring& SkinName,
                               TPlaybackLink& Playback)
    : TDragWidget(Host, Rect),
      FSurface(Surface),
      FPlayback(Playback),
      FImage(Surface.LoadImage(SkinName)) {}

void TVolumeControl::ApplyVolume() {
  bool SoundOn = FMuteFlip == nullptr || FMuteFlip->State();
  FPlayback.SetVolume(GraphVolumeFor(FPosition, SoundOn));
}

void TVolumeControl::ScoreChange() {
  if (FPlayback.GraphActive()) AddRmsChangeScore(FPlayback, 5000);
}

void TVolumeControl::SetPosition(int Value) {
  if (Value == FPosition) return;
  FPosition = std::clamp(Value, 0, MaxLevel);
  FPlayback.CancelVolumeRestore();
  ApplyVolume();
  Paint();
}

bool TVolumeControl::MouseDown(int X, int Y) {
  if (!PointInside(X, Y)) return false;
  FDragging = true;
  // Assigned directly: a pending volume restore is left as it is.
  FPosition = VolumeLevelAt(FRect.Bottom, Y);
  ApplyVolume();
  Paint();
  FHost.CapturedWidget = this;
  ScoreChange();
  return true;
}

bool TVolumeControl::MouseMove(int X, int Y, bool LeftDown) {
  if (!LeftDown) FDragging = false;
  if (!FDragging) {
    HoverRule(X, Y);
    return false;
  }
  // Outside its zone the drag keeps the level.
  if (!DragInZone(X, Y, DragZoneX, DragZoneX, DragZoneY)) return false;
  FPosition = VolumeLevelAt(FRect.Bottom, Y);
  ApplyVolume();
  Paint();
  ScoreChange();
  return true;
}

bool TVolumeControl::MouseUp(int X, int Y) {
  if (!FDragging || !PointInside(X, Y)) return false;
  FDragging = false;
  return true;
}

void TVolumeControl::Paint() {
  const TRect& R = FRect;
  int E = VolumeEmptyHeight(R.Height(), FPosition);
  int ImageH = FImage->Height();
  FSurface.Copy(*FImage, {0, 0, 5, E}, {R.Left, R.Top, R.Right, R.Top + E}, ptBoth);
  FSurface.Copy(*FImage, {5, E, 10, ImageH}, {R.Left, R.Top + E, R.Right, R.Bottom},
                ptBoth);
}
