// What the configuration dialog reaches of the running player: the
// always-on-top state in full screen, the playlist's hints and font size,
// the video control's subtitle look, the movie's remembered settings, the
// settings file, the boss keys and the display lengths of the loaded
// subtitle.
#include <memory>

#include "player/main_form.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "subtitles/loader.h"
#include "tools/config_dialog.h"
#include "tools/tool_environment.h"

namespace {

bool VideoFullScreen() { return frmVideoWindow && frmVideoWindow->FullScreen; }

}  // namespace

void TfrmMain::ConnectConfigDialog(lc::tools::TToolEnvironment& Env) {
  lc::settings::ConfigPlayerLinks& L = Env.Config;
  L.FullScreenShowing = [] { return VideoFullScreen() && frmVideoWindow->Showing(); };
  L.AlwaysOnTop = [this] { return AlwaysOnTopChecked; };
  // In full screen the tick alone changes: the window already covers all.
  L.SetAlwaysOnTop = [this](bool On) { AlwaysOnTopChecked = On; };
  L.ClearPlaylistHints = [] {
    if (frmPlayList) frmPlayList->ClearListHints();
  };
  L.RecomputeDisplayLengths = [] {
    if (!lc::Player().SubtitleLoaded) return;
    lc::subtitles::RecomputeDisplayDurations(lc::Subtitles().Current,
                                             lc::Program().Settings.AverageDisplayTime);
  };
  L.SetPlaylistFontSize = [](int Points) {
    if (frmPlayList) frmPlayList->SetListFontSize(Points);
  };
  L.SubtitleLookChanged = [] {
    if (!frmVideoWindow || !frmVideoWindow->Showing()) return;
    frmVideoWindow->ApplySubtitleFont();
    TDSVideoWindowEx2& Video = *frmVideoWindow->VideoWindow;
    Video.SubtitleIndex = -1;
    Video.OverlaySubtitleLinesA.clear();
    Video.OverlaySubtitleLinesW.clear();
    Video.RepaintVideo();
  };
  L.GraphActive = [this] { return Commands().GraphActive(); };
  L.MarkMovieChanged = [] { lc::Player().RmsChangeScore = 10000; };
  L.SaveConfiguration = [this] { SaveConfiguration(); };
  L.RegisterBossKey = [this](lc::settings::ShortCut Key, int Id) { return RegisterBossKey(Key, Id); };
  L.UnregisterBossKeys = [this] { BossKeys().UnregisterAll(); };
  Env.UncheckMovieMode = [this] { MovieModeChecked = false; };
  Dialogs.Config.Create = []() -> std::unique_ptr<TForm> { return std::make_unique<TfrmConfig>(); };
}
