// The pulse, seeking, volume, bookmarks and recent files under Wine with
// real clips in the video window's graph: the time label and seek bar
// follow playback, seeks land where asked, the playlist moves on after the
// end of a movie and after a file that does not open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/movie_position.h"
#include "player/tests/playback_fixture.h"

namespace {

using lc::Cmd;
using lc::Player;
using lc::Program;
using lc::testing::Media;

class PulseTest : public lc::testing::PlaybackFixture {
 protected:
  long long PositionMs() { return lc::MoviePosition().value_or(-1) / 10000; }
  std::string TimeLabel() { return WideToUtf8(form->MovieTimesLabel->Caption()); }
  void AddToList(std::initializer_list<const char*> Names) {
    for (const char* Name : Names) form->Playlist().AddMovie(Media(Name));
  }
};

TEST_F(PulseTest, PlayingMovesTheTimeLabelAndTheSeekBar) {
  OpenActive("clip.avi", true);
  EXPECT_EQ(form->ProgressBar->Max(), 3000);
  ASSERT_TRUE(WaitFor([&] { return form->ProgressBar->Position() >= 1000; }));
  const std::string Label = TimeLabel();
  EXPECT_EQ(Label.substr(0, 11), "00:00:03 - ") << Label;
  EXPECT_NE(Label.substr(11, 8), "00:00:00") << Label;
  // The remaining time counts down from the total.
  EXPECT_NE(Label.substr(22), "00:00:03") << Label;
  // The seek bar stays with the graph.
  EXPECT_NEAR(form->ProgressBar->Position(), PositionMs(), 200);
}

TEST_F(PulseTest, SeeksLandWhereAskedAndStayWithinTheMovie) {
  OpenActive("clip.avi", false);
  Program().Settings.OSDDisplay = true;
  form->SeekToPosition(1500);
  EXPECT_NEAR(PositionMs(), 1500, 40);
  // A 20 s step forward stops 10 ms before the end.
  form->RunCommand(Cmd::BtnForwardClick);
  EXPECT_NEAR(PositionMs(), 2990, 40);
  EXPECT_EQ(Player().OsdText, "00:00:02 / 00:00:03 (100%)");
  EXPECT_TRUE(Player().OsdShowsPosition);
  form->RunCommand(Cmd::BtnRewindClick);
  EXPECT_NEAR(PositionMs(), 0, 40);
  EXPECT_EQ(Player().OsdText, "00:00:00 / 00:00:03 (0%)");
  // At 25 frames per second the end is 0.1 s before it.
  form->RunCommand(Cmd::btnGoToEndClick);
  EXPECT_NEAR(PositionMs(), 2900, 40);
  EXPECT_EQ(Player().OsdText, "End position");
  EXPECT_FALSE(Player().OsdShowsPosition);
  form->RunCommand(Cmd::btnGoToStartClick);
  EXPECT_NEAR(PositionMs(), 0, 40);
  EXPECT_EQ(Player().OsdText, "Start position");
  EXPECT_FALSE(Program().BusyFlag);
  // Commands that are not the pulse room's go on.
  form->RunCommand(Cmd::BtnPlayClick);
  EXPECT_TRUE(ShownDown(*form->BtnPlay));
}

// The pulse's save of the remembered settings while a movie plays runs on
// the worker; one that finds the file damaged since the start tells the
// user, the file kept aside byte for byte, and then writes the playing
// movie's entry beside the entries it could read. The test reads the file
// once that save was taken in: read while the save replaces it, the file
// is open, and the replacing fails (the save is then kept for the next).
TEST_F(PulseTest, ASaveDuringPlaybackThatFindsTheFileDamagedTellsThenWrites) {
  const std::string File = Program().Names.RmsFileName();
  lctest::WriteBytes(File, "[old.avi]\r\nPanScan=7\r\n");
  form->rmsLoadFromHdd();
  const std::string Damaged = "[old.avi]\r\nPanScan=7\r\n[lost.avi\r\nPanScan=3\r\n";
  lctest::WriteBytes(File, Damaged);
  Program().Settings.RememberMovieSettings = true;
  OpenActive("clip.avi", true);
  form->Commands().SetRmsChangeScore(10000);
  ASSERT_TRUE(WaitFor([&] { return Program().RmsFile.Synced.Find("clip.avi") >= 0; }, 1500));
  EXPECT_EQ(reports, (std::vector<std::wstring>{L"Error reading from \"" + Utf8ToWide(File) +
                                                L"\"!\r\nIt is kept as \"LcFormTest.rs.bad\"."}));
  EXPECT_EQ(lctest::ReadBytes(File + ".bad"), Damaged);
  const std::string Written = lctest::ReadBytes(File);
  EXPECT_NE(Written.find("[old.avi]\r\nLastAccessed=30/12/1899\r\nPanScan=7\r\n"), std::string::npos);
  EXPECT_NE(Written.find("[clip.avi]\r\n"), std::string::npos);
}

TEST_F(PulseTest, WithoutAMovieSeeksDoNothing) {
  Program().Settings.OSDDisplay = true;
  form->SeekToPosition(1500);
  form->RunCommand(Cmd::BtnForwardClick);
  form->RunCommand(Cmd::btnGoToEndClick);
  form->RunCommand(Cmd::QuickTimeInfo);
  EXPECT_EQ(Player().OsdText, "");
  EXPECT_FALSE(lc::MovieActive());
  EXPECT_FALSE(Program().BusyFlag);
  // A running command keeps the others out.
  OpenActive("clip.avi", false);
  Program().BusyFlag = true;
  form->RunCommand(Cmd::FastForwardClick);
  EXPECT_NEAR(PositionMs(), 0, 40);
  Program().BusyFlag = false;
}

TEST_F(PulseTest, VolumeStepsAndMute) {
  Program().Settings.OSDDisplay = true;
  EXPECT_EQ(form->VolumeBar->Position(), 10) << "the setting's volume at start";
  form->RunCommand(Cmd::BtnVolUpClick);
  EXPECT_EQ(video->FilterGraph.Volume(), 5500);
  EXPECT_EQ(form->Commands().RmsChangeScore(), 0) << "no movie: no score";
  OpenActive("clip.avi", false);
  form->VolumeBar->SetPosition(20);
  form->Commands().SetRmsChangeScore(0);
  form->RunCommand(Cmd::BtnVolUpClick);
  EXPECT_EQ(form->VolumeBar->Position(), 20);
  EXPECT_EQ(form->Commands().RmsChangeScore(), 5000);
  form->RunCommand(Cmd::MuteFlipClick);
  EXPECT_FALSE(form->MuteFlip->State());
  EXPECT_EQ(video->FilterGraph.Volume(), 0);
  EXPECT_EQ(Player().OsdText, "Mute on");
  form->RunCommand(Cmd::MuteFlipClick);
  EXPECT_EQ(video->FilterGraph.Volume(), 10000);
  EXPECT_EQ(Player().OsdText, "Mute off");
}

TEST_F(PulseTest, TheTimeLabelAndTheRepeatLabelToggle) {
  form->RunCommand(Cmd::MovieTimesLabelClick);
  EXPECT_EQ(TimeLabel(), "     0 -      0 -      0");
  EXPECT_EQ(form->MovieTimesLabel->Hint(), L"Click for times");
  EXPECT_TRUE(form->Commands().ShowFrames());
  form->RunCommand(Cmd::MovieTimesLabelClick);
  EXPECT_EQ(TimeLabel(), "00:00:00 - 00:00:00 - 00:00:00");
  EXPECT_EQ(form->MovieTimesLabel->Hint(), L"Click for frames");
  OpenActive("clip.avi", false);
  form->RunCommand(Cmd::MovieTimesLabelClick);
  EXPECT_EQ(TimeLabel(), "    75 -      0 -     75");
  form->RunCommand(Cmd::MovieTimesLabelClick);
  EXPECT_EQ(TimeLabel(), "00:00:03 - 00:00:00 - 00:00:03");
  std::vector<std::string> Repeat;
  for (int I = 0; I < 3; ++I) {
    form->RunCommand(Cmd::RepeatLabelClick);
    Repeat.push_back(WideToUtf8(form->RepeatLabel->Caption()));
  }
  EXPECT_EQ(Repeat, (std::vector<std::string>{"Repeat one", "Repeat all", "Repeat off"}));
  EXPECT_EQ(Program().Settings.RepeatMode, 0);
}

TEST_F(PulseTest, FramesModeShowsTheFrameNumbers) {
  OpenActive("clip.avi", false);
  Program().Settings.ShowFrames = true;
  form->SeekToPosition(1240);
  ASSERT_TRUE(WaitFor([&] { return TimeLabel() != "00:00:00 - 00:00:00 - 00:00:00"; }));
  ASSERT_TRUE(WaitFor([&] { return TimeLabel().substr(0, 9) == "    75 - "; }));
  EXPECT_EQ(TimeLabel(), "    75 -     31 -     44");
}

// Stopped by the user or by the end of the movie (the file kept open), the
// label shows the movie's frames, none played, and its frames again.
TEST_F(PulseTest, FramesModeAfterAStopShowsTheWholeMovie) {
  Program().Settings.ShowFrames = true;
  Program().Settings.CloseFileWhenFinished = false;
  OpenActive("clip.avi", true);
  ASSERT_TRUE(WaitFor([&] { return PositionMs() > 400; }));
  form->RunCommand(Cmd::BtnStopClick);
  EXPECT_EQ(TimeLabel(), "    75 -      0 -     75");
  OpenActive("clip.avi", true);
  form->SeekToPosition(2700);
  ASSERT_TRUE(WaitFor([&] { return !video->GraphActive(); }));
  EXPECT_EQ(TimeLabel(), "    75 -      0 -     75");
}

TEST_F(PulseTest, BookmarksAddJumpAndClear) {
  Program().Settings.OSDDisplay = true;
  OpenActive("clip.avi", false);
  form->SeekToPosition(1200);
  form->Commands().SetRmsChangeScore(0);
  form->RunCommand(Cmd::AddBookmarkMenuClick);
  ASSERT_EQ(form->BookmarkItems.size(), 2u);
  EXPECT_EQ(form->BookmarkItems[0]->Name, L"s0");
  EXPECT_TRUE(form->BookmarkItems[0]->IsLine());
  EXPECT_EQ(form->BookmarkItems[1]->Caption, L"00:00:01\t\t\tAlt+&1");
  EXPECT_EQ(form->BookmarkItems[1]->Name, L"s1");
  EXPECT_EQ(form->BookmarkItems[1]->ImageIndex, 30);
  EXPECT_EQ(Player().OsdText, "Bookmark added (1)");
  EXPECT_EQ(form->Commands().RmsChangeScore(), 10000);
  // The same second again: no second bookmark.
  form->SeekToPosition(1700);
  form->RunCommand(Cmd::AddBookmarkMenuClick);
  EXPECT_EQ(form->BookmarkItems.size(), 2u);
  form->SeekToPosition(2500);
  form->RunCommand(Cmd::AddBookmarkMenuClick);
  ASSERT_EQ(form->BookmarkItems.size(), 3u);
  EXPECT_EQ(form->BookmarkItems[2]->Caption, L"00:00:02\t\t\tAlt+&2");
  // Jumping while paused stays paused at the bookmark's second.
  form->RunCommand(Cmd::Bookmark, 1);
  EXPECT_NEAR(PositionMs(), 1000, 40);
  EXPECT_EQ(Player().OsdText, "Bookmark 1");
  EXPECT_EQ(GraphState(), State_Paused);
  EXPECT_EQ(form->BookmarkCaptions(),
            (std::vector<std::string>{"00:00:01\t\t\tAlt+&1", "00:00:02\t\t\tAlt+&2"}));
  form->Commands().SetRmsChangeScore(0);
  form->RunCommand(Cmd::ClearBookmarksMenuClick);
  EXPECT_TRUE(form->BookmarkItems.empty());
  EXPECT_EQ(form->MenuItem(L"BookmarksMenu")->Count(), 2);
  EXPECT_EQ(Player().OsdText, "Bookmarks erased");
  EXPECT_EQ(form->Commands().RmsChangeScore(), 5000);
}

TEST_F(PulseTest, RememberedBookmarksKeepTheirHoursAndStopAtNine) {
  OpenActive("clip.avi", false);
  form->SetBookmarks({"25:01:01", "", "bad", "00:00:02", "00:00:03", "00:00:04", "00:00:05", "00:00:06",
                      "00:00:07", "00:00:08", "00:00:09", "00:00:10"});
  ASSERT_EQ(form->BookmarkItems.size(), 10u);
  EXPECT_EQ(form->BookmarkItems[1]->Caption, L"25:01:01\t\t\tAlt+&1");
  EXPECT_EQ(form->BookmarkItems[9]->Caption, L"00:00:09\t\t\tAlt+&9");
  Player().OsdText.clear();
  form->RunCommand(Cmd::AddBookmarkMenuClick);
  EXPECT_EQ(form->BookmarkItems.size(), 10u);
  EXPECT_EQ(Player().OsdText, "");
}

TEST_F(PulseTest, RecentFilesOpenAsTheWholeListAndClear) {
  auto& Recent = Program().Settings.RecentFiles;
  Recent = {Media("clip.avi"), Media("missing.avi"), "", "", ""};
  form->PopupMenuMainPopup();
  EXPECT_TRUE(form->MenuItem(L"N11")->Visible);
  EXPECT_EQ(WideToUtf8(form->MenuItem(L"N11")->Caption), Media("clip.avi"));
  EXPECT_FALSE(form->MenuItem(L"N31")->Visible);
  AddToList({"tone.wav", "clip.mp4"});
  // A file that has gone is ignored silently.
  form->RunCommand(Cmd::RecentClick, 2);
  EXPECT_TRUE(Opened().empty());
  EXPECT_EQ(form->Playlist().Count(), 2);
  form->RunCommand(Cmd::RecentClick, 1);
  EXPECT_EQ(Opened(), std::vector<std::string>{"clip.avi"});
  EXPECT_EQ(form->Playlist().Lines(), std::vector<std::string>{"1. clip.avi"});
  EXPECT_EQ(form->Playlist().Entries().PlaylistIndex, 0);
  EXPECT_EQ(form->Playlist().Entries().ShuffleHistory, std::vector<std::string>{Media("clip.avi")});
  EXPECT_TRUE(lc::Playback().PreviousMovieSettings.Valid);
  EXPECT_TRUE(video->GraphActive());
  form->RunCommand(Cmd::ClearHistoryMenuClick);
  for (int I = 1; I <= 5; ++I) {
    const TMenuItem* Item = form->MenuItem(L"N" + std::to_wstring(I) + L"1");
    EXPECT_EQ(Item->Caption, std::to_wstring(I));
    EXPECT_FALSE(Item->Visible);
  }
  EXPECT_FALSE(form->MenuItem(L"ClearHistoryMenu")->Visible);
  EXPECT_EQ(Recent[0], "");
}

TEST_F(PulseTest, ResetTimerKeepsTheSystemAwakeOnlyWhileItRuns) {
  form->ResetTimer.SetEnabled(true);
  form->ResetTimerTimer();
  EXPECT_TRUE(form->KeepsAwake());
  // The platform holds the display and the system.
  const EXECUTION_STATE Held = SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
  EXPECT_EQ(Held & (ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED), static_cast<EXECUTION_STATE>(ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED));
  // Pause or stop stops the timer: the next tick lets go.
  form->ResetTimer.SetEnabled(false);
  form->GeneralTimerTimer();
  EXPECT_FALSE(form->KeepsAwake());
  const EXECUTION_STATE Released = SetThreadExecutionState(ES_CONTINUOUS);
  EXPECT_EQ(Released & (ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED), 0u);
}

TEST_F(PulseTest, TheWheelOverTheMainWindowStepsTheVolume) {
  Program().Settings.OSDDisplay = true;
  video->Hide();
  SendMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(form->VolumeBar->Position(), 11);
  EXPECT_EQ(Player().OsdText, "Volume: 55%");
  SendMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  SendMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(form->VolumeBar->Position(), 9);
  EXPECT_EQ(Player().OsdText, "Volume: 45%");
}

TEST_F(PulseTest, TheClockKeyShowsAndHidesTheOsdClock) {
  Program().Settings.OSDDisplay = true;
  form->RunCommand(Cmd::ToggleClock);
  form->GeneralTimerTimer();
  const std::string Clock = Player().OsdClockText;
  ASSERT_EQ(Clock.size(), 5u);
  EXPECT_EQ(Clock[2], ':');
  form->RunCommand(Cmd::ToggleClock);
  EXPECT_EQ(Player().OsdClockText, "");
  form->GeneralTimerTimer();
  EXPECT_EQ(Player().OsdClockText, "");
}

TEST_F(PulseTest, LongNamesScrollInTurns) {
  ASSERT_FALSE(form->ScrollTimer.Enabled());
  const std::wstring Long(60, L'W');
  form->MovieLabel->SetCaption(Long);
  EXPECT_TRUE(form->ScrollTimer.Enabled());
  form->SubtitleLabel->SetCaption(Long + L"x");
  form->ScrollTimerTimer();
  form->ScrollTimerTimer();
  EXPECT_EQ(form->MovieLabel->ScrollOffset(), 10);
  EXPECT_EQ(form->SubtitleLabel->ScrollOffset(), -1);
  form->MovieLabel->SetCaption(L"Short");
  form->SubtitleLabel->SetCaption(L"Short too");
  EXPECT_FALSE(form->ScrollTimer.Enabled());
}

}  // namespace
