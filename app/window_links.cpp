#include "app/window_links.h"

#include <windows.h>

#include "app/playlist_setup.h"
#include "app/startup_platform.h"
#include "app/tool_windows.h"
#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "settings/associations.h"
#include "settings/path_names.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "subtitles/loader.h"
#include "tools/about_box.h"
#include "tools/config/config_dialog.h"
#include "tools/jump_dialog.h"
#include "tools/media_info/info_window.h"
#include "tools/tool_environment.h"

namespace lc {

namespace {

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
// events go to the main window, which also picks the window that takes the
// keyboard from one that hides; its modal loops set and clear the flag the
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
  Application.OnKeyboardHeir = [main](TForm* leaving) { return main->KeyboardHeir(leaving); };
}

void UnrouteApplicationEvents() {
  Application.OnException = nullptr;
  Application.OnShowHint = nullptr;
  Application.OnModalBegin = nullptr;
  Application.OnModalEnd = nullptr;
  Application.OnMinimize = nullptr;
  Application.OnRestore = nullptr;
  Application.OnDeactivate = nullptr;
  Application.OnKeyboardHeir = nullptr;
}

// What the configuration dialog's Apply and closing change in the running
// player: the always-on-top state in full screen, the playlist's hints and
// font size, the video control's subtitle look, the movie's remembered
// settings, the settings file, the boss keys, the display lengths of the
// loaded subtitle, the movie-mode tick and the process priority.
class TStartupConfigLinks : public tools::ConfigPlayerLinks {
 public:
  explicit TStartupConfigLinks(TfrmMain& Main) : FMain(Main) {}
  bool FullScreenShowing() const override {
    return frmVideoWindow && frmVideoWindow->FullScreen && frmVideoWindow->Showing();
  }
  bool AlwaysOnTop() const override { return FMain.AlwaysOnTopChecked; }
  // In full screen the tick alone changes: the window already covers all.
  void SetAlwaysOnTop(bool On) override { FMain.AlwaysOnTopChecked = On; }
  void ClearPlaylistHints() override {
    if (frmPlayList) frmPlayList->ClearListHints();
  }
  void SetProcessPriority(int Held) override { ApplyProcessPriority(Held); }
  void RecomputeDisplayLengths() override {
    if (Player().SubtitleLoaded)
      subtitles::RecomputeDisplayDurations(Subtitles().Current, Program().Settings.AverageDisplayTime);
  }
  void SetPlaylistFontSize(int Points) override {
    if (frmPlayList) frmPlayList->SetListFontSize(Points);
  }
  void SubtitleLookChanged() override {
    if (!frmVideoWindow || !frmVideoWindow->Showing()) return;
    frmVideoWindow->ApplySubtitleFont();
    TDSVideoWindowEx2& Video = *frmVideoWindow->VideoWindow;
    Video.SubtitleIndex = -1;
    Video.OverlaySubtitleLinesA.clear();
    Video.OverlaySubtitleLinesW.clear();
    Video.RepaintVideo();
  }
  bool GraphActive() const override { return FMain.Commands().GraphActive(); }
  void MarkMovieChanged() override { Player().RmsChangeScore = RmsChangeScoreCap; }
  void SaveConfiguration() override { FMain.SaveConfiguration(); }
  bool RegisterBossKey(settings::ShortCut Key, int Id) override { return FMain.RegisterBossKey(Key, Id); }
  void UnregisterBossKeys() override { FMain.BossKeys().UnregisterAll(); }
  void UncheckMovieMode() override { FMain.MovieModeChecked = false; }

 private:
  TfrmMain& FMain;
};

// The tool windows pass their unused keys and their texts to the main
// window, and their drops on to it; they see the graph through the main
// window's playback and place themselves by the video window.
class TStartupToolEnvironment : public tools::TToolEnvironment {
 public:
  TStartupToolEnvironment(TfrmMain& Main, const TProgramWindows& Windows, Associations& FileAssociations)
      : FMain(Main), FWindows(Windows), FAssociations(FileAssociations), FConfig(Main) {}
  const TProgramWindows& Windows() const override { return FWindows; }
  std::vector<TForm*> StartUpWindows() const override {
    const TSatelliteWindows& S = FMain.Satellites;
    return {&FMain, S.ColorControl, S.PlayList, S.VideoWindow, S.Equalizer};
  }
  void SetVideoMonitor(const TMonitor& M) const override {
    if (frmVideoWindow) frmVideoWindow->VideoMonitor = M;
  }
  tools::TToolPlayerLink& Player() const override { return FMain.ToolLink(); }
  TPlaybackLink& Playback() const override { return ToolPlayback(); }
  void AcceptFiles(TMessage& M) const override { M.Result = FMain.Perform(M.Msg, M.WParam, M.LParam); }
  // The user's own values, which a remembered entry replaced, are not put
  // back at the stop.
  void ColorsShown() const override { lc::Playback().SavedColorSliders.Valid = false; }
  std::string CurrentMovieName() const override { return FileNameOf(FMain.CurrentMovieFile); }
  Associations& FileAssociations() const override { return FAssociations; }
  tools::ConfigPlayerLinks& Config() const override { return FConfig; }
  void ClosePlayer() const override {
    Program().PlayerClosing = true;
    FMain.FormClose();
  }

 private:
  TfrmMain& FMain;
  const TProgramWindows& FWindows;
  Associations& FAssociations;
  mutable TStartupConfigLinks FConfig;
};

// The dialogs the main window's menu and options command open.
void ConnectMainDialogs(TfrmMain& Main) {
  Main.Dialogs.Config.Create = []() -> std::unique_ptr<TForm> { return std::make_unique<TfrmConfig>(); };
  Main.Dialogs.About.Create = []() -> std::unique_ptr<TForm> { return std::make_unique<TfrmAbout>(); };
  Main.Dialogs.Keyboard.Create = []() -> std::unique_ptr<TForm> { return std::make_unique<TfrmKeyboard>(); };
  Main.Dialogs.Jump.Create = [&Main]() -> std::unique_ptr<TForm> {
    return std::make_unique<TfrmJump>(Main.DialogLink());
  };
  Main.Dialogs.Info.Create = [&Main] { return CreateInfoWindow(Main.CurrentMovieFile); };
}

}  // namespace

struct TWindowLinks::TParts {
  TParts(TfrmMain& Main, Associations& FileAssociations)
      : Windows(Main), Tools(Main, Windows, FileAssociations), Playlist(MakePlaylistEnvironment(Main, Windows)) {}
  TStartupWindows Windows;
  TStartupToolEnvironment Tools;
  std::unique_ptr<TPlayListEnvironment> Playlist;
};

TWindowLinks::TWindowLinks(TfrmMain& Main, Associations& FileAssociations)
    : FParts(std::make_unique<TParts>(Main, FileAssociations)) {
  ConnectMessageBox(FParts->Windows, MessageBoxTexts);
  tools::ConnectToolWindows(FParts->Tools);
  ConnectMainDialogs(Main);
  RouteApplicationEvents(&Main);
}

TPlayListEnvironment& TWindowLinks::Playlist() { return *FParts->Playlist; }

TWindowLinks::~TWindowLinks() {
  UnrouteApplicationEvents();
  tools::DisconnectToolWindows(FParts->Tools);
  DisconnectMessageBox(FParts->Windows);
}

}  // namespace lc
