// The whole program's life cycle where it runs between windows: a close
// asked for while a popup menu or a message box runs its own message loop
// ends the program, with the settings written; a movie that cannot be
// shown again after a display change leaves the player running without
// it, and one that does not render is reported in the plain box under the
// application's title; lists handed over together by second instances are
// each opened; the end of a movie started from outside closes the player
// unless Play after Stop made the movie the user's own; a movie closed or
// stopped as it opens leaves a player that answers, and one ended then ends.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "framework/messages.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::ChildProcess;
using lctest::OpenPopupMenu;
using lctest::ProgramCopy;

constexpr DWORD kStartMs = 30000;

std::wstring WindowText(HWND Window) {
  wchar_t Text[256] = {};
  GetWindowTextW(Window, Text, 256);
  return Text;
}

// Waits up to Ms for the application window's title to read Title.
bool WaitForTitle(DWORD Pid, const std::wstring& Title, DWORD Ms) {
  HWND App = lctest::WaitForWindow(L"TApplication", Pid, Ms);
  for (DWORD Waited = 0; App && Waited < Ms; Waited += 100) {
    if (WindowText(App) == Title) return true;
    Sleep(100);
  }
  return false;
}

// The transport as the main window shows it (framework/messages.h); -1
// when the window does not answer.
LRESULT Transport(HWND Main) {
  DWORD_PTR State = 0;
  if (!SendMessageTimeoutW(Main, WM_QUERYTRANSPORT, 0, 0, SMTO_NORMAL, 10000, &State)) return -1;
  return static_cast<LRESULT>(State);
}

TEST(ProgramLifeCycle, TheEndOfAMovieClosesThePlayerThroughAnOpenPopupMenu) {
  ProgramCopy Copy(L"LcCloseMenu");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "AutoClosePlayerWhenFinished=1", "OsdSize=61"});
  ChildProcess App(Copy.Exe(), L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
  HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
  ASSERT_NE(Main, nullptr);
  ASSERT_TRUE(WaitForTitle(App.Id(), L"LcCloseMenu - 'demo.mp4'", kStartMs));
  ASSERT_TRUE(lctest::WaitUntilPlaying(Main, 0).Playing()) << "the opening did not end";
  ASSERT_NE(OpenPopupMenu(Main, App.Id()), nullptr);
  // Remote code 54 goes to the end: the movie ends while the menu is open.
  PostMessageW(Main, WM_USER + 2000, 54, 0);
  EXPECT_EQ(0u, App.Wait(kStartMs));
  // Written whole at the close: every key, not only the ones given.
  EXPECT_EQ(lctest::SettingsValue(Copy.SettingsFile(), "OsdSize"), "61");
  EXPECT_NE(lctest::SettingsValue(Copy.SettingsFile(), "AllowMultipleInstances"), "<missing>");
  EXPECT_NE(std::string::npos, lctest::ReadFileText(Copy.DataFolder() + L"LcCloseMenu.rs").find("demo.mp4"));
  Copy.Uninstall();
}

