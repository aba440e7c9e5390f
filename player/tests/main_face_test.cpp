// The main window's face under Wine: the widgets at their places with their
// start states, a click on each running its command, the play button's own
// step, the mute toggle and the face drawn on the back buffer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/tests/input.h"
#include "kit/skin_image.h"
#include "player/tests/main_form_fixture.h"
#include "settings/file_io.h"

namespace {

using lc::Cmd;
using lc::Program;

class MainFace : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    form->SetBounds(100, 100, 460, 150);
    form->Show();
    Application.ProcessMessages();
  }
  void TearDown() override {
    form->Hide();
    MainWindowTest::TearDown();
  }
};

struct Place {
  const char* Name;
  TWidget* Widget;
  TRect Rect;
};

TEST_F(MainFace, ButtonsSitAtTheirPlacesWithTheirStartStates) {
  TfrmMain& F = *form;
  const std::vector<Place> Places = {
      {"BtnOpenMovie", F.BtnOpenMovie.get(), {27, 26, 39, 38}},
      {"BtnRewind", F.BtnRewind.get(), {26, 113, 42, 125}},
      {"BtnPlay", F.BtnPlay.get(), {47, 66, 67, 86}},
      {"BtnForward", F.BtnForward.get(), {83, 113, 99, 125}},
      {"BtnPause", F.BtnPause.get(), {102, 66, 122, 86}},
      {"BtnStop", F.BtnStop.get(), {126, 66, 146, 86}},
      {"BtnOpenSubtitle", F.BtnOpenSubtitle.get(), {84, 26, 96, 38}},
      {"BtnPrevious", F.BtnPrevious.get(), {348, 113, 360, 125}},
      {"BtnNext", F.BtnNext.get(), {372, 113, 384, 125}},
      {"BtnPlayList", F.BtnPlayList.get(), {151, 26, 163, 38}},
      {"BtnOptions", F.BtnOptions.get(), {151, 113, 163, 125}},
      {"BtnMinimize", F.BtnMinimize.get(), {434, 5, 443, 14}},
      {"BtnClose", F.BtnClose.get(), {446, 5, 455, 14}},
      {"BtnVolUp", F.BtnVolUp.get(), {422, 28, 431, 37}},
      {"BtnVolDown", F.BtnVolDown.get(), {422, 95, 431, 104}},
      {"BtnInfo", F.BtnInfo.get(), {377, 25, 389, 37}},
      {"MuteFlip", F.MuteFlip.get(), {413, 110, 428, 123}},
      {"VolumeBar", F.VolumeBar.get(), {412, 26, 417, 104}},
      {"ProgressBar", F.ProgressBar.get(), {25, 135, 432, 144}},
  };
  for (const Place& P : Places) {
    const TRect& R = P.Widget->Rect();
    EXPECT_EQ((std::vector<int>{R.Left, R.Top, R.Right, R.Bottom}),
              (std::vector<int>{P.Rect.Left, P.Rect.Top, P.Rect.Right, P.Rect.Bottom}))
        << P.Name;
  }
  EXPECT_EQ(F.BtnInfo->Hint(), L"Movie info");
  EXPECT_EQ(F.BtnPrevious->Hint(), L"Previous");
  EXPECT_EQ(F.MuteFlip->Hint(), L"Mute");
  for (TVirtualButton* Off : {F.BtnRewind.get(), F.BtnForward.get(), F.BtnPause.get(), F.BtnStop.get()})
    EXPECT_FALSE(Off->Enabled()) << "disabled at start";
  for (TVirtualButton* On : {F.BtnOpenMovie.get(), F.BtnPlay.get(), F.BtnNext.get(), F.BtnClose.get()})
    EXPECT_TRUE(On->Enabled());
  EXPECT_TRUE(F.MuteFlip->State()) << "sound on";
  EXPECT_FALSE(F.ProgressBar->Enabled());
}

