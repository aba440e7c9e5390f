// The whole program with a movie on its command line: the movie opens into
// the video window and plays there (its picture on the screen, its name in
// the title), and closing stores its remembered settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <windows.h>

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

}  // namespace
