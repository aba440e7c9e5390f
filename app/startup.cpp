#include "app/startup.h"

#include <cfloat>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "app/app_names.h"
#include "app/data_files.h"
#include "app/instance.h"
#include "app/live_settings_host.h"
#include "app/migration.h"
#include "app/playlist_setup.h"
#include "app/startup_platform.h"
#include "app/tool_windows.h"
#include "app/window_links.h"
#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "kit/system_utils.h"
#include "player/display_platform.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "playlist/win/playlist_win.h"
#include "settings/associations.h"
#include "settings/file_io.h"
#include "settings/language_file.h"
#include "settings/program_state.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/text_apply.h"
#include "settings/win/registry_win.h"
#include "settings/win/settings_win.h"

namespace lc {

namespace {

enum class Switch { None, Install, Uninstall };

// Only the first argument, in exactly this letter case, is a switch.
Switch SwitchOf(const std::vector<std::wstring>& args) {
  if (args.size() < 2) return Switch::None;
  if (args[1] == L"/install") return Switch::Install;
  if (args[1] == L"/uninstall") return Switch::Uninstall;
  return Switch::None;
}

// The executable's own full path.
std::wstring ModulePath() {
  std::wstring path(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  return path;
}

bool IsNtFamily() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return true;
#pragma GCC diagnostic pop
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Names and folders from the executable's path.
void FixNames(const std::wstring& exePath) {
  ProgramNames& n = Program().Names;
  n.ExePath = WideToUtf8(exePath);
  n.ExeFolder = FolderOf(n.ExePath);
  n.ExeFileName = FileNameOf(n.ExePath);
  n.AppName = BaseNameFromExeFileName(n.ExeFileName);
  const bool nt = IsNtFamily();
  n.IsWin9x = !nt;
  n.DataFolder = nt ? WideToUtf8(ChooseDataFolder(Utf8ToWide(n.AppName), Utf8ToWide(n.ExeFolder))) : n.ExeFolder;
  n.ConfigFileName = (nt ? n.DataFolder : n.ExeFolder) + n.AppName + ".ini";
}

Associations MakeAssociations(Registry& registry) {
  const ProgramNames& n = Program().Names;
  return Associations(registry, n.AppName, n.ExePath, NotifyShellOfAssociations);
}

// Extensions from the settings file may be anything; the associations
// pass over those that could not be registry key names.
void Uninstall(Associations& associations) {
  associations.Uninstall(Program().Settings.MediaExtensions);
}

// The five windows, joined to each other and to the message box, the tool
// windows and the application's events as they are made; the configuration
// dialog reaches the program's associations through the links.
void CreateForms(const settings::SettingsHost& host, Associations& associations) {
  TfrmMain* main = Application.CreateForm<TfrmMain>(host);
  // The links live as long as the process: the windows they join are freed
  // by the application after the start-up's own statics.
  TWindowLinks& links = *new TWindowLinks(*main, associations);
  // The video window holds the graph: the thread's COM apartment first.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  main->Satellites.VideoWindow = Application.CreateForm<TfrmVideoWindow>();
  main->InstallPlaybackRoom();
  main->InstallPictureRoom();
  Application.AdoptForm(MakePlaylistWindow(*main, links.Playlist()));
  CreateToolWindows();
  main->InstallPulseRoom();
}

void SetPriority() {
  ApplyProcessPriority(Program().Settings.CpuPriority);
}

void BuildDisplayModes() {
  Program().DesktopDisplayMode = frmMain->CurrentDisplayModeName();
  frmMain->RebuildDisplayModes();
}

// The settings that the existing windows take at start.
void SettingsIntoWindows() {
  settings::SettingsStore& s = Program().Settings;
  frmMain->SetBounds(s.MainXPosition, s.MainYPosition, frmMain->Width(), frmMain->Height());
  if (!s.RememberPanScanSettings) s.PanScanValue = 0;
  frmMain->SettingsIntoFace();
  frmVideoWindow->SetBounds(s.VideoWindowXPosition, s.VideoWindowYPosition, s.VideoWindowWidth, s.VideoWindowHeight);
  TDSVideoWindowEx2& video = *frmVideoWindow->VideoWindow;
  const int cx = video.ClientWidth() / 2, cy = video.ClientHeight() / 2;
  video.VideoRect = Rect(cx, cy, cx, cy);
  if (frmPlayList) PlaylistSettingsIntoWindow(*frmPlayList);
  if (s.Shuffle) std::srand(static_cast<unsigned>(std::time(nullptr)));
  SettingsIntoToolWindows(s);
  frmVideoWindow->AudioChain.DspDynamicAmplify.SetEnabled(s.DynamicAmplification);
}

void ShowText(const std::string& text) {
  bool unused = false;
  ShowMessageBox(Utf8ToWide(text), frmMain, false, unused);
}

// The file of the language the settings name.
std::string LanguageFileName() {
  return Program().Names.ExeFolder + "lang\\" + Program().Settings.LastUsedLanguage + ".lng";
}

void LoadLanguage() {
  settings::SettingsStore& s = Program().Settings;
  if (s.LastUsedLanguage == settings::kEnglishBuiltIn) return;
  settings::TextTable& table = settings::GlobalTextTable();
  if (!settings::LoadLanguageFile(LanguageFileName(), true, table, ShowText)) {
    s.LastUsedLanguage = settings::kEnglishBuiltIn;
  } else if (s.FullscreenModeSwitch == settings::kNoChange) {
    s.FullscreenModeSwitch = settings::NoChangeText(table);
  }
}

// The first run offers to associate every media type, unless one is
// associated already.
void FirstRun(Associations& assoc) {
  settings::SettingsStore& s = Program().Settings;
  if (!s.FirstRun) return;
  s.FirstRun = false;
  assoc.DeleteLegacyFolderVerb();
  if (assoc.AnyAssociated(s.MediaExtensions)) return;
  const settings::TextTable& t = settings::GlobalTextTable();
  const std::string& name = Program().Names.AppName;
  const std::wstring question = Utf8ToWide(t.TextMessages[57] + " " + name + " " + t.TextMessages[58]);
  if (Application.AskWithPlatformBox(question, Utf8ToWide(name), MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  assoc.AssociateAll(s.MediaExtensions, s.FileAssociation);
  if (assoc.RegistryWriteError) {
    assoc.RegistryWriteError = false;
    if (!s.DontShowRegistryError) {
      bool dontShow = false;
      ShowMessageBox(Utf8ToWide(t.TextMessages[66]), frmMain, true, dontShow);
      s.DontShowRegistryError = dontShow;
    }
  }
}

// Before any window: the defaults, the data files moved from older places
// and what a crash between writing a data file and putting it in place
// left, the built-in texts.
void PrepareDefaultsAndDataFiles() {
  ProgramState& p = Program();
  p.SavedFpuControlWord = _controlfp(0, 0);
  settings::SetDefaultSettings(p.Settings, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  MigrateOldFiles(p.Names.ExeFolder, p.Names.DataFolder, p.Names.AppName, WindowsFileOps());
  std::vector<std::string> dataFiles;
  for (const std::string& name : MigratedFileNames(p.Names.AppName)) dataFiles.push_back(p.Names.DataFolder + name);
  settings::SweepTemporaryFiles(dataFiles);
  settings::SetDefaultTexts(settings::GlobalTextTable(), false);
  Application.SetTitle(L"Lumacraft");
}

void ReadSettingsFile(const settings::SettingsHost& host) {
  ProgramState& p = Program();
  // A folder in the file's place is a file that could not be read: the
  // user is told of it at the start, and is asked no first-run question.
  if (settings::LoadSettingsFile(p.Settings, host, p.Names.ConfigFileName))
    ApplyEqualizerSettings(p.Settings);
}

// A second start while one runs (unless several may run) hands its files
// over and ends with 0, or says it could not and ends with 1; nothing when
// this instance goes on.
std::optional<int> EndAsSecondInstance(const std::vector<std::wstring>& args) {
  const ProgramState& p = Program();
  if (!InstanceMarkerExisted(Utf8ToWide(p.Names.AppName)) || p.Settings.AllowMultipleInstances) return std::nullopt;
  const std::vector<std::wstring> files(args.begin() + (args.empty() ? 0 : 1), args.end());
  if (HandOverToRunningInstance(Utf8ToWide(p.Names.AppName), Application.Handle(), files)) return 0;
  // This start ends before the language is loaded: the message that it
  // gave up still comes in the user's language (a file that fails was
  // reported by the running instance).
  if (p.Settings.LastUsedLanguage != settings::kEnglishBuiltIn)
    settings::ReadLanguageFile(LanguageFileName(), true, settings::GlobalTextTable());
  bool unused = false;
  ShowMessageBox(HandOverFailedText(Utf8ToWide(p.Names.AppName),
                                    Utf8ToWide(settings::GlobalTextTable().TextNotices[1]), files),
                 frmMain, false, unused);
  return 1;
}

// The instance that stays: its priority, the file types, the settings in
// the windows, the language, the first run's offer, the boss key. From the
// settings in the windows on, a close saves the settings file.
void StartThisInstance(Associations& associations) {
  ProgramState& p = Program();
  SetPriority();
  associations.StartupRegistration(p.Settings.MediaExtensions, p.Settings.FileAssociation,
                                   p.Settings.RegisterExtensionsOnLoad);
  BuildDisplayModes();
  SettingsIntoWindows();
  p.Settings.ConfigTaken = true;
  LoadLanguage();
  FirstRun(associations);
  p.RegistryWriteError = p.RegistryWriteError || associations.RegistryWriteError;
  if (p.Settings.BossKey) frmMain->ApplyBossKeys();
  Application.HintPause = 200;
  Application.HintShortPause = 200;
  Application.HintHidePause = 3000;
}

// The remembered movies, the shell's verbs (only the instance that stays
// serves them) and the list of the last run, whose files the command
// line's replace at the main window's first activation. A close before
// this (during the first run's question, say) leaves their files as they
// are: they are saved only once read here.
void LoadLastRun() {
  const ProgramState& p = Program();
  frmMain->rmsLoadFromHdd();
  frmMain->Playlist().LoadAtStart(p.Settings.LastMovieSelectedInPlaylist);
  ReportUnreadDataFiles(*frmMain);
}

}  // namespace

int RunProgram(const std::vector<std::wstring>& args) {
  settings::InstallWindowsSettingsServices();
  playlist::InstallWindowsPlaylistServices();
  const std::wstring exePath = ModulePath();
  FixNames(exePath);

  const Switch sw = SwitchOf(args);
  if (sw == Switch::Install) return RegisterAppPath(exePath) ? 0 : 1;

  PrepareDefaultsAndDataFiles();
  static LiveSettingsHost host;
  // One associations object for the whole run: the start-up's
  // registration, the first run's offer, the uninstall switch and the
  // configuration dialog. It outlives the windows that reach it.
  static WinRegistry registry;
  static Associations associations = MakeAssociations(registry);
  CreateForms(host, associations);
  DetectMonitorLayout();
  ReadSettingsFile(host);

  if (sw == Switch::Uninstall) {
    Uninstall(associations);
    ExitProcess(0);
  }
  if (const std::optional<int> code = EndAsSecondInstance(args)) return *code;

  // A close while the start-up asks or reports something ends it there.
  StartThisInstance(associations);
  if (frmMain->Closed()) return 0;
  LoadLastRun();
  if (frmMain->Closed()) return 0;
  for (std::size_t i = 1; i < args.size(); ++i) frmMain->CommandLine.push_back(WideToUtf8(args[i]));
  Application.Run([] { frmMain->StartDdeServer(); });
  return 0;
}

}  // namespace lc
