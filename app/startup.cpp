#include "app/startup.h"

#include <cfloat>
#include <cstdlib>
#include <ctime>

#include <windows.h>

#include "app/app_names.h"
#include "app/instance.h"
#include "app/live_settings_host.h"
#include "app/migration.h"
#include "app/playlist_setup.h"
#include "app/startup_platform.h"
#include "app/tool_windows.h"
#include "framework/application.h"
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
#include "tools/about_box.h"
#include "tools/info_window.h"
#include "tools/jump_dialog.h"
#include "tools/shutdown.h"
#include "tools/tool_environment.h"

namespace lc {

namespace {

using settings::Utf8ToWide;
using settings::WideToUtf8;

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
void Uninstall() {
  WinRegistry registry;
  Associations assoc = MakeAssociations(registry);
  assoc.Uninstall(Program().Settings.MediaExtensions);
}

// The message box speaks the text table's language and keeps to the
// monitor layout.
void ConnectMessageBox(TfrmMain* main) {
  TMessageBoxEnvironment env;
  env.Texts = [] {
    const settings::TextTable& t = settings::GlobalTextTable();
    return TMessageBoxTexts{Utf8ToWide(t.TextHints[0]), Utf8ToWide(t.TextButtons[6]),
                            Utf8ToWide(t.TextOptionLists[9]), Utf8ToWide(t.TextCaptions[7])};
  };
  env.MonitorsDiffer = [] { return Program().MonitorsDiffer; };
  env.MainWindow = [main]() -> TForm* { return main; };
  SetMessageBoxEnvironment(std::move(env));
}

// The tool dialogs: what they reach of the player and the video window,
// how the main window's menu creates them, and what the shutdown countdown
// does when nobody cancels it.
void ConnectToolDialogs(TfrmMain* main, tools::TToolEnvironment& env) {
  env.Dialogs = &main->DialogLink();
  env.VideoFullScreen = [] { return frmVideoWindow && frmVideoWindow->FullScreen; };
  env.VideoMonitor = [] {
    return frmVideoWindow ? frmVideoWindow->VideoMonitor.BoundsRect : Rect(0, 0, Screen.Width(), Screen.Height());
  };
  env.SetVideoMonitor = [](const TMonitor& m) {
    if (frmVideoWindow) frmVideoWindow->VideoMonitor = m;
  };
  env.StartUpWindows = [main] {
    const TSatelliteWindows& s = main->Satellites;
    return std::vector<TForm*>{main, s.ColorControl, s.PlayList, s.VideoWindow, s.Equalizer};
  };
  main->Dialogs.About.Create = []() -> std::unique_ptr<TForm> { return std::make_unique<TfrmAbout>(); };
  main->Dialogs.Keyboard.Create = []() -> std::unique_ptr<TForm> { return std::make_unique<TfrmKeyboard>(); };
  main->Dialogs.Jump.Create = []() -> std::unique_ptr<TForm> { return std::make_unique<TfrmJump>(); };
  main->Dialogs.Info.Create = [main] { return CreateInfoWindow(main->CurrentMovieFile); };
  TShutdownLinks links;
  links.ClosePlayer = [main] {
    Program().PlayerClosing = true;
    main->Close();
  };
  SetShutdownLinks(std::move(links));
}

// The tool windows pass their unused keys and their texts to the main
// window, and their drops on to it; they see the graph through the main
// window's playback and place themselves by the video window. The
// configuration dialog opens from the main window's options command and
// reaches the player through the same environment (the main window fills
// in its part); the process priority and the file associations are the
// program's.
void ConnectToolWindows(TfrmMain* main) {
  static WinRegistry registry;
  static Associations associations = MakeAssociations(registry);
  tools::TToolEnvironment env;
  env.Player = &main->ToolLink();
  env.Playback = &ToolPlayback();
  env.VideoFullScreen = [] { return frmVideoWindow && frmVideoWindow->FullScreen; };
  env.VideoMonitor = [] { return frmVideoWindow ? frmVideoWindow->VideoMonitor.BoundsRect : TRect{}; };
  env.AcceptFiles = [main](TMessage& m) { m.Result = main->Perform(m.Msg, m.WParam, m.LParam); };
  env.MainWindow = [main]() -> TForm* { return main; };
  env.VideoWindow = [main] { return main->Satellites.VideoWindow; };
  env.PlaylistWindow = [main] { return main->Satellites.PlayList; };
  env.MonitorsDiffer = [] { return Program().MonitorsDiffer; };
  env.SkipFormPlacement = [main] { return main->SkipFormPlacement; };
  env.FileAssociations = &associations;
  main->ConnectConfigDialog(env);
  env.Config.SetProcessPriority = [](int held) {
    if (unsigned cls = PriorityClassFor(held)) SetPriorityClass(GetCurrentProcess(), cls);
  };
  ConnectToolDialogs(main, env);
  tools::SetToolEnvironment(std::move(env));
}

void CreateForms(const settings::SettingsHost& host) {
  TfrmMain* main = Application.CreateForm<TfrmMain>(host);
  ConnectMessageBox(main);
  ConnectToolWindows(main);
  // The video window holds the graph: the thread's COM apartment first.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  main->Satellites.VideoWindow = Application.CreateForm<TfrmVideoWindow>();
  main->InstallPlaybackRoom();
  main->InstallPictureRoom();
  CreatePlaylistWindow(*main);
  CreateToolWindows();
  main->InstallPulseRoom();
  Application.OnException = [main](TComponent* s, std::exception_ptr e) { main->OnExceptionEvent(s, e); };
  Application.OnShowHint = [main](std::wstring& text, bool& show, THintInfo& info) {
    main->OnShowHintEvent(text, show, info);
  };
  Application.OnModalBegin = [main](TComponent* s) { main->OnModalBeginEvent(s); };
  Application.OnModalEnd = [main](TComponent* s) { main->OnModalEndEvent(s); };
  Application.OnMinimize = [main](TComponent*) { main->OnMinimizeEvent(); };
  Application.OnRestore = [main](TComponent*) { main->OnRestoreEvent(); };
  Application.OnDeactivate = [main](TComponent*) { main->OnDeactivateEvent(); };
}

void SetPriority() {
  if (unsigned cls = PriorityClassFor(Program().Settings.CpuPriority)) SetPriorityClass(GetCurrentProcess(), cls);
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

void LoadLanguage() {
  settings::SettingsStore& s = Program().Settings;
  if (s.LastUsedLanguage == settings::kEnglishBuiltIn) return;
  const std::string file = Program().Names.ExeFolder + "lang\\" + s.LastUsedLanguage + ".lng";
  settings::TextTable& table = settings::GlobalTextTable();
  if (!settings::LoadLanguageFile(file, true, table, ShowText)) {
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
  if (MessageBoxW(Application.Handle(), question.c_str(), Utf8ToWide(name).c_str(),
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
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

}  // namespace

int RunProgram(const std::vector<std::wstring>& args) {
  ProgramState& p = Program();
  settings::InstallWindowsSettingsServices();
  playlist::InstallWindowsPlaylistServices();
  const std::wstring exePath = ModulePath();
  FixNames(exePath);

  const Switch sw = SwitchOf(args);
  if (sw == Switch::Install) return RegisterAppPath(exePath) ? 0 : 1;

  p.SavedFpuControlWord = _controlfp(0, 0);
  settings::SetDefaultSettings(p.Settings, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  MigrateOldFiles(p.Names.ExeFolder, p.Names.DataFolder, p.Names.AppName, WindowsFileOps());
  // What a crash between writing a data file and putting it in place left.
  for (const std::string& name : MigratedFileNames(p.Names.AppName))
    settings::SweepTemporaryFiles(p.Names.DataFolder + name);
  settings::SetDefaultTexts(settings::GlobalTextTable(), false);
  Application.SetTitle(L"Lumacraft");

  static LiveSettingsHost host;
  CreateForms(host);
  DetectMonitorLayout();
  if (settings::FileExists(p.Names.ConfigFileName) &&
      settings::LoadSettingsFile(p.Settings, host, p.Names.ConfigFileName))
    ApplyEqualizerSettings(p.Settings);

  if (sw == Switch::Uninstall) {
    Uninstall();
    ExitProcess(0);
  }
  if (InstanceMarkerExisted(Utf8ToWide(p.Names.AppName)) && !p.Settings.AllowMultipleInstances) {
    HandOverToRunningInstance(Utf8ToWide(p.Names.AppName), Application.Handle(),
                              std::vector<std::wstring>(args.begin() + (args.empty() ? 0 : 1), args.end()));
    return 0;
  }

  SetPriority();
  WinRegistry registry;
  Associations assoc = MakeAssociations(registry);
  assoc.StartupRegistration(p.Settings.MediaExtensions, p.Settings.FileAssociation,
                            p.Settings.RegisterExtensionsOnLoad);
  BuildDisplayModes();
  SettingsIntoWindows();
  LoadLanguage();
  FirstRun(assoc);
  p.RegistryWriteError = p.RegistryWriteError || assoc.RegistryWriteError;
  if (p.Settings.BossKey) frmMain->ApplyBossKeys();
  Application.HintPause = 200;
  Application.HintHidePause = 3000;
  frmMain->rmsLoadFromHdd();
  // Only the instance that stays serves the shell's verbs.
  frmMain->StartDdeServer();
  // The list of the last run; the command line's files replace it at the
  // main window's first activation.
  if (settings::FileExists(p.Names.AutoPlaylistFileName()))
    frmMain->Playlist().LoadFromList(p.Names.AutoPlaylistFileName(), true, true);
  frmMain->Playlist().SelectAtStart(p.Settings.LastMovieSelectedInPlaylist);
  for (std::size_t i = 1; i < args.size(); ++i) frmMain->CommandLine.push_back(WideToUtf8(args[i]));
  Application.Run();
  return 0;
}

}  // namespace lc