// Started on a movie from the command line with "Auto close player when
// finished": pauses keep the player closing at the end of the movie. Play
// after Stop opens the movie again, the user's own opening: the end then
// closes the movie and the player stays.
TEST(ProgramLifeCycle, AfterStopAndPlayTheEndClosesTheMovieButNotThePlayer) {
  constexpr WPARAM kPlay = 3, kPause = 4, kStop = 6, kToTheEnd = 54;
  for (const bool Stops : {false, true}) {
    SCOPED_TRACE(Stops ? "stop and play" : "pause and play");
    ProgramCopy Copy(L"LcRounds");
    lctest::WriteSettingsFile(Copy.SettingsFile(),
                              {"FirstRun=0", "AutoClosePlayerWhenFinished=1", "CloseFileWhenFinished=1"});
    ChildProcess App(Copy.Exe(), L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
    HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
    ASSERT_NE(Main, nullptr);
    ASSERT_TRUE(lctest::WaitUntilPlaying(Main, 0).Playing());
    auto Remote = [Main](WPARAM Code) {
      DWORD_PTR Result = 0;
      SendMessageTimeoutW(Main, WM_USER + 2000, Code, 0, SMTO_NORMAL, 30000, &Result);
    };
    for (int Round = 0; Round < 3; ++Round) {
      Remote(Stops ? kStop : kPause);
      ASSERT_TRUE(lctest::WaitUntil([&] {
        const lctest::Transport T = lctest::QueryTransport(Main);
        return Stops ? !T.Active() : T.Paused();
      }));
      Remote(kPlay);
      ASSERT_TRUE(lctest::WaitUntil([&] { return lctest::QueryTransport(Main).Playing(); }));
    }
    Remote(kToTheEnd);
    if (!Stops) {
      EXPECT_EQ(0u, App.Wait(kStartMs));
    } else {
      // The movie is closed by the same tick that would close the player.
      EXPECT_TRUE(WaitForTitle(App.Id(), L"LcRounds", kStartMs));
      EXPECT_EQ(STILL_ACTIVE, App.Wait(2000));
      PostMessageW(Main, WM_CLOSE, 0, 0);
      EXPECT_EQ(0u, App.Wait(kStartMs));
    }
    Copy.Uninstall();
  }
}

// A close asked for (WM_CLOSE, as the taskbar does) while a loop of its own
// runs in the player: the message box of a missing file, the popup menu.
TEST(ProgramLifeCycle, ACloseWhileAMessageBoxOrThePopupMenuIsOpenEndsTheProgramWithItsSettings) {
  for (const lctest::NestedLoop& Loop : lctest::kNestedLoops) {
    SCOPED_TRACE(Loop.name);
    ProgramCopy Copy(Loop.menu ? L"LcCloseLoopMenu" : L"LcCloseLoopBox");
    lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "OsdSize=62"});
    ChildProcess App(Copy.Exe(), Loop.args);
    HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
    ASSERT_NE(Main, nullptr);
    ASSERT_NE(lctest::EnterNestedLoop(Loop, Main, App.Id()), nullptr);
    PostMessageW(Main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, App.Wait(kStartMs));
    EXPECT_EQ(lctest::SettingsValue(Copy.SettingsFile(), "OsdSize"), "62");
    EXPECT_NE(lctest::SettingsValue(Copy.SettingsFile(), "AllowMultipleInstances"), "<missing>");
    Copy.Uninstall();
  }
}

// The movie cannot be rendered again after a change of the display mode
// (its file went away): the player says so and goes on without a movie.
TEST(ProgramLifeCycle, AMovieThatCannotBeShownAgainAfterADisplayChangeLeavesThePlayerRunningWithoutIt) {
  ProgramCopy Copy(L"LcReload");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "AutoCloseVideoWindow=0"});
  const std::wstring Movie = Copy.ExeFolder() + L"moving.mp4";
  ASSERT_TRUE(CopyFileW(lctest::MediaPath("demo.mp4").c_str(), Movie.c_str(), FALSE));
  ChildProcess App(Copy.Exe(), L"\"" + Movie + L"\"");
  HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
  ASSERT_NE(Main, nullptr);
  ASSERT_TRUE(WaitForTitle(App.Id(), L"LcReload - 'moving.mp4'", kStartMs));
  ASSERT_TRUE(lctest::WaitUntilPlaying(Main, 0).Playing()) << "the opening did not end";
  ASSERT_TRUE(MoveFileW(Movie.c_str(), (Copy.ExeFolder() + L"gone.mp4").c_str()));
  PostMessageW(Main, WM_DISPLAYCHANGE, 32,
               MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
  // The render's own report, then the player's.
  HWND Platform = lctest::WaitForWindow(L"#32770", App.Id(), kStartMs, true);
  ASSERT_NE(Platform, nullptr);
  PostMessageW(Platform, WM_COMMAND, IDOK, 0);
  HWND Box = lctest::WaitForWindow(L"TfrmMessage", App.Id(), kStartMs, true);
  ASSERT_NE(Box, nullptr);
  PostMessageW(Box, WM_CHAR, 27, 0);
  EXPECT_TRUE(WaitForTitle(App.Id(), L"LcReload", kStartMs));
  // Running and answering, with no movie: nothing plays, no graph.
  EXPECT_EQ(0, Transport(Main) & (kTransportGraphActive | kTransportPlaying | kTransportPaused | kTransportOpening));
  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, App.Wait(kStartMs));
  Copy.Uninstall();
}

