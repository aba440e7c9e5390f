// Opening real movies through the main window's commands, with the video
// window, its graph and audio chain on the virtual display: play to the
// end, pause on the first frame, stop and reopen with the remembered
// position and picture, and a file that does not render.
#include <float.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "engine/graph/tests/pass_component.h"
#include "kit/tests/box_closer.h"
#include "player/tests/playback_fixture.h"
#include "settings/text_table.h"

namespace {

using lc::Player;
using lc::Program;
using lc::testing::ClosedBoxes;
using lctest::Pump;

class PlaybackTest : public lc::testing::PlaybackFixture {
 protected:
  void SetUp() override {
    PlaybackFixture::SetUp();
    // The hand-over flags stay for the tests to read: the pulse that takes
    // them is tested on its own (pulse_tests).
    form->GeneralTimer.SetEnabled(false);
    ClosedBoxes().clear();
  }
};

// The answer typed into the main window's open dialog while it is up
// (again at every tick: the dialog may still be filling itself in); with
// CloseFirst the player is closed first, as the end of the shutdown
// countdown does while the dialog waits.
struct TOpenAnswer {
  std::wstring File;
  bool CloseFirst = false;
};
TOpenAnswer OpenAnswer;

void CALLBACK AnswerOpenDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND Dialog = FindWindowW(L"#32770", L"Open movie(s)");
  DWORD Process = 0;
  if (!Dialog || !IsWindowVisible(Dialog)) return;
  GetWindowThreadProcessId(Dialog, &Process);
  if (Process != GetCurrentProcessId()) return;
  if (OpenAnswer.CloseFirst) Program().PlayerClosing = true;
  const int NameBox = GetDlgItem(Dialog, cmb13) ? cmb13 : edt1;
  SetDlgItemTextW(Dialog, NameBox, OpenAnswer.File.c_str());
  PostMessageW(Dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(Dialog, IDOK)));
}

TEST_F(PlaybackTest, APlayerClosedWhileTheOpenDialogWaitsOpensNothing) {
  OpenAnswer = {lctest::MediaPath("clip.avi"), false};
  UINT_PTR Timer = SetTimer(nullptr, 0, 100, AnswerOpenDialog);
  form->RunCommand(lc::Cmd::BtnOpenMovieClick);
  KillTimer(nullptr, Timer);
  EXPECT_EQ(Opened(), (std::vector<std::string>{"clip.avi"}));

  OpenAnswer = {lctest::MediaPath("bars.mp4"), true};
  Timer = SetTimer(nullptr, 0, 100, AnswerOpenDialog);
  form->RunCommand(lc::Cmd::BtnOpenMovieClick);
  KillTimer(nullptr, Timer);
  Program().PlayerClosing = false;
  MSG Quit;
  EXPECT_TRUE(PeekMessageW(&Quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(Opened(), (std::vector<std::string>{"clip.avi"}));
  EXPECT_EQ(1, form->Playlist().Count());
}

// Cancels the open dialog shown with the translated title, once it is up.
bool TranslatedDialogSeen = false;
void CALLBACK CancelTranslatedDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND Dialog = FindWindowW(L"#32770", L"Filme oeffnen");
  if (!Dialog || !IsWindowVisible(Dialog)) return;
  TranslatedDialogSeen = true;
  PostMessageW(Dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(Dialog, IDCANCEL)));
}

TEST_F(PlaybackTest, TheOpenDialogTakesItsTitleAndFilterFromTheTextTable) {
  lc::settings::TextTable& T = lc::settings::GlobalTextTable();
  T.TextHints[4] = "Filme oeffnen";
  T.TextFilters[1] = "Alle Dateien";
  T.TextFilters[2] = "Filme";
  // An extension that would break the pattern list is left out.
  Program().Settings.MediaExtensions = {"avi", "m p4", "mkv"};
  TranslatedDialogSeen = false;
  const UINT_PTR Timer = SetTimer(nullptr, 0, 100, CancelTranslatedDialog);
  form->RunCommand(lc::Cmd::BtnOpenMovieClick);
  KillTimer(nullptr, Timer);
  EXPECT_TRUE(TranslatedDialogSeen);
  EXPECT_EQ(L"Filme oeffnen", form->OpenMovieDialog.Title);
  EXPECT_EQ(L"Filme|*.avi;*.mkv;*.lpl|Alle Dateien|*.*", form->OpenMovieDialog.Filter);
  EXPECT_TRUE(Opened().empty());
  lc::settings::SetDefaultTexts(T);
}