TEST_F(MainFace, LabelsShowTheirStartCaptions) {
  TfrmMain& F = *form;
  EXPECT_EQ(F.MovieLabel->Caption(), L"No movie");
  EXPECT_EQ(F.SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(F.MovieTimesLabel->Caption(), L"00:00:00 - 00:00:00 - 00:00:00");
  EXPECT_EQ(F.RepeatLabel->Caption(), L"Repeat off");
  EXPECT_EQ(F.MovieLabel->Rect().Left, 176);
  EXPECT_EQ(F.MovieLabel->Rect().Top, 57);
  EXPECT_EQ(F.SubtitleLabel->Rect().Top, 75);
  EXPECT_EQ(F.MovieTimesLabel->Rect().Left, 184);
  EXPECT_EQ(F.MovieTimesLabel->Rect().Top, 96);
  EXPECT_EQ(F.RepeatLabel->Rect().Top, 40);
  EXPECT_EQ(F.MovieLabel->Hint(), L"Double click to open movie(s)");
  EXPECT_EQ(F.MovieTimesLabel->Hint(), L"Click for frames");
  // The caption is written on the back buffer: the face under the movie
  // label is no longer the bare skin.
  TBitmap* Back = F.Host().BackBuffer();
  ASSERT_NE(Back, nullptr);
  TBitmap Bare;
  LoadSkinImage(L"MainImage", Bare);
  int Differing = 0;
  const TRect& R = F.MovieLabel->Rect();
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X)
      Differing += Back->Canvas().Pixel(X, Y) != Bare.Canvas().Pixel(X, Y);
  EXPECT_GT(Differing, 10);
}

TEST_F(MainFace, AClickOnEachWidgetRunsItsCommand) {
  TfrmMain& F = *form;
  for (TVirtualButton* B : {F.BtnRewind.get(), F.BtnForward.get(), F.BtnPause.get(), F.BtnStop.get()})
    B->SetEnabled(true);
  struct Case {
    TWidget* Widget;
    Cmd Command;
  };
  const std::vector<Case> Cases = {
      {F.BtnOpenMovie.get(), Cmd::BtnOpenMovieClick},  {F.BtnRewind.get(), Cmd::BtnRewindClick},
      {F.BtnPlay.get(), Cmd::BtnPlayClick},            {F.BtnForward.get(), Cmd::BtnForwardClick},
      {F.BtnPause.get(), Cmd::BtnPauseClick},          {F.BtnStop.get(), Cmd::BtnStopClick},
      {F.BtnPrevious.get(), Cmd::BtnPreviousClick},
      {F.BtnNext.get(), Cmd::BtnNextClick},            {F.BtnVolUp.get(), Cmd::BtnVolUpClick},
      {F.BtnVolDown.get(), Cmd::BtnVolDownClick},      {F.MovieTimesLabel.get(), Cmd::MovieTimesLabelClick},
      {F.RepeatLabel.get(), Cmd::RepeatLabelClick},
  };
  for (const Case& C : Cases) {
    rooms.Calls.clear();
    const TRect& R = C.Widget->Rect();
    Click((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{C.Command}) << "widget at " << R.Left << "," << R.Top;
  }
}

TEST_F(MainFace, DisabledButtonsAndBusyStepsRunNothing) {
  // A disabled button takes no press (the window would be dragged) and
  // reports no click.
  for (TPoint P : {TPoint{112, 76}, TPoint{134, 76}, TPoint{34, 119}}) {
    EXPECT_EQ(form->Host().MouseDown(P.X, P.Y), nullptr);
    EXPECT_EQ(form->Host().MouseUp(P.X, P.Y), nullptr);
  }
  EXPECT_TRUE(rooms.Calls.empty());
  Program().BusyFlag = true;
  Click(354, 119);  // BtnPrevious
  Click(378, 119);  // BtnNext
  EXPECT_TRUE(rooms.Calls.empty());
  Click(57, 76);  // Play is no busy step of the face
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::BtnPlayClick});
}

