#pragma once

#include "framework/controls.h"

// Three small controls that the skinned windows place on their faces.

// An invisible strip on an edge or corner of a resizable skinned window.
// A left press calls OnMouseDown (sender only) and does nothing else; the
// owning window answers by starting the platform's sizing loop in the
// zone's direction (which it keeps in Tag). Anchors, Enabled and Cursor are
// the control's own.
class TResizeZone : public TGraphicControl {
 public:
  explicit TResizeZone(TWinControl* Parent) : TGraphicControl(Parent) {}

  // The zone's own press event: it reports only its sender. A handler set
  // through TGraphicControl::OnMouseDown is called as well, after it, also
  // for left presses only.
  TNotifyEvent OnMouseDown;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};

// The platform's check box, telling when the mouse enters and leaves it
// (the configuration dialog shows a help text meanwhile). Both repaint it
// first.
class TMyCheckBox : public TCheckBox {
 public:
  explicit TMyCheckBox(TWinControl* Parent) : TCheckBox(Parent) {}

  TNotifyEvent OnMouseIn;
  TNotifyEvent OnMouseOut;

 protected:
  void MouseEnter() override;
  void MouseLeave() override;
};

// A panel whose OnPaint runs after the panel painted its colour, and onto
// which skinned buttons copy their frames.
class TMyPanel : public TPanel {
 public:
  explicit TMyPanel(TWinControl* Parent) : TPanel(Parent) {}

  // Copies Source's SourceRect onto Dest of the panel's own canvas,
  // stretching when the sizes differ.
  void CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect);
};
