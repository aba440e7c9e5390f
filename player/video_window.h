// TfrmVideoWindow: the separate borderless window in which the movie is
// shown. It holds the graph component and the video control, eight resize
// zones and the back bitmap of the on-screen painters, and has two modes:
// a normal window placed and sized freely (dragged by its face, snapped
// to the other player windows, sized by its zones or the mouse wheel) and
// full screen over one monitor, with the main window parked behind it.
//
// Where the picture goes inside the window is decided by the placement
// rule (player/picture_geometry.h); TfrmMain.SetVideoPosAndSize hands the
// result to the renderer. GUI thread only.
//
// The class is one, its members live in files by subject:
// video_window.cpp (creation, picture placement, the mouse, the wheel, the
// resize zones and the window procedure), video_window_full_screen.cpp
// (full screen and back), video_window_keys.cpp (keys and drops),
// video_window_graph_events.cpp (the graph's events and the render
// failure), video_window_osd_painter.cpp and
// video_window_subtitle_painter.cpp (the two on-screen painters).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <windows.h>

#include "engine/graph/filter_graph.h"
#include "engine/graph/video_window.h"
#include "framework/application.h"
#include "framework/forms.h"
#include "framework/graphics.h"
#include "kit/small_controls.h"
#include "player/audio_chain.h"

class TfrmVideoWindow : public TForm {
 public:
  TfrmVideoWindow();
  ~TfrmVideoWindow() override;

  // ---- components ----
  TFilterGraph FilterGraph;
  // The audio components: their filter joins every graph of FilterGraph.
  TAudioChain AudioChain{FilterGraph};
  std::unique_ptr<TDSVideoWindowEx2> VideoWindow;
  // rzLeft, rzRight, rzTop, rzLeftTop, rzRightTop, rzBottom, rzLeftBottom,
  // rzRightBottom: each one's Tag is its sizing edge (1..8).
  std::array<std::unique_ptr<TResizeZone>, 8> ResizeZones;
  // The 24-bit back bitmap of the OSD and subtitle painters.
  TBitmap OverlayBackBitmap;

  // ---- state ----
  bool FullScreen = false;
  // The bounds when full screen was entered; restored on leaving it.
  TRect NormalBounds;
  // The bounds before the first doubling of a zoom cycle; all 0 for none.
  TRect ZoomBaseBounds;
  bool InSizeMove = false;
  // The monitor of the video window.
  TMonitor VideoMonitor;
  // When the window was last shown or left full screen (days).
  double LastPlacementTime = 0;
  // When a double click last entered full screen with the main window
  // hidden automatically (days).
  double LastDoubleClickTime = 0;
  // Flips on every wheel notification; every second one acts.
  bool WheelPhase = false;
  // The platform shows window contents while dragging.
  bool DragFullWindows = false;

  // ---- hooks to the parts of the main window built elsewhere ----
  // BtnVolUpClick (Up) or BtnVolDownClick: the wheel in full screen.
  std::function<void(bool Up)> OnVolumeStep;

  // ---- modes (player/video_window_full_screen.cpp) ----
  // Enters full screen on the window's monitor (switching the display
  // mode when the settings ask for it); with Activate the window brought
  // forward is forced to the foreground. Nothing while BusyFlag is set.
  void SetFullScreen(bool Activate);
  // Leaves full screen: the normal bounds, the display mode and the main
  // window in front again. Nothing while BusyFlag is set.
  void SetNormalScreen();

  // ---- picture placement ----
  // The window variant of the placement rule over the video control's
  // size (offsets included, no pan & scan), handed to SetVideoPosAndSize.
  void PlacePictureInWindow();
  // The full-screen variant over VideoMonitor's size.
  void PlacePictureFullScreen();
  bool GraphActive() const { return FilterGraph.Active(); }
  // One wheel step of the window's size about its centre (grow when Up),
  // kept reachable; clears ZoomBaseBounds. False when the size stays.
  bool StepWindowSize(bool Up);
  // The platform's renderer window (where one exists) owned by this form
  // and directly below the video control.
  void RestackRenderer();
  // The window over VideoMonitor and the picture placed on it.
  void CoverVideoMonitor();
  // Hides the main window behind the video (AutoHideMainWindow, and after
  // a display change in full screen).
  void ParkMainWindow();
  // Places the main window directly behind this one, as the screen shows
  // it too.
  void PlaceMainWindowBehind();