TEST_F(MainFace, PlayTakesTheSelectedEntryWhenNoMovieIsCurrent) {
  lc::playlist::PlaylistEntries& E = form->Playlist().Entries();
  E.PlaylistMovies = {"C:\\a.avi", "C:\\b.avi"};
  E.PlaylistSubtitles = {"No subtitle", "No subtitle"};
  E.ShufflePool = {"C:\\b.avi", "C:\\a.avi", "C:\\b.avi"};
  form->Playlist().RebuildLines();
  E.PlaylistIndex = 1;
  Program().Settings.Shuffle = true;
  Click(57, 76);
  EXPECT_EQ(form->CurrentMovieFile, "C:\\b.avi");
  // Only the first occurrence leaves the pool: the later paths move up.
  EXPECT_EQ(E.ShufflePool, (std::vector<std::string>{"C:\\a.avi", "C:\\b.avi"}));
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::BtnPlayClick});

  // A current movie stays; an index past the list's lines takes nothing.
  E.PlaylistIndex = 0;
  Click(57, 76);
  EXPECT_EQ(form->CurrentMovieFile, "C:\\b.avi");
  form->CurrentMovieFile.clear();
  E.PlaylistIndex = 2;
  Click(57, 76);
  EXPECT_EQ(form->CurrentMovieFile, "");
  Program().Settings.Shuffle = false;
}

TEST_F(MainFace, TheMuteToggleSetsTheGraphVolumeFromTheBar) {
  form->VolumeBar->SetPosition(12);
  rooms.Volumes.clear();
  Click(420, 116);
  EXPECT_FALSE(form->MuteFlip->State());
  Click(420, 116);
  EXPECT_TRUE(form->MuteFlip->State());
  EXPECT_EQ(rooms.Volumes, (std::vector<int>{0, 6000}));
}

TEST_F(MainFace, DoubleClicksOnTheNameLabelsOpen) {
  const TRect& M = form->MovieLabel->Rect();
  SendMessageW(form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(M.Left + 2, M.Top + 2));
  const TRect& S = form->SubtitleLabel->Rect();
  SendMessageW(form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(S.Left + 2, S.Top + 2));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(S.Left + 2, S.Top + 2));
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::BtnOpenMovieClick}));
  // The subtitle's open dialog is the main window's own (with a movie open).
  int Opened = 0;
  form->RunOpenSubtitleDialog = [&] { return ++Opened, false; };
  rooms.Active = true;
  SendMessageW(form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(S.Left + 2, S.Top + 2));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(S.Left + 2, S.Top + 2));
  const TRect& B = form->BtnOpenSubtitle->Rect();
  Click((B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
  EXPECT_EQ(Opened, 2);
}

// Two quick clicks of the mouse as a user's hand makes them, at the face
// point (X, Y); true when the window had them as a double click.
bool DoubleClickWithTheMouse(TfrmMain& Form, int X, int Y) {
  int Seen = 0;
  Form.OnDblClick = [&](TComponent*, TShiftState, int, int) { ++Seen; };
  const TPoint At = Form.ClientToScreen({X, Y});
  lctest::MouseToScreen(At.X, At.Y);
  lctest::DoubleClickHere();
  lctest::SettleUntil([&] { return Seen != 0; });
  Form.OnDblClick = nullptr;
  return Seen == 1;
}

// The main window's double clicks are its own: on the movie-name label a
// double click of the mouse opens movies, once; on a button it clicks
// once, its second press pressing nothing.
TEST_F(MainFace, TheMouseDoubleClickingTheFaceOpensFromTheLabelAndClicksAButtonOnce) {
  form->BringToFront();
  const TRect& M = form->MovieLabel->Rect();
  ASSERT_TRUE(DoubleClickWithTheMouse(*form, M.Left + 4, (M.Top + M.Bottom) / 2));
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::BtnOpenMovieClick});
  rooms.Calls.clear();
  const TRect& B = form->BtnVolUp->Rect();
  ASSERT_TRUE(DoubleClickWithTheMouse(*form, (B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2));
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::BtnVolUpClick});
  EXPECT_FALSE(form->BtnVolUp->Pressed());
}

TEST_F(MainFace, PlaylistButtonShowsAndClosesThePlaylistWindow) {
  TForm List(L"TLcTestPlaylist");
  List.SetBounds(600, 100, 200, 100);
  form->Satellites.PlayList = &List;
  Click(157, 32);
  EXPECT_TRUE(List.Showing());
  Click(157, 32);
  EXPECT_FALSE(List.Showing());
  form->Satellites.PlayList = nullptr;
}

TEST_F(MainFace, MinimiseAndCloseButtons) {
  Click(438, 9);
  EXPECT_TRUE(Application.IsIconic());
  Application.Restore();
  Click(450, 9);
  // Closing saved the settings.
  EXPECT_TRUE(lc::settings::FileExists(folder.File("LcFormTest.ini")));
}

}  // namespace
