// The main window and the video window with the rooms the start-up
// installs (playback, picture, pulse) over the recording stand-in, and a
// last room that lists the movies opened. Warnings of the opening are
// switched off and the graph's messages are kept, so no modal box stops a
// test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/graph/graph_utils.h"
#include "framework/exceptions.h"
#include "player/movie_position.h"
#include "player/room_chain.h"
#include "player/tests/graph_fixture.h"

namespace lc::testing {

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

class PlaybackFixture : public GraphFixture {
 protected:
  void SetUp() override {
    GraphFixture::SetUp();
    settings::SettingsStore& S = Program().Settings;
    S.DoNotShowOverlayMessage = S.DoNotShowAudioStreamMessage = S.DoNotShowStreamMessage = true;
    SetShowMessageProc([this](const std::wstring& Text) { graphMessages.push_back(Text); });
    form->InstallPlaybackRoom();
    form->InstallPictureRoom();
    form->InstallPulseRoom();
    // As the start-up does once the rooms are in.
    form->SettingsIntoFace();
    log = std::make_unique<TOpeningLog>(*form, form->Commands());
    form->SetCommands(log.get());
  }
  void TearDown() override {
    form->SetCommands(nullptr);
    GraphFixture::TearDown();
    SetShowMessageProc(nullptr);
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
  // Opens a clip that must open, and waits until the player knows where it is.
  void OpenActive(const char* Name, bool Play) {
    ASSERT_TRUE(Open(Name, Play));
    ASSERT_TRUE(video->GraphActive());
    WaitFor([] { return MoviePosition().has_value(); });
  }
  const std::vector<std::string>& Opened() const { return log->Opened; }

  std::unique_ptr<TOpeningLog> log;
  std::vector<std::wstring> graphMessages;
};

}  // namespace lc::testing