TEST_F(PlaybackTest, AMovieOpensPlaysAndEndsForThePulse) {
  ASSERT_TRUE(Open("clip.avi", true));
  EXPECT_TRUE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
  EXPECT_TRUE(ShownDown(*form->BtnPlay));
  EXPECT_FALSE(ShownDown(*form->BtnPause));
  EXPECT_TRUE(form->BtnStop->Enabled());
  EXPECT_TRUE(form->BtnRewind->Enabled());
  EXPECT_EQ(L"clip.avi", form->MovieLabel->Caption());
  EXPECT_EQ(L"LcFormTest - 'clip.avi'", Application.Title());
  EXPECT_EQ(3000, form->ProgressBar->Max());
  EXPECT_EQ(L"00:00:03 - 00:00:00 - 00:00:03 ", form->MovieTimesLabel->Caption());
  EXPECT_EQ(320, Player().NativeWidth);
  EXPECT_EQ(240, Player().NativeHeight);
  EXPECT_DOUBLE_EQ(1.33, Player().AspectRatioValue);
  EXPECT_DOUBLE_EQ(25.0, form->FrameRate);
  EXPECT_TRUE(form->ResetTimer.Enabled());
  EXPECT_EQ(3000, video->VideoWindow->AutoHideCursor());
  // The opening stored the movie's entry.
  EXPECT_EQ(0, Program().Rms.Find("clip.avi"));
  for (int i = 0; i < 300 && !lc::Playback().PlaybackFinished; ++i) Pump(20);
  EXPECT_TRUE(lc::Playback().PlaybackFinished);
  EXPECT_GE(Position(), 25000000);
}

TEST_F(PlaybackTest, RepeatOneReplaysInTheEventItself) {
  Program().Settings.RepeatMode = 1;
  ASSERT_TRUE(Open("clip.avi", true));
  SeekTo(28000000);
  for (int i = 0; i < 100 && Position() >= 20000000; ++i) Pump(20);
  EXPECT_LT(Position(), 20000000);
  EXPECT_FALSE(lc::Playback().PlaybackFinished);
  EXPECT_TRUE(video->GraphActive());
}

TEST_F(PlaybackTest, PausedOpeningShowsAndKeepsTheFirstFrame) {
  ASSERT_TRUE(Open("bars.mp4", false));
  EXPECT_TRUE(ShownDown(*form->BtnPause));
  EXPECT_FALSE(ShownDown(*form->BtnPlay));
  EXPECT_FALSE(form->ResetTimer.Enabled());
  ASSERT_TRUE(WaitForFrame());
  // The bars fill the 400 x 300 window's picture: red, green, blue, white.
  const TRect R = video->VideoWindow->VideoRect;
  ASSERT_GT(R.Width(), 0);
  const int Y = (R.Top + R.Bottom) / 2;
  const COLORREF Red = Pixel(R.Left + R.Width() / 8, Y);
  const COLORREF White = Pixel(R.Left + R.Width() * 7 / 8, Y);
  EXPECT_GT(GetRValue(Red), 200);
  EXPECT_LT(GetGValue(Red), 60);
  EXPECT_GT(GetBValue(White), 200);
  EXPECT_GT(GetGValue(White), 200);
  // Held at the start: Play then Pause may have let a frame's time pass.
  const LONGLONG Held = Position();
  EXPECT_LT(Held, 1000000);
  Pump(500);
  EXPECT_EQ(Held, Position());
}

