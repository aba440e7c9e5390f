// The main window's window procedure: the switch that hands each message
// to its handler (most of them live with their subject, in the files
// player/main_form.h names), and the messages the switch answers here: the
// docking of the satellite windows while the user moves the main window, a
// change of the display mode or screen size, and the end of the user's
// session.
#include <windows.h>
#include <shellapi.h>

#include "dates/date_time.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/unicode.h"
#include "kit/snap.h"
#include "kit/window_drag.h"
#include "player/display_change_rules.h"
#include "player/main_form.h"
#include "player/movie_position.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "playlist/win/playlist_win.h"
#include "settings/program_state.h"

using lc::Player;
using lc::Program;

namespace {

bool VideoFullScreen() { return frmVideoWindow && frmVideoWindow->FullScreen; }

// Runs Step; a failure of one step of the graph's teardown does not stop
// the next.
template <class F>
void Guarded(F Step) {
  try {
    Step();
  } catch (...) {
  }
}

}  // namespace

// ------------------------------------------------------ the switch

TfrmMain::TMessageHook TfrmMain::MessageHook = nullptr;

void TfrmMain::WndProc(TMessage& Message) {
  if (MessageHook && MessageHook(*this, Message)) return;
  switch (Message.Msg) {
    case WM_COPYDATA:
      WMCopyData(Message);
      return;
    case WM_REMOTECOMMAND: WMRemoteCommand(Message); break;
    case WM_OPENHANDOVER: OpenHandedOverFiles(); break;
    case WM_FORGETFOLDERS: ForgetSearchFolders(); break;
    case WM_HOTKEY: WMHotKey(Message); break;
    case WM_APPCOMMAND:
      WMAppCommand(Message);
      return;
    case WM_MOUSEWHEEL:
      FormMouseWheel(GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0);
      break;
    case WM_DROPFILES:
      Opener().AcceptFiles(lc::playlist::TakeDroppedFiles(reinterpret_cast<HDROP>(Message.WParam)));
      Message.Result = 0;
      return;
    case WM_CONTEXTMENU:
      // The context-menu key has already opened the menu at the mouse.
      if (Message.LParam == -1) return;
      break;
    case WM_ENTERSIZEMOVE: WMEnterSizeMove(); break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(Message); break;
    case WM_MOVING: WMMoving(); break;
    case WM_EXITSIZEMOVE: WMExitSizeMove(); break;
    case WM_DISPLAYCHANGE: WMDisplayChange(Message); break;
    case WM_ENDSESSION: WMEndSession(Message); break;
    default:
      break;
  }
  TSkinForm::WndProc(Message);
}

// ------------------------------------------------------------- docking

void TfrmMain::WMEnterSizeMove() {
  InSizeMove = true;
  DecideDocking(*this, DockTable);
}

void TfrmMain::WMWindowPosChanging(TMessage& Message) {
  const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (InSizeMove && Pos && !(Pos->flags & SWP_NOMOVE)) SnapWindowWithDocked(*this, Message, DockTable, VideoFullScreen());
}

void TfrmMain::WMMoving() {
  if (!VideoFullScreen()) Player().MainWindowMoving = true;
}

void TfrmMain::WMExitSizeMove() {
  Player().MainWindowMoving = false;
  Player().WindowMoved = true;
  Player().WindowMovedTime = lc::CurrentDateTime();
  InSizeMove = false;
}

// ------------------------------------------------------- display change

void TfrmMain::WMDisplayChange(TMessage& Message) {
  lc::OpeningScope Opening;
  if (!Player().OwnModeChange) RebuildDisplayModes();
  const TScreenSize Size{LOWORD(Message.LParam), HIWORD(Message.LParam)};
  if (!(Size == LastScreenSize)) {
    PlaceWindowsOnNewScreen(Size);
    LastScreenSize = Size;
    MovieModeChecked = false;
  }
  // An opening whose full-screen switch changed the mode places and starts
  // its picture itself, after the switch.
  if (!Opening.Nested() && Commands().GraphActive() && frmVideoWindow) {
    try {
      ReloadPicture();
    } catch (const EAbort&) {
      // The movie could not be shown again: the render failure has put the
      // player back to "no movie"; the new mode is still recorded below.
    }
  }
  if (Player().OwnModeChange) {
    Player().OwnModeChange = false;
  } else {
    Program().DesktopDisplayMode = CurrentDisplayModeName();
    if (VideoFullScreen()) Player().ModeBeforeFullScreen = Program().DesktopDisplayMode;
  }
}