// A movie that does not render: the render's own report is the plain box,
// titled with the application's title of the moment (the base name, taken
// from the executable's name, and the movie being opened), not with the
// executable's file name; with the platform's words and the code. The
// player's windows wait for it as for any modal box.
TEST(ProgramLifeCycle, TheRenderFailureBoxCarriesTheApplicationsTitle) {
  ProgramCopy Copy(L"LcCorrupt");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0"});
  ChildProcess App(Copy.Exe(), L"\"" + lctest::MediaPath("corrupt.avi") + L"\"");
  HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
  ASSERT_NE(Main, nullptr);
  HWND Platform = lctest::WaitForWindow(L"#32770", App.Id(), kStartMs, true);
  ASSERT_NE(Platform, nullptr);
  EXPECT_EQ(WindowText(Platform), L"LcCorrupt - 'corrupt.avi'");
  EXPECT_TRUE(WindowText(GetDlgItem(Platform, 0xFFFF)).ends_with(L" ($80040218).")) << "the box's text";
  EXPECT_FALSE(IsWindowEnabled(Main));
  PostMessageW(Platform, WM_COMMAND, IDOK, 0);
  HWND Box = lctest::WaitForWindow(L"TfrmMessage", App.Id(), kStartMs, true);
  ASSERT_NE(Box, nullptr);
  PostMessageW(Box, WM_CHAR, 27, 0);
  EXPECT_TRUE(lctest::WaitUntil([&] { return IsWindowEnabled(Main) != FALSE; }));
  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, App.Wait(kStartMs));
  Copy.Uninstall();
}

// A new user's first start (the first-run question answered "No", upon
// which the movie opens) with a close (Ctrl+F4), a stop (V) or the end
// (Alt+X) typed while the movie opens, at moments spread over the opening
// of movies of three kinds: each time the movie closes and the player
// answers at once, or the player ends. A close that came as the movie
// began to play could keep the player waiting for good on the platform's
// teardown of the graph; one that came during the render waited for it.
TEST(ProgramLifeCycle, ACloseStopOrEndTypedAsTheMovieOpensActsAndThePlayerAnswers) {
  const struct {
    const char* Name;
    WORD Key, Modifier;
  } Keys[] = {{"Ctrl+F4", VK_F4, VK_CONTROL}, {"V", 'V', 0}, {"Alt+X", 'X', VK_MENU}};
  const struct {
    const char* Movie;
    DWORD Offsets[4];  // milliseconds after the answer
  } Cases[] = {{"demo.mp4", {100, 220, 340, 460}}, {"clip.mkv", {140, 260, 380, 500}},
               {"clip.avi", {180, 300, 420, 540}}};
  int Turn = 0;
  for (const auto& Case : Cases) {
    for (const DWORD Offset : Case.Offsets) {
      const auto& Typed = Keys[Turn++ % 3];
      SCOPED_TRACE(std::string(Case.Movie) + " " + Typed.Name + " at " + std::to_string(Offset) + " ms");
      ProgramCopy Copy(L"LcCloseOpening");
      {
        ChildProcess App(Copy.Exe(), L"\"" + lctest::MediaPath(Case.Movie) + L"\"");
        HWND Question = lctest::WaitForWindow(L"#32770", App.Id(), kStartMs, true);
        ASSERT_NE(Question, nullptr) << "no first-run question";
        PostMessageW(Question, WM_COMMAND, IDNO, 0);
        Sleep(Offset);
        if (Typed.Modifier != 0)
          lctest::PressKey(Typed.Key, {Typed.Modifier});
        else
          lctest::PressKey(Typed.Key);
        if (Typed.Key == 'X') {
          EXPECT_EQ(0u, App.Wait(kStartMs)) << "the player did not end";
        } else {
          HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
          ASSERT_NE(Main, nullptr);
          DWORD_PTR Answer = 0;
          EXPECT_NE(0, SendMessageTimeoutW(Main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &Answer)) << "no answer";
          constexpr LRESULT Loaded = kTransportGraphActive | kTransportPlaying | kTransportPaused | kTransportOpening;
          EXPECT_TRUE(lctest::WaitUntil([&] { return (Transport(Main) & Loaded) == 0; })) << "the movie stays";
          PostMessageW(Main, WM_CLOSE, 0, 0);
          EXPECT_EQ(0u, App.Wait(kStartMs));
        }
      }
      Copy.Uninstall();
    }
  }
}