TEST_F(PlaybackTest, PauseAndPlayThroughTheCommands) {
  ASSERT_TRUE(Open("clip.avi", true));
  form->RunCommand(lc::Cmd::BtnPauseClick);
  EXPECT_TRUE(ShownDown(*form->BtnPause));
  EXPECT_FALSE(form->ResetTimer.Enabled());
  EXPECT_EQ(0, video->VideoWindow->AutoHideCursor());
  EXPECT_EQ("Pause", Player().OsdText);
  // The graph's worker has paused it: the position holds.
  ASSERT_TRUE(video->FilterGraph.WaitForGraph(10000));
  const LONGLONG Held = Position();
  Pump(400);
  EXPECT_EQ(Held, Position());
  form->RunCommand(lc::Cmd::BtnPlayClick);
  EXPECT_TRUE(ShownDown(*form->BtnPlay));
  EXPECT_TRUE(form->ResetTimer.Enabled());
  EXPECT_EQ("Play", Player().OsdText);
  Pump(400);
  EXPECT_GT(Position(), Held);
}

TEST_F(PlaybackTest, StopAndReopenRestoresThePositionAndThePicture) {
  lc::settings::SettingsStore& S = Program().Settings;
  S.RememberMovieSettings = true;
  S.RememberLastMoviePosition = true;
  ASSERT_TRUE(Open("demo.mp4", false));
  SeekTo(80000000);  // 8 s
  Player().ImageOffsetX = 10;
  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_FALSE(video->GraphActive());
  EXPECT_FALSE(form->BtnStop->Enabled());
  EXPECT_FALSE(form->BtnPause->Enabled());
  EXPECT_EQ(L"00:00:20 - 00:00:00 - 00:00:20 ", form->MovieTimesLabel->Caption());
  EXPECT_EQ(L"demo.mp4", form->MovieLabel->Caption());  // not closed
  EXPECT_EQ("Stop", Player().OsdText);
  const lc::PreviousMovie& Prev = lc::Playback().PreviousMovieSettings;
  EXPECT_TRUE(Prev.Valid);
  EXPECT_EQ(640, Prev.NativeWidth);
  EXPECT_EQ(10, Prev.ImageOffsetX);
  Player().ImageOffsetX = 0;

  ASSERT_TRUE(Open("demo.mp4", false));
  EXPECT_NEAR(80000000.0, static_cast<double>(Position()), 10000000.0);
  EXPECT_EQ(10, Player().ImageOffsetX);
}

TEST_F(PlaybackTest, StopWithCloseUnloadsTheLabels) {
  ASSERT_TRUE(Open("clip.avi", true));
  TMenuItem* Filters = form->MenuItem(L"FiltersMenu");
  ASSERT_NE(nullptr, Filters);
  EXPECT_TRUE(Filters->Enabled);
  EXPECT_EQ(static_cast<int>(form->FilterMenuItems.size()), Filters->Count());
  form->RunCommand(lc::Cmd::StopForNewList);
  EXPECT_FALSE(Filters->Enabled);
  EXPECT_EQ(0, Filters->Count());
  EXPECT_TRUE(form->FilterMenuItems.empty());
  EXPECT_FALSE(video->GraphActive());
  EXPECT_EQ(L"No movie", form->MovieLabel->Caption());
  EXPECT_EQ(L"No subtitle", form->SubtitleLabel->Caption());
  EXPECT_EQ(L"00:00:00 - 00:00:00 - 00:00:00", form->MovieTimesLabel->Caption());
  EXPECT_EQ(L"LcFormTest", Application.Title());
  EXPECT_FALSE(form->ProgressBar->Enabled());
}

