// How the player answers the platform and the user's session outside its
// own windows: the application's minimise, restore and deactivate, the
// boss key's hot keys, the shell's DDE macros and the exception box.
#include <algorithm>

#include "dates/date_time.h"
#include "framework/application.h"
#include "framework/dde.h"
#include "framework/unicode.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/system_macro.h"
#include "player/video_window.h"
#include "settings/file_io.h"
#include "settings/program_state.h"

using lc::Cmd;
using lc::Program;

namespace {

constexpr UINT kBehindFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;

bool VideoFullScreen() { return frmVideoWindow && frmVideoWindow->FullScreen; }
bool VideoShowing() { return frmVideoWindow && frmVideoWindow->Showing(); }

// Holds BusyFlag while a handler of the application's events works.
class HeldBusy {
 public:
  HeldBusy() { Program().BusyFlag = true; }
  ~HeldBusy() { Program().BusyFlag = false; }
};

}  // namespace

// ------------------------------------------------------ minimise, restore

void TfrmMain::OnMinimizeEvent() {
  if (Program().BusyFlag) return;
  HeldBusy Busy;
  if (AlwaysOnTopChecked && !VideoLoweredOnMinimize && !VideoFullScreen() && VideoShowing()) {
    SetWindowPos(frmVideoWindow->Handle(), Handle(), 0, 0, 0, 0, kBehindFlags);
    VideoLoweredOnMinimize = true;
  }
  if (Program().Settings.PauseOnMinimize && Commands().GraphActive() && !ShownDown(*BtnPause)) {
    Commands().Run(Cmd::BtnPauseClick, 0);
    PausedByMinimize = true;
  }
}

