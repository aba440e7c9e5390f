#pragma once

#include <memory>
#include <string>

#include "kit/drag_widget.h"
#include "kit/widget_surface.h"

class TPlaybackLink;
class TVirtualFlip;

// Volume level (0 .. 20) for a mouse point Y on a bar whose bottom edge is
// Bottom: 3.9 pixels per step, the bottom row being 0.
int VolumeLevelAt(int Bottom, int Y);

// The graph volume for a level: level x 500 while the sound is on, else 0.
int GraphVolumeFor(int Level, bool SoundOn);

// Rows of the bar, Height pixels high, that show the empty look (the rest,
// from the bottom, shows the filled look) at Level.
int VolumeEmptyHeight(int Height, int Level);

// The main window's vertical volume bar on "MainVolBar" (two columns 5 px
// wide: left empty, right filled). Its level 0 .. 20 sets the playback
// volume directly, muted while the mute flip says the sound is off. It
// shows no hint and uses the pointing hand while dragged.
class TVolumeControl : public TDragWidget {
 public:
  TVolumeControl(TWidgetHost& Host, TWidgetSurface& Surface, const TRect& Rect,
                 const std::wstring& SkinName, TPlaybackLink& Playback);

  // The mute flip whose state True means sound on (none: always on).
  void SetMuteFlip(const TVirtualFlip* Flip) { FMuteFlip = Flip; }

  // Only on a change: clamped to 0 .. 20, cancels a pending volume restore,
  // applies the graph volume, repaints.
  void SetPosition(int Value);
  bool MouseDown(int X, int Y) override;
  bool MouseMove(int X, int Y, bool LeftDown) override;
  bool MouseUp(int X, int Y) override;
  void Paint() override;

  int Position() const { return FPosition; }

 private:
  void ApplyVolume();
  void ScoreChange();

  TWidgetSurface& FSurface;
  TPlaybackLink& FPlayback;
  std::unique_ptr<TSkinImage> FImage;
  const TVirtualFlip* FMuteFlip = nullptr;
  int FPosition = 0;
};