TEST_F(PlaybackTest, AFileThatDoesNotRenderEndsInTheFailurePath) {
  lc::testing::CloseNextBox();
  EXPECT_FALSE(Open("corrupt.avi", true));
  EXPECT_FALSE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
  EXPECT_EQ(ClosedBoxes(), std::vector<std::wstring>{L"Invalid video file or\r\ncodec not found!"});
  // The graph's own plain box came first, with the code in hexadecimal.
  ASSERT_EQ(1u, graphMessages.size());
  EXPECT_TRUE(graphMessages[0].ends_with(L" ($80040218).")) << graphMessages[0];
  EXPECT_EQ(L"No movie", form->MovieLabel->Caption());
  EXPECT_TRUE(form->CurrentMovieFile.empty());
  EXPECT_FALSE(form->BtnStop->Enabled());
  EXPECT_FALSE(form->BtnPause->Enabled());
  EXPECT_FALSE(ShownDown(*form->BtnPlay));
  EXPECT_FALSE(lc::Playback().RenderFailed);
}

// A movie whose graph cannot change state is closed as one that cannot be
// rendered, with its box, and the player goes on: nothing reaches the
// application's exception handling, which would end the player. (Wine's
// graph reports a filter's failed run with the pause after it.)
TEST_F(PlaybackTest, AMovieWhoseGraphCannotRunClosesAndThePlayerGoesOn) {
  lctest::TPassComponent Failing;
  Failing.Filter->StartResult = VFW_E_RUNTIME_ERROR;
  video->FilterGraph.InsertFilter(&Failing);
  ASSERT_TRUE(Open("clip.avi", true));
  lc::testing::CloseNextBox();
  form->RunCommand(lc::Cmd::PlayOrPause);
  EXPECT_TRUE(WaitFor([this] { return !video->GraphActive(); }));
  EXPECT_EQ(ClosedBoxes(), std::vector<std::wstring>{L"Invalid video file or\r\ncodec not found!"});
  EXPECT_EQ(0, form->ProcessEnds);
  EXPECT_EQ(L"No movie", form->MovieLabel->Caption());
  EXPECT_FALSE(ShownDown(*form->BtnPlay));
  video->FilterGraph.RemoveFilter(&Failing);
  OpenActive("clip.avi", true);
  EXPECT_TRUE(WaitFor([this] { return Position() > 2000000; })) << "the next movie plays";
}

// What the timer below does once, during an opening.
std::function<void()> DuringTheOpening;
void CALLBACK RunDuringTheOpening(HWND, UINT, UINT_PTR Timer, DWORD) {
  KillTimer(nullptr, Timer);
  if (DuringTheOpening) DuringTheOpening();
  DuringTheOpening = nullptr;
}

// While the opening waits for a render held up by a slow filter, the
// player answers: Ctrl+F4, V or another movie handed over ends the opening
// at once, the render still waiting, with no movie and nothing told (the
// render is left to end on its own with its graph); handed-over files
// open next, and a movie opened afterwards plays.
TEST_F(PlaybackTest, ACloseStopOrHandOverDuringASlowRenderEndsTheOpeningWithNoMovie) {
  lctest::TPassComponent Slow;
  video->FilterGraph.InsertFilter(&Slow);
  const struct {
    const char* Name;
    WORD Key;
    TShiftState Shift;
  } Cases[] = {{"Ctrl+F4", VK_F4, ssCtrl}, {"V", 'V', 0}, {"a hand-over", 0, 0}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    lctest::TPassFilter* Waiting = Slow.Filter;
    Waiting->CheckMs = 3000;
    LRESULT Taken = -1;
    DuringTheOpening = [&] {
      if (Case.Key != 0) {
        Key(Case.Key, Case.Shift);
        return;
      }
      std::string Text = lc::testing::Media("clip.mkv") + "\x01";
      COPYDATASTRUCT Data{0, static_cast<DWORD>(Text.size()), Text.data()};
      Taken = form->Perform(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&Data));
    };
    SetTimer(nullptr, 0, 300, RunDuringTheOpening);
    EXPECT_FALSE(Open("clip.avi", true)) << "the opening went on";
    EXPECT_FALSE(DuringTheOpening) << "the player did not answer during the render";
    EXPECT_FALSE(Waiting->InputPin()->IsConnected()) << "the render got past the slow filter first";
    EXPECT_FALSE(video->GraphActive());
    EXPECT_FALSE(Program().OpeningMovie);
    EXPECT_EQ(L"No movie", form->MovieLabel->Caption());
    EXPECT_TRUE(ClosedBoxes().empty());
    EXPECT_TRUE(graphMessages.empty());
    if (Case.Key != 0) continue;
    EXPECT_EQ(1, Taken);
    form->Perform(WM_OPENHANDOVER, 0, 0);
    EXPECT_TRUE(video->GraphActive());
    EXPECT_EQ(Opened().back(), "clip.mkv");
  }
  video->FilterGraph.RemoveFilter(&Slow);
  OpenActive("clip.avi", true);
  EXPECT_TRUE(WaitFor([this] { return Position() > 2000000; })) << "the next movie plays";
}

