#pragma once

#include <functional>

#include "kit/drag_widget.h"
#include "kit/widget_surface.h"

class TPlaybackLink;

// Where a slider lies and how its thumb maps to its value. The thumb
// centre runs along Start .. Start + Length (y for a vertical slider, x for
// a horizontal one) and stands for Min .. Max.
struct TTrackGeometry {
  bool Vertical = false;
  int Min = 0;
  int Max = 100;
  int Start = 0;
  int Length = 100;
  // The area that takes a press (inclusive on every edge).
  TRect HitArea;
  // The thumb's cell: along the track from CellBefore pixels before the
  // thumb centre to CellAfter pixels after it; across the track the fixed
  // extent CellAcross1 .. CellAcross2 (absolute x of a vertical slider, y of
  // a horizontal one).
  int CellBefore = 3;
  int CellAfter = 4;
  int CellAcross1 = 0;
  int CellAcross2 = 0;
  // The part of the thumb image that is drawn.
  TRect ThumbSource;
  // A press or drag landing less than SnapDistance pixels from SnapTo
  // lands on it (0: no snapping).
  int SnapTo = 0;
  int SnapDistance = 0;
  // Presses and drag steps while a graph is active count as changes worth
  // remembering.
  bool ScoresChanges = false;
  int StartPosition = 0;
};

// The four sliders of the system.
// Equalizer, column X: -100 .. 100 from top to bottom of y 48 .. 144, snapping
// to the middle (0).
TTrackGeometry EqualizerTrack(int X);
// Colour control, row Y: Min .. Max along x 105 .. 235.
TTrackGeometry ColourTrack(int Y, int Min, int Max);
// Custom aspect ratio: 50 .. 300 (the ratio times 100) along x 26 .. 276.
TTrackGeometry AspectRatioTrack();
// Custom pan & scan: -50 .. 100 along x 27 .. 222.
TTrackGeometry PanScanTrack();

// Thumb centre for a value and value for a thumb centre (rounding halves to
// even).
int TrackThumbFromPosition(const TTrackGeometry& G, int Position);
int TrackPositionFromThumb(const TTrackGeometry& G, int Thumb);

// A slider without a bitmap of its own: it draws the thumb from its
// window's thumb image and restores its window's skin under the old thumb.
// Its value changes by SetPosition, a press in its area and a drag, which
// follows the mouse anywhere (clamped to the track) until the left button
// is released or the window loses the mouse capture.
class TVirtualTrackBar : public TDragWidget {
 public:
  // Thumb is the window's thumb image (not owned); Playback is needed only
  // by sliders that score changes.
  TVirtualTrackBar(TWidgetHost& Host, TWidgetSurface& Surface, const TTrackGeometry& G,
                   const TSkinImage* Thumb, TPaintTargets Targets,
                   TPlaybackLink* Playback = nullptr);

  // Only on a change; clamped to the range.
  void SetPosition(int Value);
  // True: the slider was pressed (and moved to the mouse).
  bool MouseDown(int X, int Y) override;
  // True while dragging (the slider follows the mouse); a move without the
  // left button ends the drag.
  bool MouseMove(int X, int Y, bool LeftDown) override;
  // Ends the drag; never a click.
  bool MouseUp(int X, int Y) override;
  // Paint draws the thumb (the window's face is already under it).
  void Paint() override { DrawThumb(); }
  void EraseThumb();
  void DrawThumb();

  int Position() const { return FPosition; }
  int ThumbPos() const { return FThumbPos; }
  // The thumb's cell for the current thumb position.
  TRect ThumbCell() const;

  // Run after a press or drag step moved the slider (the window reads
  // Position()).
  std::function<void()> OnChange;

 private:
  void FollowMouse(int X, int Y);

  TWidgetSurface& FSurface;
  TTrackGeometry FGeometry;
  const TSkinImage* FThumb;
  TPaintTargets FTargets;
  TPlaybackLink* FPlayback;
  int FPosition = 0;
  int FThumbPos = 0;
};
