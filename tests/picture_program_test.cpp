// The running program's picture as the screen shows it, driven by the
// remote-control codes a user's remote (or key) sends: the colour bars
// (red, green, blue, white) stay whole after Stop and Play, in a window
// and in full screen; an aspect change leaves no pixel of the old shape
// while its message shows; a click on the full-screen picture brings
// the player's other windows in front of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/messages.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"
#include "tests/support/screen_grab.h"

namespace {

using lctest::ScreenGrab;

// Remote-control codes.
constexpr WPARAM kPlay = 3, kStop = 6, kFullScreen = 18;
constexpr WPARAM kRatioOriginal = 34, kRatio169 = 35, kRatio11 = 37, kRatioFree = 38;

// ------------------------------------------------------------ the bars

enum class Shade { Black, Red, Green, Blue, White, Other };

Shade ShadeAt(const ScreenGrab& S, int X, int Y) {
  const int R = S.R(X, Y), G = S.G(X, Y), B = S.B(X, Y);
  if (R < 48 && G < 48 && B < 48) return Shade::Black;
  if (R > 180 && G > 180 && B > 180) return Shade::White;
  if (R > 180 && G < 80 && B < 80) return Shade::Red;
  if (G > 180 && R < 80 && B < 80) return Shade::Green;
  if (B > 180 && R < 80 && G < 80) return Shade::Blue;
  return Shade::Other;
}

// A copy of the player with its video window (Width x 300) at (100, 100)
// and the movie repeating; Start runs it on a movie.
class RunningPicture : public lctest::RunningCopy {
 public:
  RunningPicture(const wchar_t* Base, std::vector<std::string> Settings = {}, int Width = 400) : RunningCopy(Base) {
    for (const char* Line : {"FirstRun=0", "RepeatStatus=1", "VideoWindowXPosition=100", "VideoWindowYPosition=100",
                             "VideoWindowHeight=300"})
      Settings.push_back(Line);
    Settings.push_back("VideoWindowWidth=" + std::to_string(Width));
    lctest::WriteSettingsFile(Copy.SettingsFile(), Settings);
  }
  // Stops the movie, again while an opening still refuses it, until the
  // picture went; false when it stayed.
  bool StopPicture() {
    for (int I = 0; I < 50; ++I) {
      Remote(kStop);
      if (ShadeAt(ScreenGrab(Control), 300, 200) == Shade::Black) return true;
      Sleep(200);
    }
    return false;
  }
  // Sends a remote-control code and waits until the command has run.
  void Remote(WPARAM Code) {
    DWORD_PTR Result = 0;
    SendMessageTimeoutW(Main, WM_REMOTECOMMAND, Code, 0, SMTO_NORMAL, 30000, &Result);
  }
};

// Where a point of the control lies: in bar 0..3 of the bars placed at
// Picture, outside them (-1), or within 3 pixels of an edge (-2).
int BarAt(const RECT& Picture, int X, int Y) {
  const auto Near = [](int V, int Edge) { return V >= Edge - 3 && V < Edge + 3; };
  if (Near(Y, Picture.top) || Near(Y, Picture.bottom) || Near(X, Picture.left) || Near(X, Picture.right)) return -2;
  if (Y < Picture.top || Y >= Picture.bottom || X < Picture.left || X >= Picture.right) return -1;
  const int PW = Picture.right - Picture.left;
  for (int I = 1; I < 4; ++I)
    if (Near(X, Picture.left + I * PW / 4)) return -2;
  return (X - Picture.left) * 4 / PW;
}

// Points of the control in Area, every 8 columns and 6 rows and outside
// Covered, that differ from the bars placed at Picture with black around
// them; Looked counts the points looked at.
int WrongPoints(const ScreenGrab& S, const RECT& Picture, const RECT& Area, const RECT& Covered, int* Looked = nullptr) {
  constexpr Shade kBars[4] = {Shade::Red, Shade::Green, Shade::Blue, Shade::White};
  int Wrong = 0, Seen = 0;
  for (int Y = std::max<int>(Area.top, 0); Y < std::min<int>(Area.bottom, S.Height()); Y += 6)
    for (int X = std::max<int>(Area.left, 2); X < std::min<int>(Area.right, S.Width()); X += 8) {
      const POINT P{X, Y};
      const int Bar = BarAt(Picture, X, Y);
      if (Bar == -2 || PtInRect(&Covered, P)) continue;
      ++Seen;
      Wrong += ShadeAt(S, X, Y) != (Bar < 0 ? Shade::Black : kBars[Bar]);
    }
  if (Looked) *Looked = Seen;
  return Wrong;
}

// Waits up to Ms for the bars at Picture below row SkipTop (the on-screen
// message above) and beside the main window; the points still wrong then.
int WaitForBars(const RunningPicture& P, const RECT& Picture, int SkipTop, DWORD Ms) {
  const DWORD Start = GetTickCount();
  int Wrong = 0;
  do {
    Wrong = WrongPoints(ScreenGrab(P.Control), Picture, {0, SkipTop, INT_MAX, INT_MAX}, P.MainOverControl());
    if (Wrong == 0) return 0;
    Sleep(50);
  } while (GetTickCount() - Start < Ms);
  return Wrong;
}

constexpr RECT kWindowed = {0, 0, 400, 300};  // 4:3 fills the 400 x 300 window
constexpr RECT kFull = {240, 0, 1680, 1080};  // 4:3 on the 1920 x 1080 display
constexpr int kWindowSkip = 60, kFullSkip = 200;

// Started in a window and started in full screen: after Stop and Play the
// bars are whole, and stay whole into the other mode and back.
TEST(ProgramPicture, PlayAfterStopShowsTheWholePictureInAWindowAndInFullScreen) {
  const struct { const char* Setting; RECT Opened, Other; int OpenedSkip, OtherSkip; } Starts[] = {
      {"FullscreenOnLoad=0", kWindowed, kFull, kWindowSkip, kFullSkip},
      {"FullscreenOnLoad=1", kFull, kWindowed, kFullSkip, kWindowSkip}};
  for (const auto& S : Starts) {
    SCOPED_TRACE(S.Setting);
    RunningPicture P(L"LcStopPlay", {S.Setting});
    ASSERT_TRUE(P.Start(lctest::MediaPath("bars.mp4")));
    ASSERT_EQ(0, WaitForBars(P, S.Opened, S.OpenedSkip, 20000));
    ASSERT_TRUE(P.StopPicture());
    P.Remote(kPlay);
    EXPECT_EQ(0, WaitForBars(P, S.Opened, S.OpenedSkip, 15000)) << "after Stop and Play";
    P.Remote(kFullScreen);
    EXPECT_EQ(0, WaitForBars(P, S.Other, S.OtherSkip, 15000)) << "in the other mode";
    P.Remote(kFullScreen);
    EXPECT_EQ(0, WaitForBars(P, S.Opened, S.OpenedSkip, 15000)) << "back";
  }
}

// In a 480 x 300 window the 4:3 bars stand between black strips; each
// change of shape is checked while its message is still on show (over 2
// s): the whole control has the new shape by then, the strips of the old
// one gone from below the message too.
TEST(ProgramPicture, AnAspectChangeLeavesNoPixelOfTheOldShape) {
  RunningPicture P(L"LcAspect", {}, 480);
  ASSERT_TRUE(P.Start(lctest::MediaPath("bars.mp4")));
  ASSERT_EQ(0, WaitForBars(P, {40, 0, 440, 300}, kWindowSkip, 20000));
  const struct { WPARAM Code; RECT Picture; } Changes[] = {
      {kRatioFree, {0, 0, 480, 300}}, {kRatio169, {0, 15, 480, 285}}, {kRatio11, {90, 0, 390, 300}},
      {kRatioOriginal, {40, 0, 440, 300}}};
  for (const auto& C : Changes) {
    SCOPED_TRACE("remote code " + std::to_string(C.Code));
    P.Remote(C.Code);
    EXPECT_EQ(0, WaitForBars(P, C.Picture, kWindowSkip, 1000));
  }
}

// -------------------------------------------- the main window behind

// The main window's place over the control: how many of its points show
// the bars at Picture and how many were looked at.
struct MainPlace {
  int Wrong = 0, Looked = 0;
  bool Behind() const { return Looked > 0 && Wrong == 0; }
  bool InFront() const { return Wrong * 2 > Looked; }
};

MainPlace LookUnderMain(const RunningPicture& P, const RECT& Picture) {
  MainPlace M;
  M.Wrong = WrongPoints(ScreenGrab(P.Control), Picture, P.MainOverControl(), RECT{}, &M.Looked);
  return M;
}

// In full screen the main window that H brought in front of the picture
// goes behind it again with H, Escape and a click on the picture: the
// player says it is parked, and the screen shows the picture where it lies.
TEST(ProgramPicture, TheParkedMainWindowIsSeenBehindTheFullScreenPicture) {
  RunningPicture P(L"LcParked", {"FullscreenOnLoad=1", "AutoHideMainWindow=1"});
  ASSERT_TRUE(P.Start(lctest::MediaPath("bars.mp4")));
  RECT Shared{};
  const RECT Main = P.MainOverControl();
  ASSERT_TRUE(IntersectRect(&Shared, &Main, &kFull)) << "the main window lies over the picture";
  SetForegroundWindow(GetAncestor(P.Control, GA_ROOT));
  using lctest::QueryWindows;
  using lctest::WaitUntil;
  auto State = [&] { return QueryWindows(P.Main) & (kWindowsFullScreen | kWindowsMainParked | kWindowsMainEnabled); };
  ASSERT_TRUE(WaitUntil([&] { return State() == (kWindowsFullScreen | kWindowsMainParked); }, 20000));
  ASSERT_TRUE(WaitUntil([&] { return (QueryWindows(P.Main) & kWindowsPictureFocus) != 0; }, 20000));
  EXPECT_TRUE(WaitUntil([&] { return LookUnderMain(P, kFull).Behind(); }, 20000)) << "after the opening";

  POINT OnPicture{kFull.left + 100, 100};  // beside the main window, below the message
  ClientToScreen(P.Control, &OnPicture);
  const struct {
    const char* Name;
    std::function<void()> Send;
  } Ways[] = {{"H", [] { lctest::PressKey('H'); }},
              {"Escape", [] { lctest::PressKey(VK_ESCAPE); }},
              {"a click on the picture", [&] { lctest::ClickAt(OnPicture.x, OnPicture.y); }}};
  for (const auto& Way : Ways) {
    SCOPED_TRACE(Way.Name);
    lctest::PressKey('H');
    ASSERT_TRUE(WaitUntil([&] { return State() == (kWindowsFullScreen | kWindowsMainEnabled); }));
    EXPECT_TRUE(WaitUntil([&] { return LookUnderMain(P, kFull).InFront(); })) << "H brings it in front";
    Way.Send();
    ASSERT_TRUE(WaitUntil([&] { return State() == (kWindowsFullScreen | kWindowsMainParked); }));
    const bool Behind = WaitUntil([&] { return LookUnderMain(P, kFull).Behind(); });
    const MainPlace Seen = LookUnderMain(P, kFull);
    EXPECT_TRUE(Behind) << Seen.Wrong << " of " << Seen.Looked << " points show the main window";
  }
}

// In full screen a click on the picture brings the parked main window and
// every other window the player shows in front of the picture: the shown
// equalizer too, first in the window order and on the screen.
TEST(ProgramPicture, AClickOnTheFullScreenPictureBringsTheEqualizerInFront) {
  // The equalizer at (300, 600) of the 1920 x 1080 display: over the
  // picture, below its message, clear of the main window in the middle.
  RunningPicture P(L"LcEqualizerFront", {"FullscreenOnLoad=1", "AutoHideMainWindow=1", "EqualizerShow=1",
                                         "EqualizerXPosition=15625", "EqualizerYPosition=55556"});
  ASSERT_TRUE(P.Start(lctest::MediaPath("bars.mp4")));
  DWORD Pid = 0;
  GetWindowThreadProcessId(P.Main, &Pid);
  const HWND Equalizer = lctest::WaitForWindow(L"TfrmEqualizer", Pid, 20000, true);
  ASSERT_NE(nullptr, Equalizer);
  const HWND Video = GetAncestor(P.Control, GA_ROOT);
  using lctest::QueryWindows;
  using lctest::WaitUntil;
  ASSERT_TRUE(WaitUntil([&] { return (QueryWindows(P.Main) & kWindowsMainParked) != 0; }, 20000));
  // Where the equalizer lies over the picture, and whether the screen shows
  // the bars there (behind) or mostly something else (in front).
  const auto Seen = [&] {
    RECT R{};
    GetWindowRect(Equalizer, &R);
    MapWindowPoints(nullptr, P.Control, reinterpret_cast<POINT*>(&R), 2);
    MainPlace M;
    M.Wrong = WrongPoints(ScreenGrab(P.Control), kFull, R, RECT{}, &M.Looked);
    return M;
  };
  // The first of the two in the window order, from the top.
  const auto InFrontOfVideo = [&] {
    for (HWND W = GetTopWindow(nullptr); W; W = GetWindow(W, GW_HWNDNEXT)) {
      if (W == Equalizer) return true;
      if (W == Video) return false;
    }
    return false;
  };
  ASSERT_TRUE(WaitUntil([&] { return Seen().Behind(); }, 20000)) << "the full-screen picture covers the equalizer";
  ASSERT_FALSE(InFrontOfVideo());

  POINT OnPicture{kFull.left + 100, 300};  // beside the main window and the equalizer
  ClientToScreen(P.Control, &OnPicture);
  lctest::ClickAt(OnPicture.x, OnPicture.y);
  ASSERT_TRUE(WaitUntil([&] { return (QueryWindows(P.Main) & kWindowsMainParked) == 0; }));
  EXPECT_TRUE(WaitUntil(InFrontOfVideo)) << "in the window order";
  const bool Shown = WaitUntil([&] { return Seen().InFront(); });
  const MainPlace Last = Seen();
  EXPECT_TRUE(Shown) << Last.Wrong << " of " << Last.Looked << " points show the equalizer";
  EXPECT_TRUE(WaitUntil([&] { return LookUnderMain(P, kFull).InFront(); })) << "the main window";
}

}  // namespace
