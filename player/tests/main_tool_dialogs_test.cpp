// The tool dialogs against a real movie: the jump dialog seeks the playing
// graph to the typed time, and the aspect-ratio and pan & scan dialogs move
// the picture while they run. The colour window and the profiles editor,
// joined by the start-up's links, keep what the user did to the movie that
// plays.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "player/tests/playback_fixture.h"
#include "settings/rms_table.h"
#include "tools/color/color_control_window.h"
#include "tools/jump_dialog.h"
#include "tools/profiles/profiles_editor.h"
#include "tools/slider_dialogs.h"

namespace {

using lc::Player;
using lc::Program;
using lctest::Pump;

class DialogsOnAMovie : public lc::testing::PlaybackFixture {
 protected:
  void SetUp() override {
    PlaybackFixture::SetUp();
    LastJumpTime = 0;
  }

  void Char(HWND Wnd, wchar_t C) {
    PostMessageW(Wnd, WM_CHAR, C, 0);
    Pump(60);
  }
};

TEST_F(DialogsOnAMovie, JumpSeeksThePlayingMovieToTheTypedTime) {
  OpenActive("demo.mp4", true);
  auto Jump = std::make_unique<TfrmJump>(form->DialogLink());
  Jump->Show();
  Pump(50);
  EXPECT_EQ(L"from  00:00:20", Jump->LFromTime().Caption());
  Jump->ETime().SetText(L"");
  for (wchar_t C : std::wstring(L"00:00:12\r")) Char(Jump->ETime().Handle(), C);
  EXPECT_EQ(12, LastJumpTime);
  // Read back from the graph: just after 12 s, well before the end.
  const LONGLONG At = Position();
  EXPECT_GE(At, 120000000);
  EXPECT_LT(At, 150000000);
}

TEST_F(DialogsOnAMovie, AspectRatioDialogReshapesThePictureLive) {
  OpenActive("bars.mp4", true);
  Pump(200);
  const TRect Before = video->VideoWindow->VideoRect;
  auto Dialog = std::make_unique<TfrmAspectRatio>(form->DialogLink());
  Dialog->Slider().SetPosition(133);
  Dialog->Show();
  Pump(50);
  Char(Dialog->Handle(), L'2');
  EXPECT_DOUBLE_EQ(2.0, Player().AspectRatioValue);
  const TRect After = video->VideoWindow->VideoRect;
  EXPECT_NE(Before, After);
  EXPECT_NEAR(2.0, double(After.Width()) / After.Height(), 0.02);
  // Escape puts the first ratio back on the picture.
  Char(Dialog->Handle(), 27);
  EXPECT_DOUBLE_EQ(1.33, Player().AspectRatioValue);
  EXPECT_NEAR(1.33, double(video->VideoWindow->VideoRect.Width()) / video->VideoWindow->VideoRect.Height(), 0.02);
}

TEST_F(DialogsOnAMovie, PanScanDialogEnlargesTheFullScreenPicture) {
  OpenActive("bars.mp4", true);
  video->SetFullScreen(true);
  Pump(300);
  const TRect Before = video->VideoWindow->VideoRect;
  auto Dialog = std::make_unique<TfrmPanScan>(form->DialogLink());
  Dialog->Slider().SetPosition(Program().Settings.PanScanValue);
  Dialog->Show();
  Pump(50);
  for (int I = 0; I < 10; ++I) {
    PostMessageW(Dialog->Handle(), WM_KEYDOWN, VK_UP, 0);
    Pump(30);
  }
  EXPECT_EQ(10, Program().Settings.PanScanValue);
  EXPECT_GT(video->VideoWindow->VideoRect.Width(), Before.Width());
  Char(Dialog->Handle(), 27);
  EXPECT_EQ(0, Program().Settings.PanScanValue);
  EXPECT_EQ(Before.Width(), video->VideoWindow->VideoRect.Width());
  video->SetNormalScreen();
}

TEST_F(DialogsOnAMovie, JumpAndAspectCentreOnAFullScreenVideoWhereverTheMainWindowIs) {
  OpenActive("bars.mp4", true);
  video->SetFullScreen(true);
  Pump(300);
  // The main window left where it was (it shows on another monitor of a
  // user's desk), not put aside behind the video.
  form->Tag = 0;
  ASSERT_EQ(1920, Screen.Width()) << "the figures are those of the 1920 x 1080 test display";
  ASSERT_EQ(1080, Screen.Height());
  auto Jump = std::make_unique<TfrmJump>(form->DialogLink());
  Jump->Show();
  Pump(50);
  EXPECT_EQ(835, Jump->Left());  // (1920 - 250) / 2
  EXPECT_EQ(474, Jump->Top());   // (1080 - 132) / 2
  Jump.reset();
  auto Aspect = std::make_unique<TfrmAspectRatio>(form->DialogLink());
  Aspect->Slider().SetPosition(133);
  Aspect->Show();
  Pump(50);
  EXPECT_EQ(808, Aspect->Left());  // (1920 - 304) / 2
  EXPECT_EQ(474, Aspect->Top());
  Aspect.reset();
  video->SetNormalScreen();
}

// Typed into the custom aspect dialog once it is up: ratio 2, then close.
void CALLBACK TypeTwoAndClose(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  if (!frmAspectRatio) return;
  PostMessageW(frmAspectRatio->Handle(), WM_CHAR, L'2', 0);
  PostMessageW(frmAspectRatio->Handle(), WM_CHAR, L'a', 0);
}

TEST_F(DialogsOnAMovie, TheCustomRatioTicksItsEntryAndKeepsTheAspect) {
  OpenActive("bars.mp4", true);
  Pump(200);
  form->FreeRatioMenuClick();
  form->MovieModeChecked = true;
  Player().RmsChangeScore = 0;
  const UINT_PTR Timer = SetTimer(nullptr, 0, 300, TypeTwoAndClose);
  form->CustomRatioMenuClick();
  KillTimer(nullptr, Timer);
  EXPECT_EQ(lc::AspectChoice::Custom, form->AspectChecked);
  EXPECT_FALSE(form->MovieModeChecked);
  EXPECT_TRUE(Program().Settings.KeepAspectRatio);
  EXPECT_DOUBLE_EQ(2.0, Player().AspectRatioValue);
  // The aspect turned back on and the new ratio each count 5000.
  EXPECT_EQ(10000, Player().RmsChangeScore);
  EXPECT_NEAR(2.0, double(video->VideoWindow->VideoRect.Width()) / video->VideoWindow->VideoRect.Height(), 0.02);
  // A fixed ratio takes the tick back.
  form->N43RatioMenuClick();
  EXPECT_EQ(lc::AspectChoice::Standard43, form->AspectChecked);
}

// A movie whose remembered entry brings its own colours.
class RememberedColours : public DialogsOnAMovie {
 protected:
  void SetUp() override {
    DialogsOnAMovie::SetUp();
    Program().Settings.RememberMovieSettings = true;
    lc::settings::TRmsEntry E = lc::settings::RmsStartEntry(Program().Settings);
    E.Name = "demo.mp4";
    E.Brightness = 9000;
    Program().Rms.Append(E);
    Colour = std::make_unique<TfrmColorControl>();
    frmColorControl = Colour.get();
    form->Satellites.ColorControl = Colour.get();
    Colour->Panel().SetPosition(lc::tools::csBrightness, 300);
  }
  void TearDown() override {
    form->Satellites.ColorControl = nullptr;
    Colour.reset();
    DialogsOnAMovie::TearDown();
  }
  int Brightness() { return Colour->Panel().Position(lc::tools::csBrightness); }
  std::unique_ptr<TfrmColorControl> Colour;
};

TEST_F(RememberedColours, TheMoviesColoursGiveWayToTheUsersAtTheStop) {
  OpenActive("demo.mp4", true);
  EXPECT_EQ(900, Brightness());
  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_EQ(300, Brightness());
}

TEST_F(RememberedColours, ColoursShownInTheColourWindowStayAfterTheStop) {
  OpenActive("demo.mp4", true);
  Colour->Show();
  Pump(50);
  EXPECT_EQ(900, Brightness());
  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_EQ(900, Brightness());
}

// An overlay mixer gives its graph's colours back to its defaults when the
// graph goes; the next graph takes the sliders all the same.
TEST_F(RememberedColours, EveryNewGraphTakesTheSliders) {
  TColorControl& Control = *video->VideoWindow->ColorControl();
  ASSERT_TRUE(WaitFor([&] { return Control.Brightness() == 3000; })) << "the pulse hands the sliders over";
  Control.RestoreDefaults();
  ASSERT_EQ(750, Control.Brightness());
  OpenActive("clip.avi", true);
  EXPECT_EQ(3000, Control.Brightness());
  Pump(100);
  EXPECT_EQ(3000, Control.Brightness());
}

void CALLBACK CloseEditor(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmProfilesEditor || !frmProfilesEditor->Showing()) return;
  KillTimer(nullptr, Id);
  frmProfilesEditor->Close();
}

