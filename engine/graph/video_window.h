// TDSVideoWindowEx2: the window control on which the movie is shown.
//
// It puts its own renderer into every graph the graph component builds.
// Where the platform has an Overlay Mixer, that renderer is the Video
// Renderer and the control rewires the graph so that the video runs
// through the mixer; it then paints the picture area in the overlay's key
// colour and the hardware shows the overlay there. Where there is no mixer
// (or it cannot be inserted), the renderer is the control's own
// (TVideoFrameRenderer) and the control draws every frame itself: the same
// painting (key colour inside VideoRect, the border colour around it, the
// player's on-screen display and subtitle bands) goes to an off-screen
// layer whose key-coloured pixels let the picture through, so the player's
// painters work unchanged on the control's canvas in both cases. Which of
// these shows the control's painting, and which cursor it hides, is the
// business of the presenter the control picks (video_presenter.h).
//
// GUI thread, except where a method says otherwise. The repaint operations
// called from another thread are posted to the GUI thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include "engine/video/color_adjust.h"
#include "engine/graph/color_control.h"
#include "engine/graph/graph_component.h"
#include "engine/graph/presenter_choice.h"
#include "engine/graph/video_presenter.h"
#include "framework/controls.h"
#include "framework/timer.h"

class TFilterGraph;
class TDSVideoWindowEx2;
class TVideoFrameRenderer;

enum TRatioModes { rmStretched = 0, rmLetterBox = 1, rmCrop = 2 };

using TOverlayVisibleEvent = std::function<void(TComponent* Sender, bool Visible)>;
using TCursorVisibleEvent = std::function<void(TComponent* Sender, bool Visible)>;

// The overlay key colour until the mixer reports one: RGB(16, 0, 16).
constexpr COLORREF DefaultColorKey = RGB(16, 0, 16);

// The Overlay Mixer's callback: key colour and size changes reach the
// control. The mixer may call it on any thread.
class TOverlayCallback : public IDDrawExclModeVideoCallback {
 public:
  explicit TOverlayCallback(TDSVideoWindowEx2* Owner) : FOwner(Owner) {}
  virtual ~TOverlayCallback() = default;
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&FRefs); }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP OnUpdateOverlay(BOOL, DWORD, BOOL, const RECT*, const RECT*, BOOL, const RECT*,
                               const RECT*) override {
    return S_OK;
  }
  STDMETHODIMP OnUpdateColorKey(const COLORKEY* Key, DWORD Color) override;
  STDMETHODIMP OnUpdateSize(DWORD, DWORD, DWORD, DWORD) override;

 private:
  TDSVideoWindowEx2* FOwner;
  LONG FRefs = 1;
};

class TDSVideoWindowEx2 : public TWinControl, public IFilterComponent, public IGraphEventSink {
 public:
  explicit TDSVideoWindowEx2(TWinControl* Parent);
  ~TDSVideoWindowEx2() override;

  // ---- events (OnPaint is the window's: the whole control was repainted) ----
  TNotifyEvent OnColorKeyChanged;
  TNotifyEvent OnPaintOsd;
  TNotifyEvent OnPaintSubtitle;
  TOverlayVisibleEvent OnOverlayVisible;
  TCursorVisibleEvent OnCursorShowHide;

  // ---- properties ----
  TRatioModes AspectRatio() const { return FAspectRatio; }
  void SetAspectRatio(TRatioModes Value);
  // Milliseconds without mouse movement before the cursor hides; 0 never.
  // The check runs every 100 ms while the delay is set, and rests at 0.
  int AutoHideCursor() const { return FAutoHideCursor; }
  void SetAutoHideCursor(int Milliseconds);
  int DigitalZoom() const { return FDigitalZoom; }
  // 0..99 percent cut from the source; outside raises "Value %d out of
  // range. Value must bee between 0 -> 99".
  void SetDigitalZoom(int Value);
  TFilterGraph* FilterGraph() const { return FFilterGraph; }
  void SetFilterGraph(TFilterGraph* Value);
  bool FullScreenTopMost() const { return FFullScreenTopMost; }
  void SetFullScreenTopMost(bool Value) { FFullScreenTopMost = Value; }
  TColorControl* ColorControl() { return FColorControl.get(); }
  const TColorControl* ColorControl() const { return FColorControl.get(); }
  const TDSVideoWindowEx2Caps& Caps() const { return *FCaps; }
  // Refuses the screen saver and monitor power-down system commands.
  bool NoScreenSaver = false;

  // Any thread: the mixer reports it from its own thread.
  COLORREF ColorKey() const { return FColorKey.load(); }
  // Where the picture lies (client coordinates); painted in ColorKey.
  TRect VideoRect;
  // Places the picture at Rect. A new place repaints the whole control, so
  // that none of its painting keeps the old shape (the bands that the
  // on-screen display and subtitles repaint alone included).
  void PlaceVideoRect(const TRect& Rect);
  // The OSD band at the top (0..OsdBandBottom) and the subtitle band at
  // the bottom (SubtitleBandTop..height); the painters extend them.
  int OsdBandBottom = 0;
  int SubtitleBandTop = 0;
  // Kept here for the player's painters and pulse.
  std::wstring OsdPaintedText;
  int SubtitleIndex = -1;
  std::vector<std::string> OverlaySubtitleLinesA;
  std::vector<std::wstring> OverlaySubtitleLinesW;