// Space typed while each of three kinds of movie renders (the player
// answers then, and tells it is opening): the movie ends up paused once it
// has opened, as when the render held the player and the key waited for
// it. Other keys wait likewise; the ones that end the movie act at once
// (the test above).
TEST(ProgramLifeCycle, AKeyTypedWhileTheMovieRendersActsOnceItHasOpened) {
  int TypedWhileOpening = 0;
  for (const char* Movie : {"demo.mp4", "clip.mkv", "clip.avi"}) {
    SCOPED_TRACE(Movie);
    ProgramCopy Copy(L"LcKeyOpening");
    lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0"});
    {
      ChildProcess App(Copy.Exe(), L"\"" + lctest::MediaPath(Movie) + L"\"");
      HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
      ASSERT_NE(Main, nullptr);
      LRESULT Seen = 0;
      for (DWORD Start = GetTickCount(); GetTickCount() - Start < kStartMs; Sleep(5)) {
        Seen = Transport(Main);
        if (Seen != -1 && (Seen & (kTransportOpening | kTransportPlaying))) break;
      }
      lctest::PressKey(VK_SPACE);
      if (Seen != -1 && (Seen & kTransportOpening)) ++TypedWhileOpening;
      EXPECT_TRUE(lctest::WaitUntil([&] {
        const LRESULT Now = Transport(Main);
        return Now != -1 && (Now & kTransportPaused) && !(Now & kTransportOpening);
      }, 15000)) << "Space did not pause the movie (" << ((Seen & kTransportOpening) ? "typed as it opened" : "typed once it played") << ")";
      PostMessageW(Main, WM_CLOSE, 0, 0);
      EXPECT_EQ(0u, App.Wait(kStartMs));
    }
    Copy.Uninstall();
  }
  // A machine so quick that no render was caught judges nothing of the
  // hold: it must say so.
  EXPECT_GT(TypedWhileOpening, 0) << "Space was never typed while a movie opened";
}

// ---- the hand-over queue ----

std::string Ansi(const std::wstring& Path) { return std::string(Path.begin(), Path.end()); }  // ASCII paths

// Hands Path over to Main as a second instance does.
void HandOver(HWND Main, HWND From, const std::wstring& Path) {
  std::string Text = Ansi(Path) + "\x01";
  COPYDATASTRUCT Data{0, static_cast<DWORD>(Text.size()), Text.data()};
  SendMessageW(Main, WM_COPYDATA, reinterpret_cast<WPARAM>(From), reinterpret_cast<LPARAM>(&Data));
}

struct TwoHandOvers {
  HWND Main = nullptr;
  std::wstring First, Second;
};
TwoHandOvers* PendingHandOvers = nullptr;

// The player's answer to a query comes while the player waits for it: it
// takes messages sent to it then, but none posted, so both lists handed
// over now arrive before the first one is opened.
LRESULT CALLBACK HandOverTwiceOnTheAnswer(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_COPYDATA && PendingHandOvers) {
    const TwoHandOvers Lists = *PendingHandOvers;
    PendingHandOvers = nullptr;
    HandOver(Lists.Main, Wnd, Lists.First);
    HandOver(Lists.Main, Wnd, Lists.Second);
    return 1;
  }
  return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

TEST(ProgramLifeCycle, ListsHandedOverTogetherAreOpenedEachInItsTurn) {
  ProgramCopy Copy(L"LcQueue");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0"});
  ChildProcess App(Copy.Exe(), L"");
  HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), kStartMs);
  ASSERT_NE(Main, nullptr);
  // Hand-overs are taken from the end of the first activation on.
  for (int I = 0; I < 300 && SendMessageW(Main, WM_QUERYPLAYLISTCOUNT, 0, 0) == -1; ++I) Sleep(100);

  WNDCLASSW Class{};
  Class.lpfnWndProc = HandOverTwiceOnTheAnswer;
  Class.hInstance = GetModuleHandleW(nullptr);
  Class.lpszClassName = L"LcTwoHandOvers";
  RegisterClassW(&Class);
  HWND Sender = CreateWindowW(L"LcTwoHandOvers", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Class.hInstance, nullptr);
  ASSERT_NE(Sender, nullptr);
  TwoHandOvers Lists{Main, lctest::MediaPath("clip.avi"), lctest::MediaPath("clip.mp4")};
  PendingHandOvers = &Lists;
  SendMessageW(Main, WM_QUERYOPENFILELIST, reinterpret_cast<WPARAM>(Sender), 0);
  ASSERT_EQ(nullptr, PendingHandOvers) << "the query was not answered";
  DestroyWindow(Sender);

  EXPECT_TRUE(WaitForTitle(App.Id(), L"LcQueue - 'clip.mp4'", kStartMs));
  for (int I = 0; I < 300 && (Transport(Main) & kTransportOpening); ++I) Sleep(100);
  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, App.Wait(kStartMs));
  // Both were opened, the first one first.
  EXPECT_EQ(lctest::SettingsValue(Copy.SettingsFile(), "RecentFile1"), Ansi(lctest::MediaPath("clip.mp4")));
  EXPECT_EQ(lctest::SettingsValue(Copy.SettingsFile(), "RecentFile2"), Ansi(lctest::MediaPath("clip.avi")));
  Copy.Uninstall();
}

}  // namespace
