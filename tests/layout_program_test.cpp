// The running program's windows as the user sees them. The configuration
// dialog in a language whose every text is 45 % longer than the built-in
// one, read from the screen: on every page the check boxes, the
// check-list lines and the caption buttons show their captions whole (the
// ink stops short of the control's edges), and no control covers another.
// The message boxes of a missing movie and of a second start that could
// not hand its files over: each as large as its text needs.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

#include "settings/tests/language_files.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"
#include "tests/support/screen_grab.h"

namespace {

using lctest::ScreenGrab;
using Lines = std::vector<std::string>;
using lctest::WaitUntil;

// The visible windows inside Parent, all levels, with their rectangles in
// Dialog's client coordinates.
struct Child {
  HWND Window;
  std::wstring Class;
  RECT Box;
  HWND Parent;
};

void Collect(HWND Parent, HWND Dialog, std::vector<Child>& Out) {
  for (HWND W = GetWindow(Parent, GW_CHILD); W; W = GetWindow(W, GW_HWNDNEXT)) {
    if (!IsWindowVisible(W)) continue;
    wchar_t Class[64] = {};
    GetClassNameW(W, Class, 64);
    RECT R;
    GetClientRect(W, &R);
    MapWindowPoints(W, Dialog, reinterpret_cast<POINT*>(&R), 2);
    Out.push_back({W, Class, R, Parent});
    Collect(W, Dialog, Out);
  }
}

bool Dark(const ScreenGrab& G, int X, int Y) { return G.R(X, Y) + G.G(X, Y) + G.B(X, Y) < 200; }
bool CaptionInk(const ScreenGrab& G, int X, int Y) {
  // The caption buttons' text colour, RGB(22, 97, 22).
  return std::abs(G.R(X, Y) - 22) < 24 && std::abs(G.G(X, Y) - 97) < 24 && std::abs(G.B(X, Y) - 22) < 24;
}

// Columns of Box (client coordinates of the grab) holding a pixel that
// Ink accepts: the first and the last, or -1, -1.
template <class F>
std::pair<int, int> InkColumns(const ScreenGrab& G, const RECT& Box, F Ink) {
  int First = -1, Last = -1;
  for (int X = std::max(0L, Box.left); X < std::min<LONG>(G.Width(), Box.right); ++X)
    for (int Y = std::max(0L, Box.top); Y < std::min<LONG>(G.Height(), Box.bottom); ++Y)
      if (Ink(G, X, Y)) {
        if (First < 0) First = X;
        Last = X;
        break;
      }
  return {First, Last};
}

bool IsCheckBox(const Child& C) {
  const LONG Type = GetWindowLongW(C.Window, GWL_STYLE) & BS_TYPEMASK;
  return C.Class == L"Button" && (Type == BS_AUTOCHECKBOX || Type == BS_CHECKBOX);
}
// A skinned caption button of a page: a panel as high as the button.
bool IsCaptionButton(const Child& C) { return C.Class == L"TPanel" && C.Box.bottom - C.Box.top == 20; }

// What is wrong on the page shown now; empty when nothing is.
std::vector<std::string> PageFaults(HWND Dialog, int Page) {
  std::vector<Child> Children;
  Collect(Dialog, Dialog, Children);
  const ScreenGrab G(Dialog);
  std::vector<std::string> Faults;
  const auto Fault = [&](const Child& C, const std::string& What) {
    Faults.push_back("page " + std::to_string(Page) + ": " + std::string(C.Class.begin(), C.Class.end()) + " at " +
                     std::to_string(C.Box.left) + "," + std::to_string(C.Box.top) + " " + What);
  };
  for (const Child& C : Children) {
    if (IsCaptionButton(C)) {
      const auto [First, Last] = InkColumns(G, C.Box, CaptionInk);
      if (First < 0) Fault(C, "shows no caption");
      if (First >= 0 && (First < C.Box.left + 3 || Last > C.Box.right - 4)) Fault(C, "cuts its caption");
    } else if (IsCheckBox(C)) {
      const auto [First, Last] = InkColumns(G, C.Box, Dark);
      if (First < 0) Fault(C, "shows no caption");
      if (Last > C.Box.right - 3) Fault(C, "cuts its caption");
    } else if (C.Class == L"ListBox") {
      // Owner-drawn lines in the dark text colour on a light ground; a list
      // the screen still shows dark all over has not been painted yet.
      const auto [First, Last] = InkColumns(G, C.Box, Dark);
      const bool Painted = InkColumns(G, C.Box, [](const ScreenGrab& S, int X, int Y) { return !Dark(S, X, Y); }).first >= 0;
      if (!Painted) Fault(C, "shows no lines");
      else if (Last > C.Box.right - 3) Fault(C, "cuts a line");
    }
    for (const Child& O : Children) {
      if (&O <= &C || O.Parent != C.Parent) continue;
      RECT Both;
      RECT A, B;
      GetWindowRect(C.Window, &A);
      GetWindowRect(O.Window, &B);
      if (IntersectRect(&Both, &A, &B)) Fault(C, "overlaps a " + std::string(O.Class.begin(), O.Class.end()));
    }
  }
  return Faults;
}

TEST(LayoutProgram, EveryConfigurationPageShowsItsCaptionsWholeInALanguageNearlyHalfAgainAsLong) {
  lctest::ProgramCopy Copy(L"LcLayoutCopy");
  CreateDirectoryW((Copy.ExeFolder() + L"lang").c_str(), nullptr);
  lctest::WriteFileText(Copy.ExeFolder() + L"lang\\Longer.lng",
                        lc::settings::testing::LanguageFileText(lc::settings::testing::LongerTable(45), "the tests"));
  lctest::WriteSettingsFile(Copy.SettingsFile(),
                            {"FirstRun=0", "EqualizerShow=0", "PlayListShow=0", "LastUsedLanguage=Longer"});
  lctest::ChildProcess App(Copy.Exe(), L"");
  const HWND Main = lctest::WaitForVisibleMainWindow(App.Id(), 30000);
  ASSERT_NE(nullptr, Main);
  ASSERT_TRUE(lctest::MakeForeground(Main));
  lctest::PressKey('P', {VK_CONTROL});
  const HWND Dialog = lctest::WaitForWindow(L"TfrmConfig", App.Id(), 20000, true);
  ASSERT_NE(nullptr, Dialog);
  // The longer texts widen the dialog beyond its face's 520 pixels.
  RECT Client;
  GetClientRect(Dialog, &Client);
  EXPECT_GT(Client.right, 520);
  // Down, typed into the tree of pages, goes where the keyboard is: to the
  // dialog once it is the active window.
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == Dialog; }, 20000));
  for (int Page = 0; Page < 5; ++Page) {
    if (Page > 0) {
      const LRESULT Before = lctest::SelectedTreeItem(Dialog);
      lctest::PressKey(VK_DOWN);
      ASSERT_TRUE(WaitUntil([&] { return lctest::SelectedTreeItem(Dialog) != Before; }, 20000))
          << "Down did not move to page " << Page;
    }
    std::vector<std::string> Faults;
    // Until the page has been painted whole (its captions and lines are there).
    WaitUntil(
        [&] {
          Faults = PageFaults(Dialog, Page);
          for (const std::string& F : Faults)
            if (F.find("shows no ") != std::string::npos) return false;
          return true;
        },
        20000);
    for (const std::string& F : Faults) ADD_FAILURE() << F;
  }
  PostMessageW(Dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(Dialog); }, 20000));
  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, App.Wait(30000));
  Copy.Uninstall();
}

