// The key map on the main window under Wine: the guards of the keys the main
// window does itself (busy flag, shown-down buttons, the graph, the movie
// label), the OSD texts, F10, the satellite windows, the dialog openers and
// the media keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/tests/main_form_fixture.h"

namespace {

using lc::Cmd;
using lc::Program;

class MainKeys : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    form->SetBounds(100, 100, 460, 150);
  }
  void ShowDown(TVirtualButton& B) {
    B.SetEnabled(true);
    B.AllowDown = true;
    B.SetDown(true);
  }
  LRESULT AppCommand(LPARAM LParam) { return form->Perform(WM_APPCOMMAND, 0, LParam); }
};

TEST_F(MainKeys, KeysReachTheirRoomsAndTheBusyFlagStopsTheGuardedOnes) {
  Key('B');
  Key('M');
  Key(VK_LEFT, ssCtrl);
  Key('1', ssAlt);
  EXPECT_EQ(rooms.Calls, (std::vector<lc::testing::RecordingCommands::Call>{
                             {Cmd::BtnNextClick, 0}, {Cmd::MovieModeMenuClick, 0}, {Cmd::FastRewindClick, 0},
                             {Cmd::Bookmark, 1}}));
  rooms.Calls.clear();
  Program().BusyFlag = true;
  Key('B');
  Key('1');
  Key('5', ssAlt);
  Key('M');
  Key('0', ssCtrl);
  Key(VK_LEFT);  // the seek tests the flag itself
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::MovieModeMenuClick, Cmd::MovieWindowSize100,
                                                Cmd::BtnRewindClick}));
}

TEST_F(MainKeys, CombinedModifiersDoNothing) {
  Key(VK_LEFT, ssCtrl | ssShift);
  Key('6', ssCtrl);
  Key('B', ssLeft);
  Key(VK_UP, ssShift | ssCtrl);
  EXPECT_TRUE(rooms.Calls.empty());
  EXPECT_TRUE(rooms.Osd.empty());
}

TEST_F(MainKeys, AWindowMessageKeyGoesThroughTheMap) {
  form->Perform(WM_KEYDOWN, 'Z', 0);
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::BtnPreviousClick});
}

TEST_F(MainKeys, SpacePlaysOrPausesOnlyWithALoadedMovie) {
  Key(VK_SPACE);
  EXPECT_TRUE(rooms.Calls.empty());
  rooms.Active = true;
  Key(VK_SPACE);
  ShowDown(*form->BtnPlay);
  Key(VK_SPACE);
  ShowDown(*form->BtnPause);
  Key(VK_SPACE);
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::BtnPlayClick, Cmd::BtnPauseClick}));
  // Latched down without AllowDown does not count as shown down.
  rooms.Calls.clear();
  form->BtnPlay->AllowDown = false;
  Key(VK_SPACE);
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::BtnPlayClick});
}

TEST_F(MainKeys, XPlaysTheCurrentPlaylistEntry) {
  lc::playlist::PlaylistEntries& E = form->Playlist().Entries();
  E.PlaylistMovies = {"C:\\a.avi", "C:\\b.avi"};
  E.PlaylistSubtitles = {"No subtitle", "No subtitle"};
  E.PlaylistIndex = 1;
  Key('X');
  EXPECT_EQ(form->CurrentMovieFile, "C:\\b.avi");
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::BtnPlayClick});
  // While playing, or busy, X does nothing.
  rooms.Calls.clear();
  ShowDown(*form->BtnPlay);
  Key('X');
  form->BtnPlay->SetDown(false);
  Program().BusyFlag = true;
  Key('X');
  EXPECT_TRUE(rooms.Calls.empty());
}

TEST_F(MainKeys, PauseAndStopKeysFollowTheButtons) {
  Key('V');
  Key('C');
  form->BtnStop->SetEnabled(true);
  Key('V');
  ShowDown(*form->BtnPause);
  Key('C');
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::BtnPauseClick, Cmd::BtnStopClick}));
}

TEST_F(MainKeys, CtrlF4ClosesALoadedMovieOnly) {
  Key(VK_F4, ssCtrl);
  EXPECT_TRUE(rooms.Calls.empty());
  EXPECT_TRUE(rooms.Osd.empty());
  form->MovieLabel->SetCaption(L"film.avi");
  form->SubtitleLabel->SetCaption(L"film.srt");
  form->CurrentMovieFile = "C:\\film.avi";
  Key(VK_F4, ssCtrl);
  EXPECT_EQ(rooms.Commands(), std::vector<Cmd>{Cmd::CloseMovie});
  EXPECT_EQ(rooms.Osd, std::vector<std::wstring>{L"Close movie"});
  EXPECT_EQ(form->MovieLabel->Caption(), L"No movie");
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(form->CurrentMovieFile, "");
  EXPECT_EQ(Application.Title(), L"LcFormTest");
}