TEST_F(PlaybackTest, AnAudioOnlyFileFailsSilentlyWhileAdvancing) {
  lc::Playback().AutoAdvancing = true;
  EXPECT_FALSE(Open("tone.wav", true));
  EXPECT_TRUE(lc::Playback().RenderFailed);
  EXPECT_FALSE(lc::Playback().AutoAdvancing);
  EXPECT_TRUE(ClosedBoxes().empty());
  EXPECT_TRUE(graphMessages.empty());
  EXPECT_FALSE(video->GraphActive());
}

TEST_F(PlaybackTest, RememberedEntryReplacesTheVolumeUntilTheStop) {
  lc::settings::SettingsStore& S = Program().Settings;
  S.RememberMovieSettings = true;
  lc::settings::TRmsEntry E = lc::settings::RmsStartEntry(S);
  E.Name = "clip.avi";
  E.AudioVolume = 2500;
  Program().Rms.Append(E);
  form->VolumeBar->SetPosition(16);
  ASSERT_TRUE(Open("clip.avi", true));
  EXPECT_EQ(5, form->VolumeBar->Position());
  EXPECT_EQ(2500, video->FilterGraph.Volume());
  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_EQ(16, form->VolumeBar->Position());
}

TEST_F(PlaybackTest, ARememberedEntryBringsItsLookAndKeepsItsBookmarks) {
  lc::settings::SettingsStore& S = Program().Settings;
  S.RememberMovieSettings = true;
  S.RememberSubtitleSettings = true;
  S.SubtitleFontName = "Tahoma";
  S.SubtitleFontColor = 0xFFFFFF;
  S.SubtitleFontStyle = lc::settings::kFontBold;
  lc::settings::TRmsEntry E = lc::settings::RmsStartEntry(S);
  E.Name = "clip.avi";
  E.BookMark[0] = "00:00:01";
  E.BookMark[1] = "00:00:02";
  E.SubtitleFontName = "Courier New";
  E.SubtitleFontColor = 0x00FF00;
  E.SubtitleFontStyle = lc::settings::kFontItalic;
  Program().Rms.Append(E);
  ASSERT_TRUE(Open("clip.avi", false));
  const TFont& Font = video->VideoWindow->Font;
  EXPECT_EQ(L"Courier New", Font.Name());
  EXPECT_EQ(static_cast<TColor>(0x00FF00), Font.Color());
  EXPECT_EQ(static_cast<TFontStyles>(fsItalic), Font.Style());
  EXPECT_EQ((std::vector<std::string>{"00:00:01\t\t\tAlt+&1", "00:00:02\t\t\tAlt+&2"}), form->BookmarkCaptions());
  // The opening stored the entry again, its bookmarks with it.
  const int Entry = Program().Rms.Find("clip.avi");
  ASSERT_GE(Entry, 0);
  EXPECT_EQ("00:00:01", Program().Rms[Entry].BookMark[0]);
  EXPECT_EQ("00:00:02", Program().Rms[Entry].BookMark[1]);
  EXPECT_EQ("", Program().Rms[Entry].BookMark[2]);

  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_EQ(L"Tahoma", Font.Name());
  EXPECT_EQ(static_cast<TColor>(0xFFFFFF), Font.Color());
  EXPECT_EQ(static_cast<TFontStyles>(fsBold), Font.Style());
  EXPECT_EQ("00:00:02", Program().Rms[Entry].BookMark[1]);
  EXPECT_EQ("Courier New", Program().Rms[Entry].SubtitleFontName);
}

