#include "player/main_form.h"

#include <cmath>

#include <shellapi.h>

#include "framework/application.h"
#include "framework/dde.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "kit/skin_image.h"
#include "player/display_platform.h"
#include "player/handover.h"
#include "player/rooms_stand_in.h"
#include "settings/program_state.h"
#include "settings/settings_file.h"
#include "settings/settings_host.h"
#include "settings/text_encoding.h"
#include "settings/text_table.h"
#include "settings/unread_file.h"

TfrmMain* frmMain = nullptr;

using lc::Program;

namespace {

// The platform's hot keys of one window.
class WindowHotKeys : public lc::HotKeyApi {
 public:
  explicit WindowHotKeys(HWND window) : FWindow(window) {}
  bool Register(int id, const lc::HotKeyCombo& combo) override {
    return RegisterHotKey(FWindow, id, combo.modifiers, combo.virtualKey) != FALSE;
  }
  void Unregister(int id) override { UnregisterHotKey(FWindow, id); }

 private:
  HWND FWindow;
};

}  // namespace

int HintDisplayTime(std::size_t length) {
  return static_cast<int>(std::lround(static_cast<double>(length) * 61.225 + 938.776));
}

TfrmMain::TfrmMain(const lc::settings::SettingsHost& settingsHost)
    : TSkinForm(L"TfrmMain", L"MainImage", true, TDoubleClick::ActionsOnly),
      FSettingsHost(settingsHost),
      FSurface(Host()),
      FStandIn(std::make_unique<lc::TRoomsNotBuilt>()),
      FCommands(FStandIn.get()) {
  frmMain = this;
  lc::settings::RegisterTextTarget(this);
  CreatePlaylist();
  CreateToolLink();
  SetColor(clBlack);
  FDisplay = std::make_unique<lc::PlatformDisplaySwitch>();
  TFont face;
  face.SetName(L"MS Sans Serif");
  face.SetHeight(-15);
  face.SetColor(2132768);
  SetFont(face);
  CreateWidgets();
  CreatePopupMenu();
  ConnectSubtitles();
  GeneralTimer.SetInterval(20);
  ResetTimer.SetInterval(10000);
  ResetTimer.SetEnabled(false);
  ScrollTimer.SetInterval(1500);
  ScrollTimer.SetEnabled(false);
  ConnectPulse();
  // Dropped files arrive as WM_DROPFILES.
  DragAcceptFiles(Handle(), TRUE);
  FHotKeyApi = std::make_unique<WindowHotKeys>(Handle());
  FBossKeys = std::make_unique<lc::BossKeys>(*FHotKeyApi);
  InstallSkinCursors();
  LastScreenSize = {Screen.Width(), Screen.Height()};
}