TEST_F(MainKeys, OsdTextsOfRepeatFramesAndVolume) {
  Key('R');
  rooms.Frames = true;
  Key(VK_OEM_2);
  rooms.Frames = false;
  Key(VK_OEM_2);
  rooms.Volume = 4550;
  Key(VK_UP);
  rooms.Volume = 0;
  Key(VK_DOWN);
  EXPECT_EQ(rooms.Osd, (std::vector<std::wstring>{L"Repeat off", L"Display frames", L"Display time",
                                                   L"Volume: 45%", L"Volume: 0%"}));
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::RepeatLabelClick, Cmd::MovieTimesLabelClick,
                                                Cmd::MovieTimesLabelClick, Cmd::BtnVolUpClick,
                                                Cmd::BtnVolDownClick}));
}

TEST_F(MainKeys, F10IsSwallowedWhateverTheModifiers) {
  TForm List(L"TLcTestPlaylist");
  List.SetBounds(300, 300, 200, 100);
  form->Satellites.PlayList = &List;
  WORD K = VK_F10;
  form->FormKeyDown(K, ssShift);
  EXPECT_EQ(K, 0);
  EXPECT_FALSE(List.Showing());
  K = VK_F10;
  form->FormKeyDown(K, 0);
  EXPECT_EQ(K, 0);
  EXPECT_TRUE(List.Showing());
  // Focused, the playlist closes on the same key.
  List.SetFocus();
  Key(VK_F10);
  EXPECT_FALSE(List.Showing());
  form->Satellites.PlayList = nullptr;
}

TEST_F(MainKeys, SatelliteWindowsAreShownOrPulledBackIntoTheWorkArea) {
  TForm Eq(L"TLcTestEqualizer");
  const TRect Work = Screen.WorkAreaRect();
  Eq.SetBounds(Work.Right + 500, Work.Bottom + 500, 200, 100);
  form->Satellites.Equalizer = &Eq;
  Key('E');
  EXPECT_TRUE(Eq.Showing());
  EXPECT_GT(Eq.Left(), Work.Right);
  Key('G', ssAlt);
  EXPECT_EQ(Eq.Left(), Work.Right - Eq.ClientWidth());
  EXPECT_EQ(Eq.Top(), Work.Bottom - Eq.ClientHeight());
  Eq.SetBounds(Work.Left - 900, Work.Top - 900, 200, 100);
  Key('E');
  EXPECT_EQ(Eq.Left(), Work.Left);
  EXPECT_EQ(Eq.Top(), Work.Top);
  Eq.Hide();
  form->Satellites.Equalizer = nullptr;
}

TEST_F(MainKeys, HomeAndEndWaitWhileThePlaylistHasTheFocus) {
  TForm List(L"TLcTestPlaylist");
  List.SetBounds(300, 300, 200, 100);
  form->Satellites.PlayList = &List;
  List.Show();
  List.SetFocus();
  Key(VK_HOME);
  Key(VK_END);
  EXPECT_TRUE(rooms.Calls.empty());
  List.Hide();
  Key(VK_HOME);
  Key(VK_END);
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::btnGoToStartClick, Cmd::btnGoToEndClick}));
  form->Satellites.PlayList = nullptr;
}

TEST_F(MainKeys, DialogsOpenOnceAndNotWhileOpening) {
  int Made = 0;
  bool SecondDropped = false;
  form->Dialogs.Config.Create = [&]() -> std::unique_ptr<TForm> {
    ++Made;
    auto Dialog = std::make_unique<TForm>(L"TLcTestConfig");
    Dialog->SetBounds(200, 200, 100, 100);
    TForm* Raw = Dialog.get();
    // Inside the modal loop a second request is dropped, then the dialog
    // closes itself.
    Dialog->OnShow = [this, Raw, &Made, &SecondDropped](TComponent*) {
      Key('P', ssCtrl);
      SecondDropped = Made == 1;
      Raw->ModalResult = mrOk;
    };
    return Dialog;
  };
  Key('P', ssCtrl);
  EXPECT_EQ(Made, 1);
  EXPECT_TRUE(SecondDropped);
  EXPECT_EQ(form->Dialogs.Config.Open, nullptr);
  Program().OpeningMovie = true;
  Key('P', ssCtrl);
  EXPECT_EQ(Made, 1);
  Program().OpeningMovie = false;
  Key('P', ssCtrl);
  EXPECT_EQ(Made, 2);
}