  // The movie time of the frame that the control's own renderer has on
  // show: its media time less where the file's picture starts in the time
  // stamps (TFilterGraph::PictureStart), never below 0; false when another
  // renderer shows the picture or no frame of the current stream is on
  // show.
  bool PicturePosition(LONGLONG& Position) const;
  bool OverlayInUse() const { return FOverlayInUse; }
  // The control's own renderer is the one in the graph.
  bool OwnRendererInUse() const { return FOwnRenderer != nullptr; }
  bool HoldsMixer() const { return FMixer != nullptr; }
  // The own renderer's picture path, for its colour controls and for tests.
  TVideoSurface& Surface() { return FCompositor->Surface(); }
  void SetOwnRendererColors(const TColorSettings& Settings);

  // ---- operations ----
  // Reads the window styles (the form was loaded).
  void Loaded();
  void AttachVideoWindow();
  void ApplyColorKey();
  void PaintColorKey();
  void RepaintVideo();
  void RepaintOsd();
  void RepaintSubtitle();
  // Shows what was painted on the control's canvas outside its paint events
  // and repaints (the on-screen display and subtitle painters call it once
  // they have drawn). Only needed while the control draws the picture
  // itself; otherwise the canvas is the window and this does nothing.
  void CommitPainting();
  HRESULT InsertOverlayMixer();
  // The renderer's interfaces when the control has none of its own.
  HRESULT QueryInterface(REFIID Iid, void** Object);

  // ---- IFilterComponent ----
  IBaseFilter* GetFilter() override { return FRenderer; }
  std::wstring GetName() override { return Name; }
  void NotifyFilter(int Operation, int Param) override;
  // ---- IGraphEventSink ----
  void GraphEvent(int Event, LONG_PTR Param1, LONG_PTR Param2) override;
  void ControlEvent(int Operation, int Param) override;

 protected:
  void Paint() override;
  void Resize() override;
  bool EraseBackground() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  friend class TOverlayCallback;
  // Graph work (video_window_graph.cpp).
  void CreateRenderer();
  void ReleaseGraphObjects();
  void Insert();
  bool ReplaceRendererWithOwn();
  void RegisterCallback();
  // The held mixer's first pin's configuration (referenced), or nullptr.
  IMixerPinConfig2* MixerPinConfig();
  // Painting helpers.
  bool OnGuiThread() const { return GetCurrentThreadId() == FGuiThread; }
  void FillRect(int Left, int Top, int Right, int Bottom, COLORREF Color);
  // Picks the presenter for the current renderer, overlay and renderer
  // window (after every change of them); a cursor hidden by the old one is
  // hidden by the new one instead.
  void PickPresenter();
  void RepaintVideoNow();
  void RepaintOsdNow();
  void RepaintSubtitleNow();
  void SetColorKeyFromMixer(COLORREF Key);
  // Cursor hiding.
  void CursorIdle();
  void ShowCursorAgain();
  void NoteMouse(int X, int Y);

  DWORD FGuiThread;
  TRatioModes FAspectRatio = rmLetterBox;
  int FDigitalZoom = 0;
  TFilterGraph* FFilterGraph = nullptr;
  bool FFullScreenTopMost = false;
  std::unique_ptr<TColorControl> FColorControl;
  std::unique_ptr<TDSVideoWindowEx2Caps> FCaps;
  std::atomic<COLORREF> FColorKey{DefaultColorKey};
  // The compositor lives as long as the control (its surface is the own
  // renderer's frame presenter); the other kinds are made when picked.
  std::unique_ptr<TCompositingPresenter> FCompositor;
  std::unique_ptr<TVideoPresenter> FOtherPresenter;
  TVideoPresenter* FPresenter = nullptr;
  TPresenterKind FPresenterKind = TPresenterKind::Compositing;

  IBaseFilter* FRenderer = nullptr;             // the control's own filter
  TVideoFrameRenderer* FOwnRenderer = nullptr;  // the same, when it is ours
  IVideoWindow* FVideoWindow = nullptr;
  IBaseFilter* FMixer = nullptr;
  IBaseFilter* FGraphRenderer = nullptr;  // the Video Renderer found in the graph
  IDDrawExclModeVideo* FExclMode = nullptr;
  TOverlayCallback* FCallback = nullptr;
  bool FOverlayInUse = false;
  bool FOverlayVisible = false;
  bool FInsertAttempted = false;

  int FAutoHideCursor = 0;
  TTimer FCursorTimer;
  int FLastMouseX = -1, FLastMouseY = -1;
  DWORD FLastMoveTime = 0;
  LONG FWindowStyle = 0, FWindowExStyle = 0;
};
