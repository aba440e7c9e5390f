// TDSVideoWindowEx2: construction, properties, painting and the cursor.
// The graph side is in video_window_graph.cpp and overlay_mixer.cpp.
#include "engine/graph/video_window.h"

#include <algorithm>
#include <cstdio>

#include "engine/filters/video_renderer.h"
#include "framework/exceptions.h"
#include "framework/messages.h"

// ------------------------------------------------------------ TOverlayCallback

STDMETHODIMP TOverlayCallback::QueryInterface(REFIID Iid, void** Object) {
  if (!Object) return E_POINTER;
  if (IsEqualIID(Iid, IID_IUnknown) || IsEqualIID(Iid, IID_IDDrawExclModeVideoCallback)) {
    *Object = static_cast<IDDrawExclModeVideoCallback*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TOverlayCallback::Release() {
  const LONG refs = InterlockedDecrement(&FRefs);
  if (refs == 0) delete this;
  return ULONG(refs);
}

STDMETHODIMP TOverlayCallback::OnUpdateColorKey(const COLORKEY* Key, DWORD) {
  if (FOwner && Key) FOwner->SetColorKeyFromMixer(Key->HighColorValue);
  return S_OK;
}

STDMETHODIMP TOverlayCallback::OnUpdateSize(DWORD, DWORD, DWORD, DWORD) {
  if (FOwner) FOwner->RepaintVideo();
  return S_OK;
}

// ------------------------------------------------------------ construction

TDSVideoWindowEx2::TDSVideoWindowEx2(TWinControl* Parent)
    : TWinControl(Parent), FGuiThread(GetCurrentThreadId()) {
  TCreateParams p;
  p.ClassName = L"TDSVideoWindowEx2";
  p.Style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | WS_VISIBLE;
  p.Bounds = Bounds(0, 0, 320, 240);
  CreateHandle(p);
  SetColor(clBlack);
  SubtitleBandTop = ClientHeight();
  FColorControl = std::make_unique<TColorControl>(this);
  FCaps = std::make_unique<TDSVideoWindowEx2Caps>(this);
  FCompositor = std::make_unique<TCompositingPresenter>(*this, FColorKey);
  FPresenter = FCompositor.get();
  FCursorTimer.SetEnabled(false);
  FCursorTimer.SetInterval(100);
  FCursorTimer.OnTimer = [this](TComponent*) { CursorIdle(); };
  FPresenter->TakeCanvas();
  FLastMoveTime = GetTickCount();
  Loaded();
}

TDSVideoWindowEx2::~TDSVideoWindowEx2() {
  FCursorTimer.SetEnabled(false);
  SetFilterGraph(nullptr);
  ReleaseGraphObjects();
  if (FRenderer) FRenderer->Release();
  FRenderer = nullptr;
  FPresenter->ReleaseCanvas();
}

void TDSVideoWindowEx2::Loaded() {
  FWindowStyle = GetWindowLongW(Handle(), GWL_STYLE);
  FWindowExStyle = GetWindowLongW(Handle(), GWL_EXSTYLE);
}

HRESULT TDSVideoWindowEx2::QueryInterface(REFIID Iid, void** Object) {
  if (!Object) return E_POINTER;
  *Object = nullptr;
  return FRenderer ? FRenderer->QueryInterface(Iid, Object) : E_NOINTERFACE;
}

void TDSVideoWindowEx2::SetOwnRendererColors(const TColorSettings& Settings) {
  if (Surface().Colors() == Settings) return;
  Surface().SetColors(Settings);
  FCompositor->RefreshPicture();
}

// ------------------------------------------------------------ properties

void TDSVideoWindowEx2::SetAspectRatio(TRatioModes Value) {
  if (FRenderer && FMixer) {
    IMixerPinConfig2* config = MixerPinConfig();
    const bool done = config && SUCCEEDED(config->SetAspectRatioMode(TMixerAspectMode(Value)));
    if (config) config->Release();
    if (!done) return;
  }
  FAspectRatio = Value;
  static constexpr TFitMode fits[] = {TFitMode::Stretch, TFitMode::LetterBox, TFitMode::Crop};
  Surface().SetFitMode(fits[Value]);
  FCompositor->RefreshPicture();
}

// The zoom goes to the renderer's source rectangle. A source without width
// or height (no video yet) leaves the rectangle alone.
void TDSVideoWindowEx2::SetDigitalZoom(int Value) {
  if (Value < 0 || Value > 99) {
    char text[80];
    std::snprintf(text, sizeof text, "Value %d out of range. Value must bee between 0 -> 99", Value);
    throw Exception(text);
  }
  IBaseFilter* renderer = FOwnRenderer ? FRenderer : FGraphRenderer;
  IBasicVideo2* video = nullptr;
  if (renderer) renderer->QueryInterface(IID_IBasicVideo2, reinterpret_cast<void**>(&video));
  if (video) {
    video->SetDefaultSourcePosition();
    long w = 0, h = 0;
    video->get_SourceWidth(&w);
    video->get_SourceHeight(&h);
    if (w > 0 && h > 0) {
      const TVideoRect r = ZoomSourceRect(int(w), int(h), Value);
      video->put_SourceWidth(r.Width());
      video->put_SourceHeight(r.Height());
      video->put_SourceLeft(r.Left);
      video->put_SourceTop(r.Top);
    }
    video->Release();
  }
  FDigitalZoom = Value;
}

// ------------------------------------------------------------ painting

void TDSVideoWindowEx2::FillRect(int Left, int Top, int Right, int Bottom, COLORREF Color) {
  if (Right <= Left || Bottom <= Top) return;
  const TBrush saved = Canvas().Brush;
  Canvas().Brush.Style = TBrushStyle::bsSolid;
  Canvas().Brush.Color = Color;
  Canvas().FillRect(Rect(Left, Top, Right, Bottom));
  Canvas().Brush = saved;
}

// The one place that looks at what shows the picture: each presenter hides
// its own cursor, so a hidden one moves to the new presenter.
void TDSVideoWindowEx2::PickPresenter() {
  const TPresenterKind kind = PresenterKindFor(FOverlayInUse, FVideoWindow != nullptr);
  if (kind != FPresenterKind) {
    const bool hidden = FPresenter->ShowCursor();
    FPresenter->ReleaseCanvas();
    FPresenter = FCompositor.get();
    FOtherPresenter.reset();
    switch (kind) {
      case TPresenterKind::KeyColour: FOtherPresenter = std::make_unique<TKeyColourPresenter>(*this); break;
      case TPresenterKind::RendererWindow:
        FOtherPresenter = std::make_unique<TRendererWindowPresenter>(*this, FVideoWindow);
        break;
      case TPresenterKind::Compositing: break;
    }
    if (FOtherPresenter) FPresenter = FOtherPresenter.get();
    FPresenterKind = kind;
    if (hidden) FPresenter->HideCursor();
  }
  FPresenter->TakeCanvas();
}

void TDSVideoWindowEx2::CommitPainting() { FPresenter->Commit(); }

void TDSVideoWindowEx2::PaintColorKey() {
  const int w = ClientWidth(), h = ClientHeight();
  const TRect& v = VideoRect;
  SubtitleBandTop = h;
  OsdBandBottom = 0;
  const COLORREF border = Color();
  if (v.Top > 0) FillRect(0, 0, w, v.Top, border);
  if (h > v.Bottom) FillRect(0, v.Bottom, w, h, border);
  if (v.Left > 0) FillRect(0, v.Top, v.Left, v.Bottom, border);
  if (w > v.Right) FillRect(v.Right, v.Top, w, v.Bottom, border);
  FillRect(v.Left, v.Top, v.Right, v.Bottom, FColorKey.load());
}

void TDSVideoWindowEx2::RepaintVideoNow() {
  FPresenter->Paint(
      [this] {
        PaintColorKey();
        if (OnPaint) OnPaint(this);
      },
      nullptr);
}

void TDSVideoWindowEx2::RepaintOsdNow() {
  if (SubtitleBandTop < OsdBandBottom) return RepaintVideoNow();
  FPresenter->Paint([this] {
    const int w = ClientWidth(), b = OsdBandBottom;
    const TRect& v = VideoRect;
    const COLORREF border = Color();
    if (v.Top > 0) FillRect(0, 0, w, std::min(v.Top, SubtitleBandTop), border);
    if (v.Bottom < b) FillRect(0, v.Bottom, w, b, border);
    if (v.Left > 0) FillRect(0, v.Top, v.Left, b, border);
    if (w > v.Right) FillRect(v.Right, v.Top, w, b, border);
    FillRect(v.Left, v.Top, v.Right, std::min(v.Bottom, b), FColorKey.load());
    OsdBandBottom = 0;
    if (OnPaintOsd) OnPaintOsd(this);
  }, nullptr);
}

void TDSVideoWindowEx2::RepaintSubtitleNow() {
  if (SubtitleBandTop < OsdBandBottom) return RepaintVideoNow();
  FPresenter->Paint([this] {
    const int w = ClientWidth(), h = ClientHeight(), s = SubtitleBandTop;
    const TRect& v = VideoRect;
    const COLORREF border = Color();
    if (v.Top > s) FillRect(0, s, w, v.Top, border);
    if (h > v.Bottom) FillRect(0, std::max(v.Bottom, s), w, h, border);
    if (v.Left > 0) FillRect(0, std::max(v.Top, s), v.Left, v.Bottom, border);
    if (w > v.Right) FillRect(v.Right, std::max(v.Top, s), w, v.Bottom, border);
    FillRect(v.Left, std::max(v.Top, s), v.Right, v.Bottom, FColorKey.load());
    SubtitleBandTop = h;
    if (OnPaintSubtitle) OnPaintSubtitle(this);
  }, nullptr);
}

void TDSVideoWindowEx2::PlaceVideoRect(const TRect& Rect) {
  if (Rect == VideoRect) return;
  VideoRect = Rect;
  RepaintVideo();
}

void TDSVideoWindowEx2::RepaintVideo() {
  if (OnGuiThread())
    RepaintVideoNow();
  else
    PostMessageW(Handle(), WM_VIDEOREPAINT, 0, 0);
}

void TDSVideoWindowEx2::RepaintOsd() {
  if (OnGuiThread())
    RepaintOsdNow();
  else
    PostMessageW(Handle(), WM_VIDEOREPAINT, 1, 0);
}

void TDSVideoWindowEx2::RepaintSubtitle() {
  if (OnGuiThread())
    RepaintSubtitleNow();
  else
    PostMessageW(Handle(), WM_VIDEOREPAINT, 2, 0);
}

// The mixer's key colour: stored at once, announced on the GUI thread.
void TDSVideoWindowEx2::SetColorKeyFromMixer(COLORREF Key) {
  FColorKey.store(Key);
  if (!OnGuiThread()) {
    PostMessageW(Handle(), WM_VIDEOREPAINT, 3, 0);
    return;
  }
  if (OnColorKeyChanged) OnColorKeyChanged(this);
}

void TDSVideoWindowEx2::Paint() {
  const HDC dc = Canvas().Handle();
  FPresenter->Paint(
      [this] {
        PaintColorKey();
        if (OnPaint) OnPaint(this);
      },
      dc);
}

void TDSVideoWindowEx2::Resize() {
  if (FVideoWindow) FVideoWindow->SetWindowPosition(Left(), Top(), Width(), Height());
  // The window's creation sizes it before the presenters exist (they take
  // its size when they are made).
  if (FCompositor) {
    FCompositor->Resize(ClientWidth(), ClientHeight());
    FPresenter->TakeCanvas();
  }
  Invalidate();
  TWinControl::Resize();
}

// The picture area is never erased: the key colour or the picture is
// painted over it, without a flash of the background between.
bool TDSVideoWindowEx2::EraseBackground() {
  return FPresenter->KeepsBackground() || TWinControl::EraseBackground();
}

void TDSVideoWindowEx2::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_VIDEOREPAINT:
      if (M.WParam == 0) RepaintVideoNow();
      if (M.WParam == 1) RepaintOsdNow();
      if (M.WParam == 2) RepaintSubtitleNow();
      if (M.WParam == 3 && OnColorKeyChanged) OnColorKeyChanged(this);
      M.Result = 0;
      return;
    case WM_SYSCOMMAND:
      // The system command code is in wParam (its low four bits are the
      // platform's own).
      if (NoScreenSaver &&
          ((M.WParam & 0xFFF0) == SC_SCREENSAVE || (M.WParam & 0xFFF0) == SC_MONITORPOWER)) {
        M.Result = 0;
        return;
      }
      break;
    default: break;
  }
  TWinControl::WndProc(M);
}