TfrmMain::~TfrmMain() {
  lc::settings::UnregisterTextTarget(this);
  if (FKeepsAwake) ReleaseAwake();
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::SetCommands(lc::TPlayerCommands* Commands) { FCommands = Commands ? Commands : FStandIn.get(); }

// ---------------------------------------------------------------- show

void TfrmMain::DoShow() {
  if (SkipFormPlacement) {
    TSkinForm::DoShow();
    return;
  }
  if (FirstActivationPending) {
    FlatMenu.SetActive(true);
    SetWindowState(TWindowState::wsNormal);
    // A second instance finds this window by its caption.
    SetCaption(Utf8ToWide(Program().Names.AppName) + L"MainWindow");
  }
  Constraints.MinWidth = Constraints.MaxWidth = Host().Skin().Width();
  Constraints.MinHeight = Constraints.MaxHeight = Host().Skin().Height();
  TSkinForm::DoShow();
}

void TfrmMain::Activate() {
  TSkinForm::Activate();
  // The first activation is where the command line's files are opened;
  // from its end on, files handed over by a second instance are taken. A
  // message box it shows activates the window again meanwhile.
  if (SkipFormPlacement || !FirstActivationPending || FActivating) return;
  FActivating = true;
  FirstActivation();
  FActivating = false;
}

void TfrmMain::Deactivate() {
  TSkinForm::Deactivate();
  Screen.SetCursor(crDefault);
}

// --------------------------------------------- a second instance's files

// The result tells the sender whether the files were taken (1) or refused
// (0: before the first activation has ended, while an operation or an
// opening runs, or once the player is closing, which would drop them), so
// that it can try again or say it could not hand them over. Files handed
// over while an opening waits for its movie's render are taken: that
// opening is abandoned, and they open next.
void TfrmMain::WMCopyData(TMessage& Message) {
  Message.Result = 0;
  // The sender may be any process: the record and its data are taken only
  // as far as they are given.
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  if (!data || FClosed || Program().BusyFlag || (Program().OpeningMovie && !OpeningRenders()) ||
      FirstActivationPending)
    return;
  CloseWhenListEnds = false;
  std::vector<std::string> Files = lc::DecodeHandoverText(data->lpData, data->cbData);
  Message.Result = 1;
  if (Files.empty()) return;
  // Another may be waiting already (second instances started together):
  // each list is opened in its turn.
  WaitingHandOvers.push_back(std::move(Files));
  AbandonOpening();
  PostMessageW(Handle(), WM_OPENHANDOVER, 0, 0);
}

void TfrmMain::OpenHandedOverFiles() {
  // While the player is busy, or an earlier list is still being opened
  // (its message box runs), the list waits for the pulse's next try.
  if (FOpeningHandOver || WaitingHandOvers.empty() || Program().BusyFlag || Program().OpeningMovie) return;
  FOpeningHandOver = true;
  OpenFileList = std::move(WaitingHandOvers.front());
  WaitingHandOvers.pop_front();
  struct Opened {
    TfrmMain& Main;
    ~Opened() {
      Main.OpenFileList.clear();
      Main.FOpeningHandOver = false;
    }
  } LetGoAtTheEnd{*this};
  Opener().OpenFiles(OpenFileList, -1);
  if (Commands().GraphActive()) {
    Commands().SetPreviousMovieSettingsValid(true);
    CloseWhenListEnds = Program().Settings.AutoClosePlayerWhenFinished;
  }
}

// ------------------------------------------------------------ boss key

bool TfrmMain::RegisterBossKey(lc::settings::ShortCut shortCut, int id) {
  return FBossKeys->Register(shortCut, id);
}

void TfrmMain::ApplyBossKeys() {
  const auto& s = Program().Settings;
  FBossKeys->Apply(s.BossKey, s.BossKeyHide, s.BossKeyShow);
}

// --------------------------------------------------------------- saving

void TfrmMain::SaveConfiguration() {
  const lc::ProgramNames& names = Program().Names;
  lc::settings::SaveConfiguration(Program().Settings, FSettingsHost, names.ConfigFileName, names.DataFolder,
                                  lc::settings::NoChangeText(lc::settings::GlobalTextTable()));
}

// A save that found the file damaged since this run last looked wrote
// nothing: a copy of it is kept aside and the user told (as the start
// tells of one), and then the save runs again, merging what it can read.
bool TfrmMain::rmsSaveToHdd() {
  const bool Saved = lc::SaveRememberedSettings();
  if (!Program().RmsFile.DamageFound) return Saved;
  TellOfRmsDamage();
  return lc::SaveRememberedSettings();
}

void TfrmMain::rmsSaveInBackground() { lc::StartRememberedSettingsSave(); }

void TfrmMain::CollectRmsSave() {
  if (!lc::CollectRememberedSettingsSave() || !Program().RmsFile.DamageFound) return;
  TellOfRmsDamage();
  lc::StartRememberedSettingsSave();
}

void TfrmMain::TellOfRmsDamage() {
  lc::ProgramState& P = Program();
  P.RmsFile.DamageFound = false;
  std::string Text;
  P.RmsFile.Unread = lc::settings::KeepAsideAndTell(lc::settings::GlobalTextTable(), P.Names.RmsFileName(), Text);
  if (!Text.empty() && OnReport) {
    OnReport(Utf8ToWide(Text));
  } else if (!Text.empty()) {
    bool Unused = false;
    ShowMessageBoxOverOpenBox(Utf8ToWide(Text), this, false, Unused);
  }
}

void TfrmMain::rmsLoadFromHdd() {
  lc::ProgramState& p = Program();
  lc::settings::RmsLoadFromHdd(
      p.Rms, p.Names.RmsFileName(), lc::settings::RmsStartEntry(p.Settings),
      [this](const std::string& name) { return FSettingsHost.IsFontInstalled(name); }, p.RmsFile);
}

// ---------------------------------------------------------------- close

// The pulse, a message box or the end of the session may ask again while
// the close handler runs in a loop nested in it: that close is the one
// that completes.
bool TfrmMain::CloseQuery() { return !FClosing && TSkinForm::CloseQuery(); }

void TfrmMain::DoClose(TCloseAction& Action) {
  TSkinForm::DoClose(Action);
  FormClose();
}

// Closing ends the program. The movie is stored and stopped only when no
// operation is under way (a seek, a screen-mode switch or an opening may be
// half done); the remembered settings, the playlist and the settings are
// saved in any case (each only once the start-up has read it), and the
// desktop's display mode comes back before the settings are written. A
// failure on the way ends the process at once; files that could not be
// written (the files already there stay as they were) are reported once
// and end it with 1.
void TfrmMain::FormClose() {
  if (FClosing) return;
  FClosing = true;
  struct Done {
    bool& Flag;
    ~Done() { Flag = false; }
  } ClearedAtTheEnd{FClosing};
  FClosed = true;
  const bool busy = Program().BusyFlag || Program().OpeningMovie;
  const lc::ProgramNames& Names = Program().Names;
  std::vector<lc::settings::NotSavedFile> NotSaved;
  try {
    Application.Minimize();
    if (!busy && Commands().GraphActive()) Commands().StoreMovieAndStopGraph();
    Commands().UndoRememberedReplacements();
    if (!rmsSaveToHdd()) NotSaved.push_back({Names.RmsFileName(), Program().RmsFile.HeldByAnother});
    if (!Playlist().FormCloseQuery()) NotSaved.push_back({Names.AutoPlaylistFileName()});
    RestoreDisplayMode();
    SaveConfiguration();
    if (Program().Settings.ConfigWriteError) NotSaved.push_back({Names.ConfigFileName});
    FBossKeys->UnregisterAll();
  } catch (...) {
    // A save that failed is not passed off as a good end.
    ShowProblemBox();
    EndProcess(1);
    return;
  }
  if (!NotSaved.empty()) {
    ReportFailedSaveAtClose(NotSaved);
    EndProcess(1);
    return;
  }
  // The operation under way is not waited for.
  if (busy) EndProcess(0);
}

// Unless the user chose not to see writing errors, or the session is
// ending (nobody is there to answer), one message names every file that
// could not be saved, its check box bound to DontShowWritingError; a tick
// is saved when the settings file can still be written.
void TfrmMain::ReportFailedSaveAtClose(const std::vector<lc::settings::NotSavedFile>& NotSaved) {
  lc::settings::SettingsStore& S = Program().Settings;
  S.ConfigWriteError = false;
  if (S.DontShowWritingError || SessionEnding) return;
  const std::string Text = lc::settings::NotSavedMessage(lc::settings::GlobalTextTable(), NotSaved);
  if (OnReport) {
    OnReport(Utf8ToWide(Text));
    return;
  }
  // A box already up (the close came in its loop) steps aside: the
  // program ends after this report, which must not be lost.
  bool DontShow = false;
  ShowMessageBoxOverOpenBox(Utf8ToWide(Text), this, true, DontShow);
  if (!DontShow) return;
  S.DontShowWritingError = true;
  SaveConfiguration();
}

void TfrmMain::EndProcess(UINT ExitCode) { ExitProcess(ExitCode); }

void TfrmMain::RestoreDisplayMode() {
  const std::string& desktop = Program().DesktopDisplayMode;
  if (!desktop.empty() && lc::CurrentDisplayModeName() != desktop) Commands().ChangeResolution(desktop);
}

// -------------------------------------------------- application events

void TfrmMain::ShowProblemBox() {
  const std::wstring name = Utf8ToWide(Program().Names.AppName);
  const std::wstring text = name + L" has detected a problem and will be terminated...";
  MessageBoxW(Application.Handle(), text.c_str(), name.c_str(), MB_ICONERROR | MB_OK);
}

void TfrmMain::OnExceptionEvent(TComponent*, std::exception_ptr) {
  ShowProblemBox();
  EndProcess(1);
}

void TfrmMain::OnShowHintEvent(std::wstring& HintStr, bool&, THintInfo& HintInfo) {
  HintInfo.HintColor = clBlack;
  Screen.HintFont.SetColor(clLime);
  HintInfo.HideTimeout = HintDisplayTime(HintStr.size());
}

void TfrmMain::OnModalBeginEvent(TComponent*) { Program().ModalDialogActive = true; }

void TfrmMain::OnModalEndEvent(TComponent*) { Program().ModalDialogActive = false; }