void TfrmMain::OnRestoreEvent() {
  if (Program().BusyFlag || FClosed) return;
  {
    HeldBusy Busy;
    VideoLoweredOnMinimize = false;
    if (AlwaysOnTopChecked && !VideoFullScreen() && VideoShowing())
      SetWindowPos(frmVideoWindow->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (Commands().GraphActive() && frmVideoWindow) {
      frmVideoWindow->VideoWindow->AttachVideoWindow();
      frmVideoWindow->VideoWindow->ApplyColorKey();
    }
  }
  // Play runs with BusyFlag released.
  if (Commands().GraphActive() && PausedByMinimize && !ShownDown(*BtnPlay)) Commands().Run(Cmd::BtnPlayClick, 0);
  HeldBusy Busy;
  if (HideVideoOnRestore) {
    HideVideoOnRestore = false;
    if (frmVideoWindow) frmVideoWindow->Hide();
  } else if ((!Enabled() || Tag == 1) && frmVideoWindow) {
    frmVideoWindow->Show();
    frmVideoWindow->PlaceMainWindowBehind();
    frmVideoWindow->VideoWindow->SetFocus();
  }
  PausedByMinimize = false;
}

void TfrmMain::OnDeactivateEvent() {
  if (!AlwaysOnTopChecked || !frmVideoWindow) return;
  if (!VideoFullScreen()) {
    if (!VideoLoweredOnMinimize && VideoShowing())
      SetWindowPos(frmVideoWindow->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  if (Application.IsIconic()) return;
  ForceForegroundWindow(Application.Handle());
  if (GetForegroundWindow() == Application.Handle()) return;
  RegainForeground();
}

// Minimising and restoring the application is how it gets the foreground
// back; the animation is switched off meanwhile and the handlers detached.
void TfrmMain::RegainForeground() {
  ANIMATIONINFO Animation{sizeof(ANIMATIONINFO), 0};
  SystemParametersInfoW(SPI_GETANIMATION, sizeof Animation, &Animation, 0);
  const bool Animated = Animation.iMinAnimate != 0;
  if (Animated) {
    ANIMATIONINFO Off{sizeof(ANIMATIONINFO), 0};
    SystemParametersInfoW(SPI_SETANIMATION, sizeof Off, &Off, 0);
  }
  TNotifyEvent Minimized = std::move(Application.OnMinimize);
  TNotifyEvent Restored = std::move(Application.OnRestore);
  Application.OnMinimize = nullptr;
  Application.OnRestore = nullptr;
  Application.Minimize();
  for (int i = 0; i <= 1000 && !Application.IsIconic(); ++i) Sleep(1);
  Application.Restore();
  for (int i = 0; i <= 1000 && Application.IsIconic(); ++i) Sleep(1);
  Application.OnMinimize = std::move(Minimized);
  Application.OnRestore = std::move(Restored);
  if (Animated) SystemParametersInfoW(SPI_SETANIMATION, sizeof Animation, &Animation, 0);
}

// --------------------------------------------------------------- boss key

void TfrmMain::WMHotKey(TMessage& Message) {
  if (Message.WParam == lc::kBossHideId && BossHiddenForms.empty()) {
    PausedByBoss = false;
    if (Commands().GraphActive() && !ShownDown(*BtnPause)) {
      Commands().Run(Cmd::BtnPauseClick, 0);
      PausedByBoss = true;
    }
    BossHidIconic = false;
    if (Application.IsIconic()) {
      // Only the taskbar button goes; the entry marks that something is hidden.
      BossHiddenForms.push_back(nullptr);
      BossHidIconic = true;
      ShowWindow(Application.Handle(), SW_HIDE);
      return;
    }
    BossKeyboardForm = nullptr;
    for (TForm* F : Screen.Forms()) {
      if (!F->Showing()) continue;
      BossHiddenForms.push_back(F);
      if (F->Handle() == GetActiveWindow()) BossKeyboardForm = F;
    }
    for (TForm* F : BossHiddenForms) F->Hide();
  } else if (Message.WParam == lc::kBossShowId && !BossHiddenForms.empty()) {
    if (BossHidIconic) {
      BossHidIconic = false;
      ShowWindow(Application.Handle(), SW_SHOW);
    } else {
      SkipFormPlacement = true;
      // A window freed while hidden (a dialog) is not shown again.
      const std::vector<TForm*>& Alive = Screen.Forms();
      for (auto F = BossHiddenForms.rbegin(); F != BossHiddenForms.rend(); ++F)
        if (*F && std::find(Alive.begin(), Alive.end(), *F) != Alive.end()) (*F)->Show();
      SkipFormPlacement = false;
    }
    BossHiddenForms.clear();
    KeyboardBackAfterBoss();
    if (PausedByBoss) {
      PausedByBoss = false;
      Commands().Run(Cmd::BtnPlayClick, 0);
    }
  }
}

// The player's windows are shown again where the platform left the
// keyboard when they hid (the application window, which takes no keys) or
// in the last one shown: the window that held it takes it back, or the one
// the keyboard rule picks. When none of the player's windows held it, a
// window of the player that took it keeps it.
void TfrmMain::KeyboardBackAfterBoss() {
  TForm* Held = BossKeyboardForm;
  BossKeyboardForm = nullptr;
  const HWND Active = GetActiveWindow();
  if (!Held)
    for (TForm* F : Screen.Forms())
      if (F->Handle() == Active && F->Showing() && F->Enabled()) return;
  TForm* Heir = KeyboardHeir(nullptr, Held);
  if (Heir && Heir->Handle() != Active) SetActiveWindow(Heir->Handle());
}

// ------------------------------------------------------------ DDE macros

void TfrmMain::StartDdeServer() {
  try {
    FSystemConv = std::make_unique<TDdeServerConv>(Utf8ToWide(Program().Names.AppName), L"System");
    FSystemConv->OnExecuteMacro = [this](TComponent*, const std::vector<std::wstring>& Macro) {
      std::vector<std::string> Lines;
      for (const std::wstring& Line : Macro) Lines.push_back(WideToUtf8(Line));
      SystemExecuteMacro(Lines);
    };
  } catch (...) {
    // Without the server the shell starts a second instance instead.
    FSystemConv.reset();
  }
}

void TfrmMain::SystemExecuteMacro(const std::vector<std::string>& Macro) {
  if (Program().BusyFlag || FirstActivationPending) return;
  const lc::SystemMacro M = lc::ParseSystemMacro(Macro);
  switch (M.Kind) {
    case lc::MacroKind::None: return;
    case lc::MacroKind::AddFile:
    case lc::MacroKind::AddFolder:
      CloseWhenListEnds = false;
      Application.Restore();
      if (Satellites.PlayList && !Satellites.PlayList->Showing()) Satellites.PlayList->Show();
      if (M.Path.empty()) return;
      if (M.Kind == lc::MacroKind::AddFile)
        Opener().AddMovies({M.Path});
      else
        Opener().AddFolderWithMovies(M.Path);
      return;
    case lc::MacroKind::Play: break;
  }
  const double Now = lc::CurrentDateTime();
  if (lc::PlayReplacesPlaylist(Program().OpeningMovie, Now, LastOpenEndTime())) {
    CloseWhenListEnds = false;
    OpenFileList = {M.Path};
    Commands().SetPreviousMovieSettingsValid(false);
    Application.Restore();
    SetForegroundWindow(Application.Handle());
    Opener().OpenFiles(OpenFileList, -1);
    if (Commands().GraphActive()) {
      Commands().SetPreviousMovieSettingsValid(true);
      CloseWhenListEnds = Program().Settings.AutoClosePlayerWhenFinished;
    }
    return;
  }
  Application.Restore();
  SetForegroundWindow(Application.Handle());
  if (!M.Path.empty()) {
    if (lc::settings::FileExists(M.Path))
      Opener().AddMovies({M.Path});
    else if (lc::settings::FolderExists(M.Path))
      Opener().AddFolderWithMovies(M.Path);
  }
  LastOpenEndTime() = Now;
}

double& TfrmMain::LastOpenEndTime() { return lc::Playback().LastOpenEndTime; }
