// The video control's presenters (see video_presenter.h).
#include "engine/graph/video_presenter.h"

#include "engine/video/frame_compose.h"

// ------------------------------------------------------------ the control's cursor

bool TVideoPresenter::HideCursor() {
  if (FCursorHidden) return false;
  FSavedCursor = FControl.Cursor;
  FControl.Cursor = crNone;
  FCursorHidden = true;
  // The platform shows the new cursor with the next mouse message; the
  // mouse rests, so it goes now.
  POINT p;
  if (GetCursorPos(&p) && WindowFromPoint(p) == FControl.Handle()) ::SetCursor(nullptr);
  return true;
}

bool TVideoPresenter::ShowCursor() {
  if (!FCursorHidden) return false;
  FControl.Cursor = FSavedCursor;
  FCursorHidden = false;
  return true;
}

// ------------------------------------------------------------ TRendererWindowPresenter

bool TRendererWindowPresenter::HideCursor() {
  long hidden = OAFALSE;
  if (FHidden || !FWindow || (SUCCEEDED(FWindow->IsCursorHidden(&hidden)) && hidden)) return false;
  FWindow->HideCursor(OATRUE);
  FHidden = true;
  return true;
}

bool TRendererWindowPresenter::ShowCursor() {
  if (!FHidden) return false;
  if (FWindow) FWindow->HideCursor(OAFALSE);
  FHidden = false;
  return true;
}

// ------------------------------------------------------------ TCompositingPresenter

TCompositingPresenter::TCompositingPresenter(TWinControl& Control, const std::atomic<COLORREF>& Key)
    : TVideoPresenter(Control),
      FKey(Key),
      FWindowDC(Control.Canvas().Handle()),
      FSurface(std::make_unique<TVideoSurface>(Control.Handle())) {
  FSurface->SetBackground(Control.Color());
  FSurface->SetClientSize(Control.ClientWidth(), Control.ClientHeight());
  FSurface->SetFitMode(TFitMode::LetterBox);
}

TCompositingPresenter::~TCompositingPresenter() { ReleaseCanvas(); }

void TCompositingPresenter::Resize(int Width, int Height) { FSurface->SetClientSize(Width, Height); }

void TCompositingPresenter::RefreshPicture() {
  if (FSurface->HasFrame()) FSurface->Paint();
}

bool TCompositingPresenter::CanvasIsOurs() const {
  const HDC current = FControl.Canvas().Handle();
  return current == FWindowDC || (current != nullptr && current == FLayer.DC());
}

void TCompositingPresenter::TakeCanvas() {
  if (!CanvasIsOurs()) return;  // a paint context: the paint puts the canvas back
  TCanvas& canvas = FControl.Canvas();
  const int w = FControl.ClientWidth(), h = FControl.ClientHeight();
  if (FLayer.Width() != w || FLayer.Height() != h || !FLayer.DC()) {
    canvas.SetHandle(FWindowDC);
    if (!FLayer.SetSize(w, h)) return;
  }
  if (canvas.Handle() != FLayer.DC()) canvas.SetHandle(FLayer.DC());
}

void TCompositingPresenter::ReleaseCanvas() {
  if (FLayer.DC() && FControl.Canvas().Handle() == FLayer.DC()) FControl.Canvas().SetHandle(FWindowDC);
}

void TCompositingPresenter::Paint(const std::function<void()>& Work, HDC DC) {
  TakeCanvas();
  if (!FLayer.DC()) {
    Work();
    return;
  }
  TCanvas& canvas = FControl.Canvas();
  const HDC previous = canvas.Handle();  // the paint context inside a paint
  canvas.SetHandle(FLayer.DC());
  try {
    Work();
  } catch (...) {
    canvas.SetHandle(previous);
    throw;
  }
  canvas.SetHandle(previous);
  CommitLayer(DC);
}

void TCompositingPresenter::Commit() {
  TakeCanvas();
  if (FLayer.Width() <= 0 || FControl.Canvas().Handle() != FLayer.DC()) return;
  CommitLayer(nullptr);
}

void TCompositingPresenter::CommitLayer(HDC DC) {
  const int w = FLayer.Width(), h = FLayer.Height();
  if (w <= 0 || h <= 0) return;
  const std::uint32_t* px = FLayer.Pixels();
  FSurface->SetBackground(FControl.Color());
  FSurface->SetLayer(std::make_shared<TKeyedLayer>(px, w, h, w, PixelOfColorRef(FKey.load())));
  FSurface->Paint(DC);
}
