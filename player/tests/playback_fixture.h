// The main window and the video window under Wine with the rooms the
// start-up installs (playback, picture, pulse) over the recording stand-in,
// and a last room that lists the movies opened. Warnings of the opening
// are switched off, so no modal box stops a test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "engine/graph/graph_utils.h"
#include "framework/exceptions.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/room_chain.h"
#include "player/tests/main_form_fixture.h"
#include "player/video_window.h"
#include "settings/win/settings_win.h"
#include "tests/support/process.h"

namespace lc::testing {

// The full path of a clip of the test media.
inline std::string Media(const char* Name) { return settings::WideToUtf8(lctest::MediaPath(Name)); }

// Lists the file name of every movie opened.
class TOpeningLog : public TRoomChain {
 public:
  TOpeningLog(TfrmMain& Main, TPlayerCommands& Next) : TRoomChain(Next), FMain(Main) {}
  std::vector<std::string> Opened;
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override {
    const std::string& Path = FMain.CurrentMovieFile;
    Opened.push_back(Path.substr(Path.find_last_of('\\') + 1));
    TRoomChain::OpenMovie(PlayAfterOpen, AddNextParts);
  }

 private:
  TfrmMain& FMain;
};

class PlaybackFixture : public MainWindowTest {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    Player() = {};
    Playback() = {};
    MainWindowTest::SetUp();
    settings::SettingsStore& S = Program().Settings;
    S.DoNotShowOverlayMessage = S.DoNotShowAudioStreamMessage = S.DoNotShowStreamMessage = true;
    Program().Rms.Clear();
    SetShowMessageProc([this](const std::wstring& Text) { graphMessages.push_back(Text); });
    video = std::make_unique<TfrmVideoWindow>();
    video->SetBounds(100, 100, 320, 240);
    video->Show();
    form->Satellites.VideoWindow = video.get();
    form->FirstActivationPending = false;
    form->SetBounds(1400, 900, form->Width(), form->Height());
    form->Show();
    form->InstallPlaybackRoom();
    form->InstallPictureRoom();
    form->InstallPulseRoom();
    log = std::make_unique<TOpeningLog>(*form, form->Commands());
    form->SetCommands(log.get());
    lctest::Pump(50);
  }
  void TearDown() override {
    form->SetCommands(nullptr);
    video.reset();
    MainWindowTest::TearDown();
    SetShowMessageProc(nullptr);
    Player() = {};
    Playback() = {};
    Program().Settings.Shuffle = false;
    Program().Settings.RepeatMode = 0;
  }

  // Opens a clip as the opening does; false when it was aborted.
  bool Open(const char* Name, bool Play) {
    form->CurrentMovieFile = Media(Name);
    try {
      form->Commands().OpenMovie(Play, false);
    } catch (const EAbort&) {
      return false;
    }
    return true;
  }
  // Pumps messages (the timers fire) until Done or about 5 s have passed.
  template <class F>
  bool WaitFor(F Done, int Steps = 250) {
    for (int I = 0; I < Steps; ++I) {
      if (Done()) return true;
      lctest::Pump(20);
    }
    return Done();
  }
  const std::vector<std::string>& Opened() const { return log->Opened; }

  std::unique_ptr<TfrmVideoWindow> video;
  std::unique_ptr<TOpeningLog> log;
  std::vector<std::wstring> graphMessages;
};

}  // namespace lc::testing