  // ---- handlers (also called by the main window and the commands) ----
  void VideoWindowClick();
  void VideoWindowDblClick();
  void VideoWindowMouseDown(TMouseButton Button);
  void VideoWindowMouseUp(TMouseButton Button);
  void VideoWindowMouseWheelDown();
  void VideoWindowMouseWheelUp();
  // The video control's keys (player/video_window_keys.cpp): Alt+F4 in
  // full screen closes the main window, every other key goes through the
  // main window's key map (ExecuteKeyCommand).
  void VideoWindowKeyDown(WORD& Key, TShiftState Shift);
  // The video control's window procedure in front of its own
  // (OldVideoWndProc): Escape and the arrows go to the main window's
  // special keys as the control claims them.
  void VideoWindowWndProc(TMessage& Message);
  // Files dropped on the window open as if dropped on the main window;
  // the drop is released in every case.
  void AcceptFiles(TMessage& Message);
  void VideoWindowColorKeyChanged();
  // The whole control was repainted: subtitles, then the OSD.
  void VideoWindowPaint();
  // Paints the OSD text and the clock
  // (player/video_window_osd_painter.cpp).
  void VideoWindowPaintOsd();
  // Any resize zone: runs the platform's sizing loop from its edge.
  void rzBottomMouseDown(TComponent* Sender);
  // The video control's font becomes the subtitle font of the settings
  // (name, point size, colour, style).
  void ApplySubtitleFont();
  // Paints the subtitle lines stored on the video control
  // (player/video_window_subtitle_painter.cpp); with none, marks no entry
  // as shown.
  void VideoWindowPaintSubtitle();
  // The subtitle painter (VideoWindowPaintSubtitle unless replaced); Whole
  // is false when the whole control is being repainted.
  std::function<void(bool Whole)> OnPaintSubtitle;

  // ---- the graph's events and the render failure ----
  // (player/video_window_graph_events.cpp)
  // The end of the movie (EC_COMPLETE): replayed at once for the repeat
  // modes, else handed to the pulse through PlaybackFinished. A new length
  // of the movie (EC_LENGTH_CHANGED) goes to the main window's seek bar.
  // Other events are not the player's.
  void FilterGraphDSEvent(int Event, LONG_PTR Param1, LONG_PTR Param2);
  // Whether a filter may join the graph (external subtitle filters on
  // request).
  bool FilterGraphSelectedFilter(const std::wstring& FilterName);
  // The movie could not be opened, or its graph could not change state:
  // the player back to "no movie", the failure reported (or left to the
  // pulse while it advances by itself); never returns, it ends with the
  // silent abort.
  [[noreturn]] void FilterGraphUnableToRender();
  // The movie's render was abandoned (a stop, a close or another movie
  // came during it): the same, with nothing told.
  [[noreturn]] void FilterGraphRenderAbandoned();
  // Hands the graph's events to the handlers above (a failed change of
  // state to FilterGraphUnableToRender).
  void ConnectGraphEvents();

 protected:
  void DoShow() override;
  void Activate() override;
  void DoClose(TCloseAction& Action) override;
  void Resize() override;
  void WndProc(TMessage& Message) override;

 private:
  void CreateResizeZones();
  void SetZonesEnabled(bool Enabled);
  // Steps of SetFullScreen.
  // Empties the subtitle lines and repaints without the OSD text.
  void ClearOverlayTexts();
  // Parking test: the main window lies only under the full-screen video.
  bool MainWindowOnlyOnVideoMonitor();
  // The window changed size in a wheel step: the picture letterboxed in
  // it without pan & scan or offsets, re-attached and keyed.
  void PlaceAfterWheel();
  void WheelNotification(bool Up);
  void WMEnterSizeMove();
  void WMSizing(TMessage& Message);
  void WMExitSizeMove();
  void WMWindowPosChanging(TMessage& Message);
  // The two above; Tell: the failure is reported.
  [[noreturn]] void CloseUnopenedMovie(bool Tell);

  // The video control's own window procedure, replaced at creation.
  std::function<void(TMessage&)> OldVideoWndProc;
  bool FLeftPressed = false;  // a left press on the picture awaits its release
};

// The video window; nullptr before the start-up creates it.
extern TfrmVideoWindow* frmVideoWindow;

// Brings Window to the foreground, also when another process owns the
// foreground window.
void ForceForegroundWindow(HWND Window);