// Every window keeps its place in proportion to the screen, inside the
// primary work area; a full-screen video window's normal bounds move.
void TfrmMain::PlaceWindowsOnNewScreen(TScreenSize Size) {
  std::vector<TForm*> Windows{this, Satellites.PlayList, Satellites.Equalizer, Satellites.ColorControl,
                              Satellites.VideoWindow};
  for (TForm* Dialog : OnDemandDialogs()) Windows.push_back(Dialog);
  const TRect Work = Screen.WorkAreaRect();
  const lc::ScreenRect Area{Work.Left, Work.Top, Work.Width(), Work.Height()};
  for (TForm* W : Windows) {
    if (!W) continue;
    const bool Parked = W == frmVideoWindow && VideoFullScreen();
    const TRect B = Parked ? frmVideoWindow->NormalBounds : W->BoundsRect();
    const lc::PlacedPoint P =
        lc::PlaceAfterScreenChange(B.Left, B.Top, W->ClientWidth(), W->ClientHeight(), LastScreenSize.Width,
                                   LastScreenSize.Height, Size.Width, Size.Height, Area);
    if (Parked)
      frmVideoWindow->NormalBounds = Rect(P.Left, P.Top, P.Left + B.Width(), P.Top + B.Height());
    else
      W->SetBounds(P.Left, P.Top, B.Width(), B.Height());
  }
}

// The open movie is rendered again (the new mode may need another path
// through the video hardware) and shown where it was, a tenth of a second
// earlier, playing or paused as before. When it cannot be rendered or
// started again, the render failure puts the player back to "no movie" and
// ends the reload with the silent abort.
void TfrmMain::ReloadPicture() {
  TfrmVideoWindow& V = *frmVideoWindow;
  const std::int64_t Position = lc::ReloadPosition(lc::MoviePosition().value_or(0));
  const bool WasPlaying = ShownDown(*BtnPlay);
  Guarded([&] { V.FilterGraph.Stop(); });
  Guarded([&] { V.FilterGraph.ClearGraph(); });
  Guarded([&] { V.FilterGraph.SetActive(false); });
  Guarded([&] { V.FilterGraph.SetActive(true); });
  // The render has reported its own failure; the player is put back to
  // "no movie" rather than left showing a movie it no longer holds.
  const HRESULT Rendered = V.FilterGraph.RenderFile(Utf8ToWide(CurrentMovieFile));
  if (V.FilterGraph.RenderAbandoned()) V.FilterGraphRenderAbandoned();
  if (!lc::ReloadRenderUsable(Rendered)) V.FilterGraphUnableToRender();
  if (V.FullScreen) {
    V.CoverVideoMonitor();
    if (!Application.IsIconic()) V.ParkMainWindow();
  } else {
    V.PlacePictureInWindow();
    V.VideoWindow->AttachVideoWindow();
    V.VideoWindow->ApplyColorKey();
  }
  const int Milliseconds = static_cast<int>(Position / 10000);
  ProgressBar->SetPosition(Milliseconds);
  Commands().SeekToPosition(Milliseconds);
  if (V.FullScreen) V.VideoWindow->SetFocus();
  try {
    V.FilterGraph.Play();
    if (!WasPlaying) V.FilterGraph.Pause();
  } catch (...) {
    V.FilterGraphUnableToRender();
  }
  V.VideoWindow->OverlaySubtitleLinesA.clear();
  V.VideoWindow->OverlaySubtitleLinesW.clear();
  V.VideoWindow->RepaintVideo();
  ForceForegroundWindow(V.Handle());
}

// ---------------------------------------------------------- end of session

void TfrmMain::WMEndSession(TMessage& Message) {
  // Another program may cancel the end after it was asked: only the end
  // that really comes closes the player (and saves everything).
  if (!Message.WParam) return;
  SessionEnding = true;
  Close();
}
