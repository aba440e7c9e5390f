#include "app/window_links.h"

#include <windows.h>

#include "app/startup_platform.h"
#include "app/tool_windows.h"
#include "framework/application.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "settings/associations.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "settings/win/settings_win.h"
#include "tools/about_box.h"
#include "tools/info_window.h"
#include "tools/jump_dialog.h"
#include "tools/shutdown.h"
#include "tools/tool_environment.h"

namespace lc {

namespace {

using settings::Utf8ToWide;

// The program's windows as the main window knows them; the video window's
// mode and monitor are its own.
class TStartupWindows : public TProgramWindows {
 public:
  explicit TStartupWindows(TfrmMain& Main) : FMain(Main) {}
  TForm& MainWindow() const override { return FMain; }
  TForm* VideoWindow() const override { return FMain.Satellites.VideoWindow; }
  TForm* PlaylistWindow() const override { return FMain.Satellites.PlayList; }
  TForm* EqualizerWindow() const override { return FMain.Satellites.Equalizer; }
  bool VideoFullScreen() const override { return frmVideoWindow && frmVideoWindow->FullScreen; }
  // The primary screen while there is no video window.
  TRect VideoMonitor() const override {
    return frmVideoWindow ? frmVideoWindow->VideoMonitor.BoundsRect : Rect(0, 0, Screen.Width(), Screen.Height());
  }
  bool MonitorsDiffer() const override { return Program().MonitorsDiffer; }
  bool SkipFormPlacement() const override { return FMain.SkipFormPlacement; }

 private:
  TfrmMain& FMain;
};

// The message box speaks the text table's language.
TMessageBoxTexts MessageBoxTexts() {
  const settings::TextTable& t = settings::GlobalTextTable();
  return TMessageBoxTexts{Utf8ToWide(t.TextHints[0]), Utf8ToWide(t.TextButtons[6]), Utf8ToWide(t.TextOptionLists[9]),
                          Utf8ToWide(t.TextCaptions[7])};
}

// The application's minimise, restore, deactivate, exception and hint
// events go to the main window; its modal loops set and clear the flag the
// remote control consults.
void RouteApplicationEvents(TfrmMain* main) {
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

void UnrouteApplicationEvents() {
  Application.OnException = nullptr;
  Application.OnShowHint = nullptr;
  Application.OnModalBegin = nullptr;
  Application.OnModalEnd = nullptr;
  Application.OnMinimize = nullptr;
  Application.OnRestore = nullptr;
  Application.OnDeactivate = nullptr;
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
void ConnectToolWindows(TfrmMain* main, Associations& associations) {
  tools::TToolEnvironment env;
  env.Player = &main->ToolLink();
  env.Playback = &ToolPlayback();
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

}  // namespace

struct TWindowLinks::TParts {
  explicit TParts(TfrmMain& Main) : Windows(Main) {}
  TStartupWindows Windows;
};

TWindowLinks::TWindowLinks(TfrmMain& Main, Associations& FileAssociations)
    : FParts(std::make_unique<TParts>(Main)) {
  ConnectMessageBox(FParts->Windows, MessageBoxTexts);
  ConnectToolWindows(&Main, FileAssociations);
  RouteApplicationEvents(&Main);
}

TWindowLinks::~TWindowLinks() {
  UnrouteApplicationEvents();
  tools::SetToolEnvironment({});
  DisconnectMessageBox(FParts->Windows);
}

}  // namespace lc
