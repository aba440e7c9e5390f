// TfrmMain's display modes and monitors: switching the display to a mode
// of the resolution menu and sending the video window to a monitor.
#include <algorithm>

#include "framework/menus.h"
#include "player/display_modes.h"
#include "player/display_platform.h"
#include "player/main_form.h"
#include "player/picture_room.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"

using lc::Player;

void TfrmMain::InstallPictureRoom() {
  FPictureRoom = std::make_unique<lc::TPictureRoom>(*this, Commands());
  SetCommands(FPictureRoom.get());
}

std::string TfrmMain::CurrentDisplayModeName() { return lc::DisplayModeItemName(FDisplay->CurrentMode()); }

bool TfrmMain::ChangeResolution(const std::string& ModeName) {
  if (frmVideoWindow && frmVideoWindow->FullScreen) MovieModeChecked = false;
  // A name without a mode in it (a stray item) switches nothing.
  const auto Mode = lc::ParseDisplayModeName(ModeName);
  if (!Mode || !FDisplay->TestMode(*Mode)) return false;
  Player().OwnModeChange = true;
  if (FDisplay->SetMode(*Mode)) return true;
  // No display change will come to clear the mark.
  Player().OwnModeChange = false;
  return false;
}

void TfrmMain::MonitorClick(int Index) {
  const std::vector<TMonitor> Monitors = Screen.Monitors();
  if (!frmVideoWindow || Index < 0 || Index >= static_cast<int>(Monitors.size())) return;
  TfrmVideoWindow& V = *frmVideoWindow;
  auto Centre = [&] {
    const TPoint P = lc::CentreOnMonitor(Monitors[Index].BoundsRect, V.Width(), V.Height());
    V.SetBounds(P.X, P.Y, V.Width(), V.Height());
  };
  if (V.FullScreen) {
    V.SetNormalScreen();
    Centre();
    V.SetFullScreen(true);
  } else {
    Centre();
    if (V.GraphActive()) V.RestackRenderer();
  }
  V.VideoWindow->RepaintVideo();
}

void TfrmMain::RebuildDisplayModes() {
  lc::DetectMonitorLayout();
  lc::ProgramState& P = lc::Program();
  P.DisplayModeNames = lc::BuildDisplayModeMenu(FDisplay->Modes()).names;
  if (TMenuItem* Menu = MenuItem(L"ChangeResolutionMenu")) Menu->Clear();
  std::string& Wanted = P.Settings.FullscreenModeSwitch;
  if (std::find(P.DisplayModeNames.begin(), P.DisplayModeNames.end(), Wanted) == P.DisplayModeNames.end())
    Wanted = lc::settings::kNoChange;
}
