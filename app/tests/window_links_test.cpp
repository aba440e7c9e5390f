// The start-up's links between the windows: without them no tool window
// and no message box can be made, with them every dialog of the main
// window's menu opens, the playlist window's keys reach the main window's
// commands, and an exception on the graph's event path reaches the main
// window's exception handling.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include <windows.h>

#include "app/playlist_setup.h"
#include "app/window_links.h"
#include "engine/dsp/amplify.h"
#include "engine/dsp/equalizer.h"
#include "kit/message_box.h"
#include "player/tests/graph_fixture.h"
#include "playlist/win/playlist_window.h"
#include "tools/about_box.h"
#include "tools/color/color_control_window.h"
#include "tools/config/config_dialog.h"
#include "tools/equalizer/equalizer_window.h"
#include "tools/jump_dialog.h"
#include "tools/media_info/info_window.h"
#include "tools/profiles/profiles_editor.h"
#include "tools/shutdown.h"
#include "tools/slider_dialogs.h"
#include "tools/tests/dialog_fakes.h"

namespace {

using lctest::Pump;

struct TMaker {
  const char* Window;
  std::function<std::unique_ptr<TForm>()> Make;
};

// Every window that reaches the program through the start-up's links, made
// as its opener makes it.
std::vector<TMaker> Makers(lc::tools::TDialogPlayerLink& Player, lc::tools::TEqualizerAudio& Audio) {
  return {
      {"message box", [] { return std::make_unique<TfrmMessage>(); }},
      {"equalizer", [&Audio] { return std::make_unique<TfrmEqualizer>(Audio); }},
      {"colour control", [] { return std::make_unique<TfrmColorControl>(); }},
      {"configuration", [] { return std::make_unique<TfrmConfig>(); }},
      {"profiles editor", [] { return std::make_unique<TfrmProfilesEditor>(nullptr); }},
      {"media information", [] { return std::make_unique<TfrmInfo>(lc::testing::Media("clip.avi")); }},
      {"jump", [&Player] { return std::make_unique<TfrmJump>(Player); }},
      {"aspect ratio", [&Player] { return std::make_unique<TfrmAspectRatio>(Player); }},
      {"pan & scan", [&Player] { return std::make_unique<TfrmPanScan>(Player); }},
      {"shutdown countdown", [] { return std::make_unique<TfrmShutDown>(); }},
      {"about box", [] { return std::make_unique<TfrmAbout>(); }},
      {"key list", [] { return std::make_unique<TfrmKeyboard>(); }},
  };
}

class WindowLinks : public lc::testing::GraphFixture {
 protected:
  lc::tools::fakes::TRecordingDialogPlayer Player;
  TDspEqualizer Equalizer;
  TDspAmplify Amplify;
  lc::tools::TDspEqualizerAudio Audio{Equalizer, Amplify};
};

TEST_F(WindowLinks, EveryWindowIsMadeOnlyWhileTheStartUpsLinksHold) {
  for (const TMaker& M : Makers(Player, Audio)) EXPECT_NE(nullptr, M.Make()) << M.Window;
  links.reset();
  for (const TMaker& M : Makers(Player, Audio)) EXPECT_THROW(M.Make(), std::logic_error) << M.Window;
}

TEST_F(WindowLinks, EveryDialogOfTheMainWindowsMenuIsMadeByTheLinks) {
  form->CurrentMovieFile = lc::testing::Media("clip.avi");
  lc::TMainDialogs& D = form->Dialogs;
  EXPECT_NE(nullptr, dynamic_cast<TfrmConfig*>(D.Config.Create().get()));
  EXPECT_NE(nullptr, dynamic_cast<TfrmAbout*>(D.About.Create().get()));
  EXPECT_NE(nullptr, dynamic_cast<TfrmKeyboard*>(D.Keyboard.Create().get()));
  EXPECT_NE(nullptr, dynamic_cast<TfrmJump*>(D.Jump.Create().get()));
  EXPECT_NE(nullptr, dynamic_cast<TfrmInfo*>(D.Info.Create().get()));
  // A slot left empty is refused, not passed over.
  D.About.Create = nullptr;
  EXPECT_THROW(form->AboutMenuClick(), std::logic_error);
}

TEST_F(WindowLinks, KeysThePlaylistLeavesReachTheMainWindowsCommands) {
  std::unique_ptr<TfrmPlayList> List = lc::MakePlaylistWindow(*form, links->Playlist());
  EXPECT_EQ(List.get(), form->Satellites.PlayList);
  List->Show();
  Pump(50);
  SendMessageW(List->ListVideo.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(List->ListVideo.Handle(), WM_KEYDOWN, 'B', 0);
  using Call = lc::testing::RecordingCommands::Call;
  EXPECT_EQ((std::vector<Call>{{lc::Cmd::BtnForwardClick, 0}, {lc::Cmd::BtnNextClick, 0}}), rooms.Calls);
  form->Satellites.PlayList = nullptr;
}

// The problem box is the platform's: it is answered from another thread.
TEST_F(WindowLinks, AnExceptionOnTheGraphsEventPathEndsInTheMainWindowsExceptionHandling) {
  std::thread Answer([] {
    for (int I = 0; I < 400; ++I) {
      if (HWND Box = FindWindowW(L"#32770", L"LcFormTest")) {
        PostMessageW(Box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(25);
    }
  });
  // As the audio thread hands over an exception of its handler.
  video->FilterGraph.PostException(std::make_exception_ptr(std::runtime_error("handler failed")));
  WaitFor([this] { return form->ProcessEnds > 0; });
  Answer.join();
  EXPECT_EQ(1, form->ProcessEnds);
  EXPECT_EQ(1u, form->LastExitCode);
}

}  // namespace