// The lines the message box on show in a copy's process wraps its text
// into (its main window answers for it).
Lines MessageBoxLines(HWND Main) {
  Lines Out;
  std::istringstream In(lctest::QueryFace(Main)["MessageBoxLines"]);
  for (std::string Line; std::getline(In, Line, '|');) Out.push_back(Line);
  return Out;
}

SIZE ClientSize(HWND Window) {
  RECT R{};
  GetClientRect(Window, &R);
  return {R.right, R.bottom};
}

// A missing movie's name wider than the skin (486 x 254) grows its box
// sideways, and the box is only as high as a box of the skin's width with
// the same four lines: max(4 lines + 20, 486 div 3) + 62 below the text.
// A second start that cannot hand its files over (the running player's
// window is hidden by the boss key) lists them: a name with blanks that
// fits a line stands whole on it, one that does not breaks after a folder.
TEST(LayoutProgram, MessageBoxesFitTheirText) {
  lctest::ProgramCopy Copy(L"LcBoxes");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "EqualizerShow=0", "PlayListShow=0"});
  const std::string Long = "the_lake_in_the_mountains_with_the_family_summer_holidays_2026_part_one.avi";
  lctest::ChildProcess First(Copy.Exe(), L"\"Z:\\no\\such\\" + std::wstring(Long.begin(), Long.end()) + L"\"");
  const HWND Main = lctest::WaitForVisibleMainWindow(First.Id(), 30000);
  ASSERT_NE(nullptr, Main);
  const HWND Missing = lctest::WaitForWindow(L"TfrmMessage", First.Id(), 30000, true);
  ASSERT_NE(nullptr, Missing) << "no box for the missing movie";
  EXPECT_EQ(MessageBoxLines(Main), (Lines{"File", "\"Z:\\no\\such\\", Long + "\"", "doesn't exist!"}));
  const SIZE Size = ClientSize(Missing);
  EXPECT_GT(Size.cx, 486);
  EXPECT_EQ(224, Size.cy);
  PostMessageW(Missing, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(Missing); }, 20000));

  SendMessageW(Main, WM_HOTKEY, 1, 0);
  ASSERT_FALSE(IsWindowVisible(Main));
  const std::string Fits = "C:\\Films\\Deepfolder\\Second part of the movie.avi";
  const std::string Wide = "C:\\users\\Christopher\\Videos\\Family films\\Summer 2019 in the mountains\\Second part.avi";
  lctest::ChildProcess Second(Copy.Exe(), L"\"" + std::wstring(Fits.begin(), Fits.end()) + L"\" \"" +
                                              std::wstring(Wide.begin(), Wide.end()) + L"\"");
  const HWND Box = lctest::WaitForWindow(L"TfrmMessage", Second.Id(), 30000, true);
  ASSERT_NE(nullptr, Box) << "the second start said nothing";
  const HWND SecondMain = lctest::WaitForWindow(L"TfrmMain", Second.Id(), 5000);
  ASSERT_NE(nullptr, SecondMain);
  EXPECT_EQ(MessageBoxLines(SecondMain),
            (Lines{"LcBoxes is running but did not take these files:", "\"" + Fits + "\"",
                   "\"C:\\users\\Christopher\\Videos\\Family films\\", "Summer 2019 in the mountains\\Second part.avi\""}));
  PostMessageW(Box, WM_CLOSE, 0, 0);
  EXPECT_EQ(1u, Second.Wait(20000));
  SendMessageW(Main, WM_HOTKEY, 2, 0);
  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(0u, First.Wait(30000));
  Copy.Uninstall();
}

}  // namespace
