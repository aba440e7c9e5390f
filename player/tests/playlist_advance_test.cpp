// The pulse moving the playlist on under Wine with the real opening: at the
// end of a movie the next entry plays, a file that does not open is
// skipped, repeat all wraps at the end of the list and repeat one plays the
// movie again, and a shuffled list whose every file fails stops and says so
// instead of going round for ever.
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "player/movie_position.h"
#include "player/playback_state.h"
#include "player/tests/playback_fixture.h"
#include "tools/shutdown.h"

namespace {

using lc::Cmd;
using lc::Program;
using lc::testing::Media;
using Names = std::vector<std::string>;

class PlaylistAdvance : public lc::testing::PlaybackFixture {
 protected:
  void List(const std::vector<std::string>& Paths) {
    for (const std::string& Path : Paths) form->Playlist().AddMovie(Path);
    ASSERT_EQ(form->Playlist().Count(), static_cast<int>(Paths.size()));
  }
  // Plays entry Index as the user would.
  void PlayEntry(int Index) {
    form->Playlist().SetItemIndex(Index);
    form->Playlist().PlayEntry(true);
  }
  // Lets the playing movie run into its end from 0.3 s before it.
  void NearTheEnd() {
    ASSERT_TRUE(WaitFor([] { return lc::MoviePosition().has_value(); }));
    form->SeekToPosition(form->ProgressBar->Max() - 300);
  }
  int Current() const { return form->Playlist().Entries().PlaylistIndex; }
  void Ticks(int Count) {
    for (int I = 0; I < Count; ++I) form->GeneralTimerTimer();
  }
  // A file that is no movie, in the scratch folder.
  std::string Garbage(const std::string& Name) {
    const std::string Path = folder.File(Name);
    std::ofstream(Utf8ToWide(Path).c_str()) << "this is no movie at all";
    return Path;
  }
};

TEST_F(PlaylistAdvance, ABrokenEntryIsSkippedAndRepeatAllWraps) {
  List({Media("clip.avi"), Media("corrupt.avi"), Media("clip.mp4")});
  for (int Repeat : {0, 2}) {
    SCOPED_TRACE(Repeat);
    Program().Settings.RepeatMode = Repeat;
    log->Opened.clear();
    PlayEntry(0);
    ASSERT_TRUE(video->GraphActive());
    NearTheEnd();
    ASSERT_TRUE(WaitFor([&] { return log->Opened.size() == 3 && video->GraphActive(); }));
    EXPECT_EQ(Opened(), (Names{"clip.avi", "corrupt.avi", "clip.mp4"}));
    EXPECT_EQ(Current(), 2);
    EXPECT_TRUE(reports.empty()) << "the failure of an advance is silent";
    // At the end of the list only repeat all starts again.
    NearTheEnd();
    if (Repeat == 2) {
      ASSERT_TRUE(WaitFor([&] { return log->Opened.size() == 4 && video->GraphActive(); }));
      EXPECT_EQ(Opened().back(), "clip.avi");
      EXPECT_EQ(Current(), 0);
    } else {
      ASSERT_TRUE(WaitFor([&] { return !video->GraphActive(); }));
      WaitFor([] { return false; }, 25);
      EXPECT_EQ(Opened().size(), 3u);
    }
    form->RunCommand(Cmd::StopIfEnabled);
  }
}

TEST_F(PlaylistAdvance, RepeatOnePlaysTheMovieAgain) {
  Program().Settings.RepeatMode = 1;
  List({Media("clip.avi"), Media("clip.mp4")});
  PlayEntry(0);
  NearTheEnd();
  // Back at the start of the same movie.
  ASSERT_TRUE(WaitFor([] {
    const auto Position = lc::MoviePosition();
    return Position && *Position < 10000000;
  }));
  EXPECT_EQ(Opened(), Names{"clip.avi"});
  EXPECT_EQ(Current(), 0);
  EXPECT_TRUE(video->GraphActive());
}

// A stop that comes between the end of a movie and the pulse's next tick
// takes that end with it: Play opens the movie again, and it plays on
// instead of ending at once and moving the list on.
TEST_F(PlaylistAdvance, AnEndThatAStopOvertookDoesNotEndTheMoviePlayedNext) {
  List({Media("clip.avi"), Media("clip.mp4")});
  PlayEntry(0);
  ASSERT_TRUE(video->GraphActive());
  // The pulse waits while the end arrives and the stop comes.
  form->GeneralTimer.SetEnabled(false);
  NearTheEnd();
  ASSERT_TRUE(WaitFor([] { return lc::Playback().PlaybackFinished; }));
  form->RunCommand(Cmd::StopIfEnabled);
  form->GeneralTimer.SetEnabled(true);
  ASSERT_FALSE(video->GraphActive());
  form->RunCommand(Cmd::BtnPlayClick);
  ASSERT_TRUE(video->GraphActive());
  WaitFor([] { return false; }, 25);
  EXPECT_TRUE(video->GraphActive());
  EXPECT_EQ(form->CurrentMovieFile, Media("clip.avi"));
  EXPECT_EQ(Opened(), Names{"clip.avi"}) << "the list did not move on";
  EXPECT_EQ(Current(), 0);
}

TEST_F(PlaylistAdvance, AFailureAtTheLastEntryDoesNotWrap) {
  form->GeneralTimer.SetEnabled(false);
  Program().Settings.RepeatMode = 2;
  List({Media("clip.avi"), Media("corrupt.avi")});
  form->Playlist().Entries().PlaylistIndex = 1;
  lc::Playback().RenderFailed = true;
  Ticks(3);
  EXPECT_TRUE(Opened().empty());
  EXPECT_FALSE(lc::Playback().RenderFailed);
}

TEST_F(PlaylistAdvance, ShuffledListOfBrokenFilesStopsAndSaysSo) {
  form->GeneralTimer.SetEnabled(false);
  Program().Settings.RepeatMode = 2;
  List({Garbage("one.avi"), Garbage("two.avi"), Garbage("three.avi")});
  form->Playlist().SetShuffle(true);
  form->Playlist().Entries().PlaylistIndex = 0;
  lc::Playback().RenderFailed = true;
  Ticks(20);
  EXPECT_LE(Opened().size(), 3u);
  EXPECT_GE(Opened().size(), 2u);
  EXPECT_EQ(reports, std::vector<std::wstring>{L"No movie found!"});
  EXPECT_FALSE(lc::Playback().RenderFailed);
  EXPECT_FALSE(video->GraphActive());
  // A later failure starts the count afresh.
  const std::size_t Before = Opened().size();
  lc::Playback().RenderFailed = true;
  Ticks(1);
  EXPECT_EQ(Opened().size(), Before + 1);
}

// Closes the shutdown countdown as soon as it is up, and counts it.
int CountdownsSeen = 0;
void CALLBACK CancelCountdown(HWND, UINT, UINT_PTR, DWORD) {
  if (!frmShutDown || !frmShutDown->Visible()) return;
  ++CountdownsSeen;
  PostMessageW(frmShutDown->Handle(), WM_CHAR, 27, 0);
}

// Every entry failed: the advance stops there, which is the list's end for
// the shutdown after play.
TEST_F(PlaylistAdvance, AShuffledListOfBrokenFilesStillStartsTheShutdownCountdown) {
  form->GeneralTimer.SetEnabled(false);
  Program().Settings.RepeatMode = 2;
  List({Garbage("one.avi"), Garbage("two.avi")});
  form->Playlist().SetShuffle(true);
  form->Playlist().Entries().PlaylistIndex = 0;
  form->TurnOffComputerAfterPlay = true;
  ShutdownFailed = false;
  CountdownsSeen = 0;
  const UINT_PTR Timer = SetTimer(nullptr, 0, 50, CancelCountdown);
  lc::Playback().RenderFailed = true;
  for (int I = 0; I < 20 && reports.empty(); ++I) Ticks(1);
  KillTimer(nullptr, Timer);
  form->TurnOffComputerAfterPlay = false;
  EXPECT_EQ(reports, std::vector<std::wstring>{L"No movie found!"});
  EXPECT_EQ(CountdownsSeen, 1);
  EXPECT_EQ(nullptr, frmShutDown);
}

// An opening the pulse started that fails otherwise than by its render.
class FailingOpening : public lc::TRoomChain {
 public:
  using TRoomChain::TRoomChain;
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override {
    TRoomChain::OpenMovie(PlayAfterOpen, AddNextParts);
    throw std::runtime_error("the opening failed");
  }
};

TEST_F(PlaylistAdvance, AnOpeningThePulseStartedThatFailsLeavesTheNoMoviePlayer) {
  form->GeneralTimer.SetEnabled(false);
  List({Media("clip.avi"), Media("clip.mp4")});
  form->Playlist().Entries().PlaylistIndex = 0;
  FailingOpening Failing(form->Commands());
  form->SetCommands(&Failing);
  lc::Playback().RenderFailed = true;
  Ticks(1);
  form->SetCommands(log.get());
  EXPECT_EQ(Opened(), Names{"clip.mp4"});
  EXPECT_FALSE(Program().OpeningMovie) << "commands are taken again";
  EXPECT_FALSE(video->GraphActive());
  EXPECT_EQ(form->MovieLabel->Caption(), L"No movie");
  EXPECT_TRUE(reports.empty()) << "as a failed advance, silently";
  EXPECT_TRUE(lc::Playback().RenderFailed) << "the next tick tries the next entry";
}

TEST_F(PlaylistAdvance, NextAndPreviousStepThroughTheList) {
  List({Media("clip.avi"), Media("movie_h264.mp4"), Media("clip.mp4")});
  PlayEntry(1);
  form->RunCommand(Cmd::BtnNextClick);
  EXPECT_EQ(Opened(), (Names{"movie_h264.mp4", "clip.mp4"}));
  // At the last entry without repeat all nothing happens.
  form->RunCommand(Cmd::BtnNextClick);
  EXPECT_EQ(Opened().size(), 2u);
  Program().Settings.RepeatMode = 2;
  form->RunCommand(Cmd::BtnNextClick);
  EXPECT_EQ(Opened().back(), "clip.avi");
  form->RunCommand(Cmd::BtnPreviousClick);
  EXPECT_EQ(Opened().back(), "clip.mp4");
  form->RunCommand(Cmd::BtnPreviousClick);
  EXPECT_EQ(Opened().back(), "movie_h264.mp4");
  EXPECT_EQ(Current(), 1);
  EXPECT_TRUE(video->GraphActive());
  // An opening under way keeps them out.
  Program().OpeningMovie = true;
  form->RunCommand(Cmd::BtnNextClick);
  EXPECT_EQ(Opened().size(), 5u);
  Program().OpeningMovie = false;
}

}  // namespace