// What a stop or the close records belongs to that movie alone.
TEST_F(PlaybackTest, AMovieModeFullScreenIsRememberedAsAWindowOnlyForItsMovie) {
  lc::settings::SettingsStore& S = Program().Settings;
  const auto FullScreenStored = [] { return Program().Rms[Program().Rms.Find("clip.avi")].FullScreen; };
  ASSERT_TRUE(Open("clip.avi", true));
  form->RunCommand(lc::Cmd::MovieModeMenuClick);
  ASSERT_TRUE(video->FullScreen);
  form->PausedByMinimize = true;
  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_FALSE(FullScreenStored());
  EXPECT_FALSE(form->PausedByMinimize);
  // Full screen of its own: the opening stores it so.
  S.FullscreenOnLoad = true;
  ASSERT_TRUE(Open("clip.avi", true));
  ASSERT_TRUE(video->FullScreen);
  EXPECT_TRUE(FullScreenStored());
  video->SetNormalScreen();

  // Closing the player in movie mode stores the windowed movie too.
  S.FullscreenOnLoad = false;
  ASSERT_TRUE(Open("clip.avi", true));
  form->RunCommand(lc::Cmd::MovieModeMenuClick);
  ASSERT_TRUE(video->FullScreen);
  form->Commands().StoreMovieAndStopGraph();
  EXPECT_FALSE(FullScreenStored());
  EXPECT_FALSE(lc::Playback().FullScreenFromMovieMode);
  video->SetNormalScreen();
}

TEST_F(PlaybackTest, CtrlF4AfterAStopUnloadsTheSubtitle) {
  const std::string Subtitle = folder.File("clip.srt");
  std::ofstream(Subtitle, std::ios::binary) << "1\r\n00:00:01,000 --> 00:00:02,000\r\nHELLO\r\n\r\n"
                                                 "2\r\n00:01:00,000 --> 00:01:01,000\r\nEND\r\n";
  ASSERT_TRUE(Open("clip.avi", false));
  ASSERT_TRUE(form->AttachSubtitle(Subtitle));
  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_TRUE(Player().SubtitleLoaded) << "a stop keeps the movie and its subtitle";
  WORD Key = VK_F4;
  form->FormKeyDown(Key, ssCtrl);
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ("", form->CurrentMovieFile);
  EXPECT_EQ(L"No subtitle", form->SubtitleLabel->Caption());
}

TEST_F(PlaybackTest, ExternalSubtitleFiltersAreRefusedOnRequest) {
  Program().Settings.DisableExternalSubtitleFilters = true;
  EXPECT_FALSE(video->FilterGraphSelectedFilter(L"DirectVobSub (auto-loading version)"));
  EXPECT_FALSE(video->FilterGraphSelectedFilter(L"DivXG400"));
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"AVI Splitter"));
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"My DirectVobSub"));  // the name must begin with it
  EXPECT_TRUE(form->SubtitlesShown);
  // Allowed with a subtitle loaded: the player's own subtitles give way.
  Program().Settings.DisableExternalSubtitleFilters = false;
  Player().SubtitleLoaded = true;
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"DirectVobSub"));
  EXPECT_FALSE(form->SubtitlesShown);
  EXPECT_TRUE(form->MenuItem(L"DisableSubtitleMenu")->Checked());
  Player().SubtitleLoaded = false;
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"DirectVobSub"));
  EXPECT_TRUE(form->SubtitlesShown);
  EXPECT_FALSE(form->MenuItem(L"DisableSubtitleMenu")->Checked());
}