// ------------------------------------------------------------ cursor

void TDSVideoWindowEx2::SetAutoHideCursor(int Milliseconds) {
  FAutoHideCursor = Milliseconds;
  FCursorTimer.SetEnabled(Milliseconds != 0);
}

// The presenter hides the cursor that is on screen over the picture.
void TDSVideoWindowEx2::CursorIdle() {
  if (FAutoHideCursor == 0 || !FRenderer) return;
  if (GetTickCount() - FLastMoveTime < DWORD(FAutoHideCursor)) return;
  if (!FPresenter->HideCursor()) return;
  if (OnCursorShowHide) OnCursorShowHide(this, false);
}

void TDSVideoWindowEx2::ShowCursorAgain() {
  if (!FPresenter->ShowCursor()) return;
  if (OnCursorShowHide) OnCursorShowHide(this, true);
}

void TDSVideoWindowEx2::NoteMouse(int X, int Y) {
  FLastMouseX = X;
  FLastMouseY = Y;
  FLastMoveTime = GetTickCount();
}

void TDSVideoWindowEx2::MouseMove(TShiftState Shift, int X, int Y) {
  if (X != FLastMouseX || Y != FLastMouseY) {
    NoteMouse(X, Y);
    ShowCursorAgain();
  }
  TWinControl::MouseMove(Shift, X, Y);
}

void TDSVideoWindowEx2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  ShowCursorAgain();
  NoteMouse(X, Y);
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TDSVideoWindowEx2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  ShowCursorAgain();
  NoteMouse(X, Y);
  TWinControl::MouseUp(Button, Shift, X, Y);
}
