// TfrmVideoWindow's two modes: full screen over one monitor (with the
// display-mode hand-over and the main window parked behind it) and the
// normal window.
#include <vector>

#include "dates/date_time.h"
#include "kit/window_drag.h"
#include "player/display_modes.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"

using lc::Player;
using lc::Program;

namespace {

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS.
constexpr UINT kRestackFlags = 0x153;

}  // namespace

void TfrmVideoWindow::SetFullScreen(bool Activate) {
  if (Program().BusyFlag || !frmMain) return;
  lc::BusyScope Busy;
  lc::PlayerState& S = Player();
  const lc::settings::SettingsStore& Settings = Program().Settings;
  NormalBounds = BoundsRect();
  FullScreen = true;
  ClearOverlayTexts();
  VideoMonitor = GetWindowMonitor(Handle());
  if (frmMain->AlwaysOnTopChecked) SetWindowPos(Handle(), frmMain->Handle(), 0, 0, 0, 0, kRestackFlags);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, kRestackFlags);

  S.ModeBeforeFullScreen = frmMain->CurrentDisplayModeName();
  bool Switched = false;
  if (auto Wanted = lc::FullScreenModeWanted(Settings.FullscreenModeSwitch, Program().DisplayModeNames,
                                             S.ModeBeforeFullScreen))
    Switched = frmMain->ChangeResolution(*Wanted);
  // After a switch the display-change handling lays the window out in the
  // new mode; a refused mode leaves full screen on the current one.
  if (!Switched) CoverVideoMonitor();

  if (Settings.AutoHideMainWindow) {
    ParkMainWindow();
    if (Activate) ForceForegroundWindow(Handle());
  } else {
    frmMain->BringToFront();
    frmMain->Tag = 0;
    if (Activate) ForceForegroundWindow(frmMain->Handle());
    frmMain->SetFocus();
  }
  if (Settings.ActivateAlwaysOnTopInFullScreen && !frmMain->AlwaysOnTopChecked) {
    frmMain->AlwaysOnTopChecked = true;
    S.AlwaysOnTopForFullScreen = true;
  }
  SetZonesEnabled(false);
  Screen.SetCursor(crDefault);
  frmMain->PanScanMenuVisible = true;
  frmMain->WindowSizeMenuVisible = false;
}

void TfrmVideoWindow::SetNormalScreen() {
  if (Program().BusyFlag || !frmMain) return;
  lc::BusyScope Busy;
  lc::PlayerState& S = Player();
  frmMain->MovieModeChecked = false;
  if (S.AlwaysOnTopForFullScreen) {
    S.AlwaysOnTopForFullScreen = false;
    frmMain->AlwaysOnTopChecked = false;
  }
  ClearOverlayTexts();
  FullScreen = false;
  SetBounds(NormalBounds.Left, NormalBounds.Top, NormalBounds.Width(), NormalBounds.Height());
  // Back to the mode full screen started in; the display-change handling
  // then lays the picture out. Where the mode did not change, or the
  // display refuses the old one, the picture is placed here.
  bool Switched = false;
  if (!S.ModeBeforeFullScreen.empty() && frmMain->CurrentDisplayModeName() != S.ModeBeforeFullScreen)
    Switched = frmMain->ChangeResolution(S.ModeBeforeFullScreen);
  if (!Switched && GraphActive()) {
    PlacePictureInWindow();
    VideoWindow->ApplyColorKey();
  }
  frmMain->SetEnabled(true);
  frmMain->Tag = 0;
  BringToFront();
  if (frmMain->AlwaysOnTopChecked) SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, kRestackFlags);
  SetZonesEnabled(true);
  frmMain->PanScanMenuVisible = false;
  frmMain->WindowSizeMenuVisible = true;
  LastPlacementTime = lc::CurrentDateTime();
}

void TfrmVideoWindow::ClearOverlayTexts() {
  VideoWindow->OverlaySubtitleLinesA.clear();
  VideoWindow->OverlaySubtitleLinesW.clear();
  lc::PlayerState& S = Player();
  const std::string Kept = S.OsdText;
  S.OsdText.clear();
  VideoWindow->RepaintVideo();
  S.OsdText = Kept;
}

void TfrmVideoWindow::CoverVideoMonitor() {
  const TRect B = Program().MonitorsDiffer ? VideoMonitor.BoundsRect : Rect(0, 0, Screen.Width(), Screen.Height());
  SetBounds(B.Left, B.Top, B.Width(), B.Height());
  SetActiveWindow(Application.Handle());
  if (GraphActive()) {
    PlacePictureFullScreen();
    VideoWindow->AttachVideoWindow();
    VideoWindow->ApplyColorKey();
  }
}

void TfrmVideoWindow::ParkMainWindow() {
  PlaceMainWindowBehind();
  if (MainWindowOnlyOnVideoMonitor()) frmMain->SetEnabled(false);
  frmMain->Tag = 1;
}

// Not every display moves a window that is placed after another: a
// desktop without a window manager restacks a window only when it comes to
// the top. So the video window comes to the top, the player's windows that
// were in front of it but the main window come up again after it, the
// nearest first, and then the main window is placed behind it: the order
// is the one the placement asks for, and the screen shows it.
void TfrmVideoWindow::PlaceMainWindowBehind() {
  std::vector<HWND> InFront;
  for (HWND W = GetWindow(Handle(), GW_HWNDPREV); W; W = GetWindow(W, GW_HWNDPREV)) {
    DWORD Process = 0;
    GetWindowThreadProcessId(W, &Process);
    if (W != frmMain->Handle() && Process == GetCurrentProcessId() && IsWindowVisible(W)) InFront.push_back(W);
  }
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, kRestackFlags);
  for (HWND W : InFront) SetWindowPos(W, HWND_TOP, 0, 0, 0, 0, kRestackFlags & ~SWP_SHOWWINDOW);
  SetWindowPos(frmMain->Handle(), Handle(), 0, 0, 0, 0, kRestackFlags);
}

bool TfrmVideoWindow::MainWindowOnlyOnVideoMonitor() {
  std::vector<TRect> Monitors;
  int VideoIndex = -1;
  for (const TMonitor& M : Screen.Monitors()) {
    if (M.Handle == VideoMonitor.Handle) VideoIndex = static_cast<int>(Monitors.size());
    Monitors.push_back(M.BoundsRect);
  }
  return lc::LiesOnlyOnMonitor(Monitors, VideoIndex, frmMain->BoundsRect());
}

void ForceForegroundWindow(HWND Window) {
  if (GetForegroundWindow() == Window) return;
  const DWORD Own = GetWindowThreadProcessId(Window, nullptr);
  const DWORD Front = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  if (Own != Front && AttachThreadInput(Own, Front, TRUE)) {
    SetForegroundWindow(Window);
    AttachThreadInput(Own, Front, FALSE);
  }
  if (GetForegroundWindow() == Window) return;
  DWORD TimeOut = 0;
  SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &TimeOut, 0);
  SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
  SetForegroundWindow(Window);
  SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(TimeOut)),
                        SPIF_SENDCHANGE);
}