TEST_F(PlaybackTest, TheFrameRateIsReadFromTheVideoStream) {
  // No graph yet: the rate falls back to 25.
  EXPECT_DOUBLE_EQ(25.0, form->GetMovieFrameRate());
  ASSERT_TRUE(Open("rate30.mp4", false));
  EXPECT_DOUBLE_EQ(30.0, form->FrameRate);
  form->RunCommand(lc::Cmd::BtnStopClick);
  Program().Settings.ShowFrames = true;
  ASSERT_TRUE(Open("rate30.mp4", false));
  EXPECT_EQ(L"    60 -      0 -     60", form->MovieTimesLabel->Caption());
}

TEST_F(PlaybackTest, TheNextMovieOfTheSameSizeTakesOverThePreviousPicture) {
  Program().Settings.RememberPreviousMovieSettings = true;
  ASSERT_TRUE(Open("clip.avi", true));
  Player().ImageOffsetX = 7;
  Player().ImageOffsetY = -3;
  form->RunCommand(lc::Cmd::N169RatioMenuClick);
  form->RunCommand(lc::Cmd::BtnStopClick);
  video->SetBounds(100, 100, 600, 500);
  ASSERT_TRUE(Open("clip.mp4", true));  // 320 x 240 as well
  EXPECT_EQ(7, Player().ImageOffsetX);
  EXPECT_EQ(-3, Player().ImageOffsetY);
  EXPECT_DOUBLE_EQ(1.78, Player().AspectRatioValue);
  EXPECT_EQ(lc::AspectChoice::Wide169, form->AspectChecked);
  // The previous window's size, centred where the window was.
  EXPECT_EQ(Rect(200, 200, 600, 500), video->BoundsRect());
  form->RunCommand(lc::Cmd::BtnStopClick);
  // A movie of another size keeps its own picture.
  ASSERT_TRUE(Open("demo.mp4", true));
  EXPECT_EQ(0, Player().ImageOffsetX);
  EXPECT_DOUBLE_EQ(1.78, Player().AspectRatioValue);
  EXPECT_EQ(640, Player().NativeWidth);
}

TEST_F(PlaybackTest, FloatingPointExceptionsAreMaskedWhileAMoviePlays) {
  const unsigned Before = _controlfp(0, 0);
  ASSERT_TRUE(Open("clip.avi", true));
  EXPECT_EQ(static_cast<unsigned>(_MCW_EM), _controlfp(0, 0) & _MCW_EM);
  EXPECT_EQ(static_cast<unsigned>(_RC_NEAR), _controlfp(0, 0) & _MCW_RC);
  form->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_EQ(Before & (_MCW_EM | _MCW_RC), _controlfp(0, 0) & (_MCW_EM | _MCW_RC));
}

TEST_F(PlaybackTest, StopWithCloseWhileMinimisedHidesTheVideoWindowOnRestore) {
  Program().Settings.AutoCloseVideoWindow = true;
  ASSERT_TRUE(Open("clip.avi", true));
  Application.Minimize();
  Pump(50);
  ASSERT_TRUE(Application.IsIconic());
  form->RunCommand(lc::Cmd::StopForNewList);
  const bool Marked = form->HideVideoOnRestore;
  const bool KeptShowing = video->Visible();
  Application.Restore();
  form->OnRestoreEvent();
  Pump(50);
  EXPECT_TRUE(Marked);
  EXPECT_TRUE(KeptShowing);
  EXPECT_FALSE(form->HideVideoOnRestore);
  EXPECT_FALSE(video->Visible());

  // Not minimised, the stop hides the video window at once.
  video->Show();
  ASSERT_TRUE(Open("clip.avi", true));
  form->RunCommand(lc::Cmd::StopForNewList);
  EXPECT_FALSE(video->Visible());
  EXPECT_FALSE(form->HideVideoOnRestore);

  // Files opened while minimised show their video window on restore.
  Application.Minimize();
  form->HideVideoOnRestore = true;
  form->Opener().OpenFiles({WideToUtf8(lctest::MediaPath("clip.avi"))}, -1);
  const bool StillMarked = form->HideVideoOnRestore;
  Application.Restore();
  EXPECT_FALSE(StillMarked);
  EXPECT_TRUE(video->GraphActive());
}

}  // namespace
