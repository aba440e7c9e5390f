// Where H and F12 bring the window that takes the focus: the main window
// into the work area, the video window a tenth of the screen inside; and
// which window takes the keyboard from one that hides.
#include "player/focus_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
  TPoint From;
  TSize Size;
  TRect Area;
  TPoint Want;
};

TEST(FocusRules, TheMainWindowIsPulledIntoTheArea) {
  const TRect Work = Bounds(0, 0, 1024, 738);
  const Case Cases[] = {
      {{100, 100}, {460, 150}, Work, {100, 100}},
      {{900, 700}, {460, 150}, Work, {564, 588}},
      {{-50, -20}, {460, 150}, Work, {0, 0}},
      // The left monitor of a desktop that starts at -1280.
      {{-2000, 50}, {460, 150}, Bounds(-1280, 0, 1280, 1024), {-1280, 50}},
      // Larger than the area: its left and top edges win.
      {{10, 10}, {1200, 900}, Work, {0, 0}},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(lc::PullIntoArea(C.From, C.Size, C.Area), C.Want) << C.From.X << "," << C.From.Y;
  }
}

TEST(FocusRules, TheVideoWindowKeepsATenthOfTheScreen) {
  const TRect Screen = Bounds(0, 0, 1920, 1080);
  const Case Cases[] = {
      {{100, 100}, {400, 300}, Screen, {100, 100}},
      {{1800, 1000}, {400, 300}, Screen, {1728, 972}},
      {{-500, -400}, {400, 300}, Screen, {-208, -192}},
      {{-2000, 500}, {400, 300}, Bounds(-1280, 0, 3200, 1080), {-1360, 500}},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(lc::KeepTenthInside(C.From, C.Size, C.Area), C.Want) << C.From.X << "," << C.From.Y;
  }
}

// A window as its letters tell: s shows, e enabled, l leaving, b parked
// behind the full-screen picture.
lc::KeyboardWindow W(const char* Letters) {
  const std::string L = Letters;
  auto Has = [&L](char C) { return L.find(C) != std::string::npos; };
  return {Has('s'), Has('e'), Has('l'), Has('b')};
}

struct HeirCase {
  const char* What;
  std::vector<lc::KeyboardWindow> Windows;  // main, video, playlist, then others
  int Preferred;
  int Want;
};

TEST(FocusRules, TheKeyboardGoesToAWindowThatShowsAndTakesInput) {
  const HeirCase Cases[] = {
      {"the video window hides with the movie", {W("se"), W("sel"), W("")}, -1, 0},
      {"a minimised or boss-hidden player", {W("el"), W("e"), W("el")}, -1, -1},
      {"every window hides", {W("sel"), W("sel"), W("sel")}, -1, -1},
      {"the playlist closes over the full-screen picture", {W("seb"), W("se"), W("sel")}, -1, 1},
      {"the main window parked and disabled", {W("sb"), W("se"), W("sel")}, -1, 1},
      {"the main window in front of the picture", {W("se"), W("se"), W("sel")}, -1, 0},
      {"only the parked main window is left", {W("seb"), W("sel"), W("")}, -1, 0},
      {"two windows parked behind the picture", {W("seb"), W("sel"), W("seb")}, -1, 0},
      {"a modal dialog over disabled windows", {W("s"), W("s"), W("s"), W("sel"), W("se")}, -1, 4},
      {"the equalizer alone", {W(""), W(""), W(""), W("se")}, -1, 3},
      {"the window that held it shows again", {W("se"), W("se"), W("se")}, 2, 2},
      {"the window that held it is gone", {W("se"), W("se"), W("")}, 2, 0},
      {"it held it parked behind the picture", {W("seb"), W("se"), W("")}, 0, 1},
      {"no such window", {W("s"), W("se")}, 2, 1},
  };
  for (const HeirCase& C : Cases) EXPECT_EQ(lc::KeyboardHeir(C.Windows, C.Preferred), C.Want) << C.What;
}

}  // namespace
