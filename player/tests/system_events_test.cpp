// The main window's answers to other programs and to the platform, under
// Wine: the remote-control codes with and without dialogs up, the boss
// key's hot keys, the shell's DDE macros from a client on another thread,
// the hand-over of a second instance, docking and the end of the session.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "dates/date_time.h"
#include "framework/application.h"
#include "framework/dde.h"
#include "framework/messages.h"
#include "framework/unicode.h"
#include "kit/snap.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/tests/main_form_fixture.h"
#include "settings/file_io.h"
#include "settings/program_state.h"
#include "tests/support/process.h"
#include "settings/tests/test_support.h"

namespace {

using lc::Cmd;
using lc::Program;
using lc::testing::RecordingCommands;
using lctest::Pump;

// A plain form of a given window class, recording the keys it takes.
class KeyForm : public TForm {
 public:
  explicit KeyForm(const wchar_t* ClassName) : TForm(ClassName) {
    OnKeyPress = [this](TComponent*, wchar_t& Key) { Keys.push_back(L"press " + std::to_wstring(int(Key))); };
    OnKeyDown = [this](TComponent*, WORD& Key, TShiftState) { Keys.push_back(L"down " + std::to_wstring(int(Key))); };
  }
  std::vector<std::wstring> Keys;
};

class SystemEventsTest : public lc::testing::MainWindowTest {
 protected:
  void TearDown() override {
    Program().ModalDialogActive = false;
    MainWindowTest::TearDown();
  }
  LRESULT Remote(WPARAM Code) { return SendMessageW(form->Handle(), WM_REMOTECOMMAND, Code, 0); }
  std::vector<RecordingCommands::Call> RemoteCalls(WPARAM Code) {
    rooms.Calls.clear();
    Remote(Code);
    return rooms.Calls;
  }
};

using Call = RecordingCommands::Call;
using Calls = std::vector<Call>;

TEST_F(SystemEventsTest, RemoteCodesRunWhatTheirKeysRun) {
  EXPECT_EQ((Calls{{Cmd::BtnPlayClick, 0}}), RemoteCalls(3));
  EXPECT_EQ((Calls{{Cmd::BtnPauseClick, 0}}), RemoteCalls(4));
  EXPECT_EQ((Calls{{Cmd::BtnPreviousClick, 0}}), RemoteCalls(7));
  EXPECT_EQ((Calls{{Cmd::BtnNextClick, 0}}), RemoteCalls(8));
  EXPECT_EQ((Calls{{Cmd::BtnRewindClick, 0}}), RemoteCalls(9));
  EXPECT_EQ((Calls{{Cmd::FastForwardClick, 0}}), RemoteCalls(12));
  EXPECT_EQ((Calls{{Cmd::BtnVolUpClick, 0}}), RemoteCalls(14));
  EXPECT_EQ((Calls{{Cmd::MuteFlipClick, 0}}), RemoteCalls(33));
  EXPECT_EQ((Calls{{Cmd::Bookmark, 1}}), RemoteCalls(44));
  EXPECT_EQ((Calls{{Cmd::Bookmark, 9}}), RemoteCalls(52));
  EXPECT_EQ((Calls{{Cmd::btnGoToEndClick, 0}}), RemoteCalls(54));
  EXPECT_EQ((Calls{{Cmd::QuickTimeInfo, 0}}), RemoteCalls(62));
  EXPECT_EQ((Calls{{Cmd::N200MenuClick, 0}}), RemoteCalls(64));
  EXPECT_EQ((Calls{{Cmd::ZoomCycle, 0}}), RemoteCalls(72));
  EXPECT_EQ((Calls{{Cmd::MovieTimesLabelClick, 0}}), RemoteCalls(73));
  EXPECT_EQ(L"Display time", rooms.Osd.back());
  // The subtitle codes are the main window's own commands: the loaded
  // subtitle's times move and its display switches, no room is asked.
  lc::Player().SubtitleLoaded = true;
  lc::Subtitles().Current.Start = {1000};
  lc::Subtitles().Current.End = {2000};
  EXPECT_EQ(Calls{}, RemoteCalls(57));
  EXPECT_EQ(1500, lc::Subtitles().Current.Start[0]);
  EXPECT_EQ(Calls{}, RemoteCalls(58));
  EXPECT_EQ(Calls{}, RemoteCalls(58));
  EXPECT_EQ(500, lc::Subtitles().Current.Start[0]);
  const bool Shown = form->SubtitlesShown;
  EXPECT_EQ(Calls{}, RemoteCalls(59));
  EXPECT_NE(Shown, form->SubtitlesShown);
  lc::Player().SubtitleLoaded = false;
  lc::Subtitles() = {};
  // Codes without an entry do nothing and answer 0 like all others.
  for (WPARAM code : {WPARAM(0), WPARAM(75), WPARAM(1000)}) EXPECT_EQ(Calls{}, RemoteCalls(code)) << code;
  // (32 would minimise the test program, 60 arm the shutdown.)
  for (WPARAM code = 0; code <= 80; ++code) {
    if (code != 32 && code != 60) {
      EXPECT_EQ(0, Remote(code)) << code;
    }
  }
}

TEST_F(SystemEventsTest, RemoteSpaceSwitchesPlayAndPauseOnlyWithAGraph) {
  EXPECT_EQ(Calls{}, RemoteCalls(5));
  rooms.Active = true;
  EXPECT_EQ(1u, RemoteCalls(5).size());
}

TEST_F(SystemEventsTest, AModalDialogTurnsCodesIntoNavigationKeysOnly) {
  Program().ModalDialogActive = true;
  for (WPARAM code : {1, 3, 4, 5, 7, 12, 44}) EXPECT_EQ(Calls{}, RemoteCalls(code)) << code;
}

TEST_F(SystemEventsTest, DialogsTakeNavigationKeysInTheirOrder) {
  KeyForm about(L"TfrmAbout");
  KeyForm config(L"TfrmConfig");
  about.Handle();
  config.Handle();
  // Both up: the configuration dialog comes first and alone; the
  // application is not active, so an arrow reaches its key handler.
  Application.FormActivated(false);
  Remote(7);
  Remote(4);
  Pump(20);
  EXPECT_EQ((std::vector<std::wstring>{L"down 38", L"down 27"}), config.Keys);
  EXPECT_TRUE(about.Keys.empty());
  EXPECT_TRUE(rooms.Calls.empty());

  KeyForm jump(L"TfrmJump");
  jump.Handle();
  // Escape for 4 and 6, Left for 9, Enter for 3; nothing for 5.
  for (WPARAM code : {3, 4, 5, 6, 9, 10}) Remote(code);
  Pump(20);
  EXPECT_EQ((std::vector<std::wstring>{L"press 13", L"press 27", L"press 27", L"press 37", L"press 39"}), jump.Keys);
  EXPECT_EQ(2u, config.Keys.size());

  KeyForm aspect(L"TfrmAspectRatio");
  aspect.Handle();
  Remote(8);
  EXPECT_EQ((std::vector<std::wstring>{L"press 40", L"down 40"}), aspect.Keys);
  EXPECT_TRUE(rooms.Calls.empty());
}

TEST_F(SystemEventsTest, OnlyThisProcesssOwnVisibleStandardDialogsCount) {
  HWND own = CreateWindowExW(0, L"#32770", L"Some question", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, own);
  EXPECT_EQ(Calls{}, RemoteCalls(3));
  ShowWindow(own, SW_HIDE);
  EXPECT_EQ((Calls{{Cmd::BtnPlayClick, 0}}), RemoteCalls(3));
  DestroyWindow(own);
  // A platform box titled with the program's name is not a dialog to drive.
  HWND named = CreateWindowExW(0, L"#32770", L"lcformtest", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
  EXPECT_EQ((Calls{{Cmd::BtnPlayClick, 0}}), RemoteCalls(3));
  DestroyWindow(named);
}

TEST_F(SystemEventsTest, AnOpenFileDialogTakesKeystrokesAndNothingElseRuns) {
  TOpenDialog dialog;
  dialog.Tag = 1;
  form->RemoteFileDialogs.push_back(&dialog);
  Application.FormActivated(false);
  int awake = 0;
  form->ResetTimer.OnTimer = [&](TComponent*) { ++awake; };
  for (WPARAM code : {3, 4, 5, 12, 74}) EXPECT_EQ(Calls{}, RemoteCalls(code)) << code;
  // The application is not active: every code only keeps the display awake.
  EXPECT_EQ(5, awake);
  dialog.Tag = 0;
  EXPECT_EQ((Calls{{Cmd::BtnPlayClick, 0}}), RemoteCalls(3));
  EXPECT_EQ(6, awake);
  form->ResetTimer.OnTimer = nullptr;
}

TEST_F(SystemEventsTest, ThePlaylistCodesActOnlyOnAVisiblePlaylist) {
  TForm list(L"TfrmPlayList");
  list.SetBounds(0, 0, 100, 100);
  form->Satellites.PlayList = &list;
  std::vector<std::wstring> keys;
  form->PlaylistListKey = [&](WORD Key, TShiftState Shift, bool ToList) {
    keys.push_back(std::to_wstring(Key) + L"/" + std::to_wstring(Shift) + (ToList ? L" list" : L" handler"));
  };
  for (WPARAM code : {65, 66, 67, 68, 69, 70}) Remote(code);
  EXPECT_TRUE(keys.empty());
  Remote(55);
  EXPECT_TRUE(list.Showing());
  for (WPARAM code : {65, 66, 67, 68, 69, 70}) Remote(code);
  EXPECT_EQ((std::vector<std::wstring>{L"38/0 list", L"40/0 list", L"13/0 handler", L"38/2 handler",
                                       L"40/2 handler", L"46/2 handler"}),
            keys);
  Remote(55);
  EXPECT_FALSE(list.Showing());
  form->Satellites.PlayList = nullptr;
}

TEST_F(SystemEventsTest, BossKeyHidesOnceAndResumesOnlyWhatItPaused) {
  TForm other(L"TfrmBossOther");
  other.SetBounds(0, 0, 80, 80);
  form->Show();
  other.Show();
  rooms.Active = true;
  SendMessageW(form->Handle(), WM_HOTKEY, 1, 0);
  EXPECT_FALSE(form->Showing());
  EXPECT_FALSE(other.Showing());
  EXPECT_EQ((Calls{{Cmd::BtnPauseClick, 0}}), rooms.Calls);
  // A second hide does nothing until the show key came.
  SendMessageW(form->Handle(), WM_HOTKEY, 1, 0);
  EXPECT_EQ(1u, rooms.Calls.size());
  SendMessageW(form->Handle(), WM_HOTKEY, 2, 0);
  EXPECT_TRUE(form->Showing());
  EXPECT_TRUE(other.Showing());
  EXPECT_EQ((Calls{{Cmd::BtnPauseClick, 0}, {Cmd::BtnPlayClick, 0}}), rooms.Calls);
  // Another show does nothing; other ids are ignored.
  SendMessageW(form->Handle(), WM_HOTKEY, 2, 0);
  SendMessageW(form->Handle(), WM_HOTKEY, 3, 0);
  EXPECT_EQ(2u, rooms.Calls.size());

  // Without a graph nothing is paused, so nothing is resumed.
  rooms.Active = false;
  SendMessageW(form->Handle(), WM_HOTKEY, 1, 0);
  SendMessageW(form->Handle(), WM_HOTKEY, 2, 0);
  EXPECT_EQ(2u, rooms.Calls.size());
  other.Hide();
  form->Hide();
}

TEST_F(SystemEventsTest, MinimiseAndRestorePauseAndResume) {
  rooms.Active = true;
  form->OnMinimizeEvent();
  EXPECT_TRUE(form->PausedByMinimize);
  EXPECT_EQ((Calls{{Cmd::BtnPauseClick, 0}}), rooms.Calls);
  form->OnRestoreEvent();
  EXPECT_FALSE(form->PausedByMinimize);
  EXPECT_EQ((Calls{{Cmd::BtnPauseClick, 0}, {Cmd::BtnPlayClick, 0}}), rooms.Calls);
  EXPECT_FALSE(Program().BusyFlag);
  // Off by the setting, or while busy: nothing.
  Program().Settings.PauseOnMinimize = false;
  form->OnMinimizeEvent();
  Program().Settings.PauseOnMinimize = true;
  Program().BusyFlag = true;
  form->OnMinimizeEvent();
  form->OnRestoreEvent();
  EXPECT_EQ(2u, rooms.Calls.size());
  EXPECT_TRUE(Program().BusyFlag);
}

TEST_F(SystemEventsTest, TheHandOverOpensOnceTheSenderIsLetGo) {
  lc::settings::testing::WriteBytes(folder.File("one.avi"), "x");
  Program().Settings.MediaExtensions = {"avi"};
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  rooms.Log.clear();
  rooms.OpenActivates = true;
  Program().Settings.AutoClosePlayerWhenFinished = true;
  const std::string text = folder.File("one.avi") + "\x01";
  COPYDATASTRUCT record{0, DWORD(text.size()), const_cast<char*>(text.data())};
  EXPECT_EQ(1, SendMessageW(form->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record)));
  EXPECT_TRUE(rooms.Log.empty()) << "nothing is opened while the sender waits";
  Pump(100);
  EXPECT_EQ(std::vector<std::string>{folder.File("one.avi")}, form->Playlist().Entries().PlaylistMovies);
  ASSERT_FALSE(rooms.Log.empty());
  EXPECT_EQ("OpenMovie play parts", rooms.Log.back().substr(0, 20));
  EXPECT_TRUE(rooms.PreviousValid);
  EXPECT_TRUE(form->CloseWhenListEnds);
}

TEST_F(SystemEventsTest, DdeMacrosFromTheShell) {
  lc::settings::testing::WriteBytes(folder.File("a.avi"), "x");
  lc::settings::testing::WriteBytes(folder.File("b.avi"), "x");
  Program().Settings.MediaExtensions = {"avi"};
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  form->StartDdeServer();
  // The opening marks its end, as the real one does.
  struct StampingRooms : RecordingCommands {
    TfrmMain* Main = nullptr;
    void OpenMovie(bool Play, bool Parts) override {
      RecordingCommands::OpenMovie(Play, Parts);
      Main->LastOpenEndTime() = lc::CurrentDateTime();
    }
  } stamping;
  stamping.Main = form.get();
  stamping.OpenActivates = true;
  form->SetCommands(&stamping);
  // The client runs on a thread of its own while this one serves.
  std::atomic<int> sent{0};
  std::vector<UINT> results;
  std::thread client([&] {
    for (const std::string& path : {folder.File("a.avi"), folder.File("b.avi")})
      results.push_back(DdeExecuteMacro(L"LcFormTest", L"System", L"/Play " + Utf8ToWide(path)));
    results.push_back(DdeExecuteMacro(L"LcFormTest", L"System", L"/Play"));
    sent = 1;
  });
  for (int i = 0; i < 400 && !sent; ++i) Pump(10);
  client.join();
  EXPECT_EQ((std::vector<UINT>{0, 0, 0}), results);
  // The first replaced the list and played; the second, within a second, joined it.
  EXPECT_EQ((std::vector<std::string>{folder.File("a.avi"), folder.File("b.avi")}),
            form->Playlist().Entries().PlaylistMovies);
  EXPECT_EQ(1, std::count(stamping.Log.begin(), stamping.Log.end(), "OpenMovie play parts"));
  form->SetCommands(&rooms);
}

TEST_F(SystemEventsTest, MacrosWaitForTheFirstActivationAndAnIdlePlayer) {
  lc::settings::testing::WriteBytes(folder.File("a.avi"), "x");
  Program().Settings.MediaExtensions = {"avi"};
  form->SystemExecuteMacro({"/AddFile " + folder.File("a.avi")});
  EXPECT_TRUE(form->Playlist().Entries().PlaylistMovies.empty());
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  Program().BusyFlag = true;
  form->SystemExecuteMacro({"/AddFile " + folder.File("a.avi")});
  EXPECT_TRUE(form->Playlist().Entries().PlaylistMovies.empty());
  Program().BusyFlag = false;
  form->SystemExecuteMacro({"/AddFile " + folder.File("a.avi")});
  EXPECT_EQ(std::vector<std::string>{folder.File("a.avi")}, form->Playlist().Entries().PlaylistMovies);
  EXPECT_TRUE(rooms.Log.empty() || rooms.Log.back().rfind("OpenMovie", 0) != 0) << "appending plays nothing";
}

TEST_F(SystemEventsTest, DockedSatellitesFollowTheMainWindow) {
  TForm docked(L"TfrmDockA"), apart(L"TfrmDockB");
  form->SetBounds(300, 300, form->Width(), form->Height());
  form->Show();
  // Touching the main window's right edge, far above it: docked all the same.
  docked.SetBounds(300 + form->Width(), 10, 100, 100);
  apart.SetBounds(301 + form->Width(), 500, 100, 100);
  docked.Show();
  apart.Show();
  DockTable[DockVideoWindow].Form = &docked;
  DockTable[DockPlayList].Form = &apart;
  DockTable[DockEqualizer].Form = nullptr;
  SendMessageW(form->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_TRUE(DockTable[DockVideoWindow].Docked);
  EXPECT_FALSE(DockTable[DockPlayList].Docked);
  SetWindowPos(form->Handle(), nullptr, 250, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageW(form->Handle(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(250 + form->Width(), docked.BoundsRect().Left);
  EXPECT_EQ(30, docked.BoundsRect().Top);
  EXPECT_EQ(301 + form->Width(), apart.BoundsRect().Left);
  EXPECT_EQ(500, apart.BoundsRect().Top);
  EXPECT_FALSE(form->InSizeMove);
  DockTable = {};
  docked.Hide();
  apart.Hide();
  form->Hide();
}

TEST_F(SystemEventsTest, OnlyTheEndOfTheSessionThatComesCloses) {
  SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0);
  SendMessageW(form->Handle(), WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(lc::settings::FileExists(Program().Names.ConfigFileName));
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(lc::settings::FileExists(Program().Names.ConfigFileName));
}

TEST_F(SystemEventsTest, TheExceptionBoxEndsWithAFailureCode) {
  // The box is the platform's: it is answered from another thread.
  std::thread answer([] {
    for (int i = 0; i < 200; ++i) {
      if (HWND box = FindWindowW(L"#32770", L"LcFormTest")) {
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(25);
    }
  });
  form->OnExceptionEvent(nullptr, std::make_exception_ptr(std::runtime_error("x")));
  answer.join();
  EXPECT_EQ(1, form->ProcessEnds);
  EXPECT_EQ(1u, form->LastExitCode);
}

}  // namespace