TEST_F(MainKeys, TheInformationWindowNeedsAnExistingMovie) {
  int Made = 0;
  form->Dialogs.Info.Create = [&]() -> std::unique_ptr<TForm> {
    ++Made;
    return nullptr;  // it could not read the movie and said so
  };
  Key(VK_F6);
  EXPECT_EQ(Made, 0);
  form->MovieLabel->SetCaption(L"movie.avi");
  form->CurrentMovieFile = folder.File("gone.avi");
  Key(VK_F6);
  EXPECT_EQ(Made, 0);
  form->CurrentMovieFile = folder.File("LcFormTest.ini");
  lc::settings::testing::WriteBytes(folder.File("LcFormTest.ini"), "x");
  Key(VK_F6);
  EXPECT_EQ(Made, 1);
  EXPECT_EQ(form->Dialogs.Info.Open, nullptr);
}

TEST_F(MainKeys, TurnOffAndDynamicAmplificationToggleWithTheirTexts) {
  Program().Settings.DynamicAmplification = false;
  Key('T', ssCtrl);
  EXPECT_TRUE(form->TurnOffComputerAfterPlay);
  Key('T', ssCtrl);
  EXPECT_FALSE(form->TurnOffComputerAfterPlay);
  form->RunCommand(Cmd::DynamicAmplificationMenuClick);
  EXPECT_TRUE(rooms.Amplify);
  form->RunCommand(Cmd::DynamicAmplificationMenuClick);
  EXPECT_FALSE(rooms.Amplify);
  EXPECT_EQ(rooms.Osd, (std::vector<std::wstring>{L"Turn off computer after play: on",
                                                   L"Turn off computer after play: off",
                                                   L"Dynamic amplification on", L"Dynamic amplification off"}));
}

TEST_F(MainKeys, MediaKeysAreAnsweredOnlyWhenRecognised) {
  EXPECT_EQ(AppCommand(MAKELPARAM(0, 11)), 1);  // next track
  EXPECT_EQ(AppCommand(MAKELPARAM(0, 8)), 1);   // mute
  rooms.Volume = 2500;
  EXPECT_EQ(AppCommand(MAKELPARAM(0, 10)), 1);  // volume up, with its OSD
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::BtnNextClick, Cmd::MuteFlipClick, Cmd::BtnVolUpClick}));
  EXPECT_EQ(rooms.Osd, std::vector<std::wstring>{L"Volume: 25%"});
  rooms.Calls.clear();
  // A modifier held, a command from the mouse, or a command the player has
  // no use for is answered all the same and does nothing.
  EXPECT_EQ(AppCommand(MAKELPARAM(MK_CONTROL, 11)), 1);
  EXPECT_EQ(AppCommand(MAKELPARAM(0, 11 | 0x8000)), 1);
  EXPECT_EQ(AppCommand(MAKELPARAM(0, 1)), 1);
  EXPECT_TRUE(rooms.Calls.empty());
}

TEST_F(MainKeys, ToolWindowsPassTheirUnusedKeysThroughTheMap) {
  // Alt+Left shifts the subtitle back by half a second.
  lc::Player().SubtitleLoaded = true;
  lc::Subtitles().Current.Start = {1000};
  lc::Subtitles().Current.End = {2000};
  int K = VK_LEFT;
  form->ToolLink().PassKey(K, ssAlt);
  K = 'B';
  form->ToolLink().PassKey(K, 0);
  K = VK_F10;
  form->ToolLink().PassKey(K, ssCtrl);
  EXPECT_EQ(K, 0);
  form->ToolLink().ShowOSD(L"Preamplification: 5");
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::BtnNextClick}));
  EXPECT_EQ(lc::Subtitles().Current.Start[0], 500);
  EXPECT_EQ(rooms.Osd,
            (std::vector<std::wstring>{L"Subtitle time correction: -0.5 sec", L"Preamplification: 5"}));
  lc::Player().SubtitleLoaded = false;
  lc::Subtitles() = {};
}

TEST_F(MainKeys, ThePlayPauseMediaKey) {
  lc::playlist::PlaylistEntries& E = form->Playlist().Entries();
  E.PlaylistMovies = {"C:\\a.avi"};
  E.PlaylistSubtitles = {"No subtitle"};
  E.PlaylistIndex = 0;
  // Nothing loaded: it acts as X.
  EXPECT_EQ(AppCommand(MAKELPARAM(0, 14)), 1);
  EXPECT_EQ(form->CurrentMovieFile, "C:\\a.avi");
  rooms.Active = true;
  ShowDown(*form->BtnPlay);
  AppCommand(MAKELPARAM(0, 14));
  EXPECT_EQ(rooms.Commands(), (std::vector<Cmd>{Cmd::BtnPlayClick, Cmd::BtnPauseClick}));
}

}  // namespace
