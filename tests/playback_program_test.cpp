// The whole program with a movie on its command line: the movie opens into
// the video window and plays there (its picture on the screen, its name in
// the title), and closing stores its remembered settings. Moved beside the
// playlist or the equalizer, the video window snaps to them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <windows.h>

#include "framework/messages.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

std::wstring WindowText(HWND Window) {
  wchar_t Text[256] = {};
  GetWindowTextW(Window, Text, 256);
  return Text;
}

// Points of the window on the screen, on a grid, that are clearly coloured
// (not black, grey or the key colour).
int ColouredPixels(HWND Window) {
  RECT R{};
  GetWindowRect(Window, &R);
  const int W = R.right - R.left, H = R.bottom - R.top;
  HDC Dc = GetDC(nullptr);
  int Count = 0;
  for (int Y = H / 8; Y < H; Y += H / 8)
    for (int X = W / 16; X < W; X += W / 16) {
      const COLORREF C = GetPixel(Dc, R.left + X, R.top + Y);
      const int Hi = std::max({GetRValue(C), GetGValue(C), GetBValue(C)});
      const int Lo = std::min({GetRValue(C), GetGValue(C), GetBValue(C)});
      if (Hi > 150 && Hi - Lo > 100 && C != RGB(16, 0, 16)) ++Count;
    }
  ReleaseDC(nullptr, Dc);
  return Count;
}

TEST(ProgramPlayback, AMovieOnTheCommandLinePlaysInTheVideoWindow) {
  lctest::ProgramCopy Copy(L"LcPlays");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "RememberMovieSettings=1"});
  lctest::ChildProcess App(Copy.Exe(), L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
  ASSERT_TRUE(App.Started());
  HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), 30000);
  ASSERT_NE(Main, nullptr);
  HWND Title = lctest::WaitForWindow(L"TApplication", App.Id(), 10000);
  ASSERT_NE(Title, nullptr);
  for (int I = 0; I < 150 && WindowText(Title) != L"LcPlays - 'demo.mp4'"; ++I) lctest::Pump(100);
  EXPECT_EQ(L"LcPlays - 'demo.mp4'", WindowText(Title));

  HWND Video = lctest::WaitForWindow(L"TfrmVideoWindow", App.Id(), 10000, true);
  ASSERT_NE(Video, nullptr);
  int Coloured = 0;
  for (int I = 0; I < 100 && (Coloured = ColouredPixels(Video)) < 20; ++I) lctest::Pump(100);
  EXPECT_GE(Coloured, 20);

  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, App.Wait(30000));
  const std::string Remembered = lctest::ReadFileText(Copy.DataFolder() + L"LcPlays.rs");
  EXPECT_NE(std::string::npos, Remembered.find("demo.mp4"));
  Copy.Uninstall();
}

RECT BoundsOf(HWND Window) {
  RECT R{};
  GetWindowRect(Window, &R);
  return R;
}

// Moves the window's top-left corner to (X, Y) as the platform's move loop
// does (between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE), or plainly; returns
// where it ended.
RECT MoveTo(HWND Window, int X, int Y, bool InMoveLoop) {
  if (InMoveLoop) SendMessageW(Window, WM_ENTERSIZEMOVE, 0, 0);
  SetWindowPos(Window, nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (InMoveLoop) SendMessageW(Window, WM_EXITSIZEMOVE, 0, 0);
  return BoundsOf(Window);
}

TEST(ProgramPlayback, TheVideoWindowSnapsToThePlaylistAndTheEqualizer) {
  lctest::ProgramCopy Copy(L"LcSnaps");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "EqualizerShow=1", "AutoClosePlayerWhenFinished=0"});
  lctest::ChildProcess App(Copy.Exe(), L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
  ASSERT_TRUE(App.Started());
  HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), 30000);
  ASSERT_NE(Main, nullptr);
  HWND Video = lctest::WaitForWindow(L"TfrmVideoWindow", App.Id(), 20000, true);
  // Started with a movie, the player keeps the playlist hidden: the remote
  // control's code 55 shows it.
  SendMessageW(Main, WM_REMOTECOMMAND, 55, 0);
  HWND List = lctest::WaitForWindow(L"TfrmPlayList", App.Id(), 10000, true);
  HWND Equalizer = lctest::WaitForWindow(L"TfrmEqualizer", App.Id(), 10000, true);
  ASSERT_NE(Video, nullptr);
  ASSERT_NE(List, nullptr);
  ASSERT_NE(Equalizer, nullptr);
  lctest::Pump(1000);  // the opening has placed the video window

  // The playlist and the equalizer stand apart, clear of the main window
  // and of the screen's edges.
  const RECT M = BoundsOf(Main);
  const int Left = M.right < 900 ? 1000 : 100;
  const RECT P = MoveTo(List, Left, 100, false);
  const RECT E = MoveTo(Equalizer, Left, 560, false);
  const RECT V = BoundsOf(Video);
  ASSERT_LT(P.bottom + 20, E.top);
  ASSERT_LT(std::max(P.right, E.right) + 8 + (V.right - V.left), 1900);

  // A plain move is not snapped; the same move in the move loop is.
  EXPECT_EQ(P.right + 6, MoveTo(Video, P.right + 6, P.top + 4, false).left);
  RECT Snapped = MoveTo(Video, P.right + 6, P.top + 4, true);
  EXPECT_EQ(P.right, Snapped.left);
  EXPECT_EQ(P.top, Snapped.top);
  Snapped = MoveTo(Video, E.right + 8, E.top - 5, true);
  EXPECT_EQ(E.right, Snapped.left);
  EXPECT_EQ(E.top, Snapped.top);

  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, App.Wait(30000));
  Copy.Uninstall();
}

}  // namespace