// The playing movie's entry was kept: its settings are stored by the stop.
TEST_F(DialogsOnAMovie, ClosingTheProfilesEditorDuringPlaybackKeepsStoringTheMovie) {
  Program().Settings.RememberMovieSettings = true;
  OpenActive("demo.mp4", true);
  ASSERT_GE(Program().Rms.Find("demo.mp4"), 0);
  SetTimer(nullptr, 0, 50, CloseEditor);
  RunProfilesEditor(form.get());
  EXPECT_FALSE(Program().RmsSkipCurrent);
  SeekTo(30000000);
  Pump(100);
  form->RunCommand(lc::Cmd::BtnStopClick);
  const int Entry = Program().Rms.Find("demo.mp4");
  ASSERT_GE(Entry, 0);
  // Three seconds and a little, as a fraction of a day.
  EXPECT_NEAR(3.0 / 86400, Program().Rms[Entry].LastVideoPosition, 1.0 / 86400);
}

// Enter in the custom pan & scan dialog once it is up: closed, nothing
// applied.
void CALLBACK ClosePanScan(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmPanScan) return;
  KillTimer(nullptr, Id);
  PostMessageW(frmPanScan->Handle(), WM_CHAR, 13, 0);
}

TEST_F(DialogsOnAMovie, TheCustomPanScanEndsMovieModeEvenWithNothingChanged) {
  OpenActive("bars.mp4", true);
  video->SetFullScreen(true);
  Pump(300);
  form->MovieModeChecked = true;
  const UINT_PTR Timer = SetTimer(nullptr, 0, 300, ClosePanScan);
  form->CustomPanScanMenuClick();
  KillTimer(nullptr, Timer);
  EXPECT_EQ(nullptr, frmPanScan);
  EXPECT_FALSE(form->MovieModeChecked);
  EXPECT_EQ(0, Program().Settings.PanScanValue);
  video->SetNormalScreen();
}

}  // namespace
