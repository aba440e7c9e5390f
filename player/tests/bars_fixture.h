// The main window and the video window on the virtual display with the
// colour bars (320 x 240: red, green, blue and white, 80 pixels each) paused
// in the video control; the rooms behind the picture room are Rooms.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "player/main_form.h"
#include "player/player_state.h"
#include "player/tests/recording_commands.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/win/settings_win.h"
#include "tests/support/process.h"

namespace lc::testing {

class BarsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    Program().Names.AppName = "LcBarsTest";
    Program().Names.DataFolder = folder.File("");
    lc::settings::SetDefaultSettings(Program().Settings, 1920, 1080);
    Program().BusyFlag = false;
    Program().OpeningMovie = false;
    Player() = {};
    main = std::make_unique<TfrmMain>(host);
    main->OnReport = [this](const std::wstring& Text) { reports.push_back(Text); };
    main->SetCommands(&Rooms);
    main->Show();
    video = std::make_unique<TfrmVideoWindow>();
    video->SetBounds(100, 100, 400, 300);
    video->Show();
    main->Satellites.VideoWindow = video.get();
    main->InstallPictureRoom();
    lctest::Pump(50);
  }

  void TearDown() override {
    video.reset();
    main.reset();
    Player() = {};
    Program().BusyFlag = false;
    Program().OpeningMovie = false;
  }

  void OpenBars() {
    lc::PlayerState& S = Player();
    S.CurrentMovieFile = lc::settings::WideToUtf8(lctest::MediaPath("bars.mp4"));
    S.NativeWidth = 320;
    S.NativeHeight = 240;
    S.AspectRatioValue = 1.33;
    main->CurrentMovieFile = S.CurrentMovieFile;
    video->FilterGraph.SetActive(true);
    ASSERT_EQ(video->FilterGraph.RenderFile(lctest::MediaPath("bars.mp4")), S_OK);
    video->PlacePictureInWindow();
    main->ProgressBar->SetMax(5000);
    main->ProgressBar->SetEnabled(true);
    video->FilterGraph.Pause();
    for (int i = 0; i < 200 && !video->VideoWindow->Surface().HasFrame(); ++i) lctest::Pump(20);
    ASSERT_TRUE(video->VideoWindow->Surface().HasFrame());
  }

  lc::settings::testing::ScratchFolder folder;
  lc::settings::testing::FakeHost host;
  RecordingCommands Rooms;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmVideoWindow> video;
  std::vector<std::wstring> reports;
};

}  // namespace lc::testing
