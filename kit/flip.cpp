#include "kit/flip.h"

#include "kit/skin_strip.h"
#include "kit/widget_links.h"

// ---- TVirtualFlip ----------------------------------------------------------

TVirtualFlip::TVirtualFlip(TWidgetHost& Host, TWidgetSurface& Surface,
                           const TRect& Rect, std::wstring Hint,
                           const std::wstring& SkinName, bool State,
                           const TFlipOptions& Options)
    : TWidget(Host, Rect, std::move(Hint)),
      FSurface(Surface),
      FOptions(Options),
      FImage(Surface.LoadImage(SkinName)),
      FState(State) {
  if (IsPlaylist()) FHint = FState ? FOptions.HintTrue : FOptions.HintFalse;
}

void TVirtualFlip::DrawState(TPaintTargets Targets) {
  TRect Source = SideFrame(FImage->Width(), FImage->Height(), 2, FState ? 0 : 1);
  FSurface.Copy(*FImage, Source, FRect, Targets);
}

void TVirtualFlip::Paint() {
  if (!IsPlaylist()) DrawState(ptBoth);
}

bool TVirtualFlip::MouseDown(int X, int Y) {
  if (!PointInside(X, Y)) return false;
  FPressed = true;
  FHost.SetHintText(std::wstring());
  FHost.CancelHint();
  if (!IsPlaylist()) Paint();
  FHost.CapturedWidget = this;
  return true;
}

bool TVirtualFlip::MouseUp(int X, int Y) {
  if (!FPressed || !PointInside(X, Y)) return false;
  FPressed = false;
  FState = !FState;
  if (IsPlaylist()) {
    if (FOptions.Playlist) FOptions.Playlist->SetShowSubtitlesInPlaylist(FState);
    FHint = FState ? FOptions.HintTrue : FOptions.HintFalse;
  } else {
    Paint();
  }
  return true;
}

bool TVirtualFlip::MouseMove(int X, int Y, bool LeftDown) {
  if (OtherCaptured()) return false;
  if (!PointInside(X, Y)) {
    if (IsPlaylist())
      LeavePlaylist();
    else
      LeaveWidget();
    return false;
  }
  FHover = true;
  if (IsPlaylist()) DrawState(ptWindow);
  if (FPressed) {
    FHost.SetCursor(TWidgetCursor::HandPress);
  } else if (FHost.CapturedWidget != this) {
    FHost.SetCursor(TWidgetCursor::HandPoint);
    FHost.SetHintText(FHint);
  } else {
    FPressed = true;
    FHost.SetCursor(TWidgetCursor::HandPress);
  }
  return false;
}

void TVirtualFlip::LeavePlaylist() {
  if (FHover) {
    // The playlist's face under the flip: half the image wide, from the
    // part image of the current state.
    const TSkinImage* Face = FState ? FOptions.FaceTrue : FOptions.FaceFalse;
    if (Face) {
      int W = FImage->Width() / 2;
      TRect Source{FRect.Left, 0, FRect.Left + W, FImage->Height()};
      TRect Dest{FRect.Left, FRect.Top, FRect.Left + W, FRect.Top + FImage->Height()};
      FSurface.Copy(*Face, Source, Dest, ptWindow);
    }
    FHost.SetHintText(std::wstring());
    FHost.CancelHint();
    FHover = false;
    FHost.SetCursor(TWidgetCursor::Default);
  }
  FPressed = false;
}

void TVirtualFlip::SetState(bool Value) {
  if (Value == FState) return;
  FState = Value;
  if (IsPlaylist())
    FHint = FState ? FOptions.HintTrue : FOptions.HintFalse;
  else
    Paint();
}

// ---- TVirtualButton2 -------------------------------------------------------

TVirtualButton2::TVirtualButton2(TWidgetHost& Host, TWidgetSurface& Surface,
                                 const TRect& Rect, std::wstring Hint,
                                 const std::wstring& SkinName)
    : TWidget(Host, Rect, std::move(Hint)),
      FSurface(Surface),
      FImage(Surface.LoadImage(SkinName)) {}

int TVirtualButton2::Frame() const {
  bool LooksDown = FDown != FPressed;
  if (FHover) return LooksDown ? 3 : 2;
  return LooksDown ? 1 : 0;
}

void TVirtualButton2::PaintWindow() {
  FSurface.Copy(*FImage, SideFrame(FImage->Width(), FImage->Height(), 4, Frame()),
                FRect, ptWindow);
}

void TVirtualButton2::PaintToBuffer() {
  FSurface.Copy(*FImage, SideFrame(FImage->Width(), FImage->Height(), 4, Frame()),
                FRect, ptBackBuffer);
}

void TVirtualButton2::Paint() {
  PaintWindow();
  PaintToBuffer();
}

bool TVirtualButton2::MouseDown(int X, int Y) {
  if (!PointInside(X, Y)) return false;
  FPressed = true;
  FHost.SetHintText(std::wstring());
  Paint();
  FHost.CapturedWidget = this;
  FHost.SetCursor(TWidgetCursor::HandPress);
  return true;
}

bool TVirtualButton2::MouseMove(int X, int Y, bool LeftDown) {
  if (OtherCaptured()) return false;
  if (PointInside(X, Y)) return TWidget::MouseMove(X, Y, LeftDown);
  // Leaving: the cursor is reset before the repaint, and a press dragged
  // off returns to the latched look.
  bool Repaint = FHover || FPressed;
  if (FHover) {
    FHost.SetHintText(std::wstring());
    FHost.CancelHint();
    FHover = false;
    FHost.SetCursor(TWidgetCursor::Default);
  }
  FPressed = false;
  if (Repaint) Paint();
  return false;
}

void TVirtualButton2::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  Paint();
}

void TVirtualFlip::SetStateHints(std::wstring HintTrue, std::wstring HintFalse) {
  FOptions.HintTrue = std::move(HintTrue);
  FOptions.HintFalse = std::move(HintFalse);
  if (IsPlaylist()) FHint = FState ? FOptions.HintTrue : FOptions.HintFalse;
}
