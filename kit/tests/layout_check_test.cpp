#include "kit/layout_check.h"

#include <gtest/gtest.h>

namespace {

using lc::kit::BrokenNameFaults;
using lc::kit::LayoutFaults;
using lc::kit::TLayoutBox;

const TRect Window{0, 0, 300, 200};

TEST(LayoutCheck, ATextFitsItsRoomExactlyAndNotOnePixelMore) {
  TLayoutBox Button{"OK", {10, 10, 90, 30}, -1, {12, 12, 88, 28}, 76, 16};
  EXPECT_TRUE(LayoutFaults({Button}, Window).empty());
  Button.TextWidth = 77;
  ASSERT_EQ(1u, LayoutFaults({Button}, Window).size());
  EXPECT_EQ("OK: text 77x16 in room 76x16", LayoutFaults({Button}, Window)[0]);
  Button.TextWidth = 76;
  Button.TextHeight = 17;
  EXPECT_EQ(1u, LayoutFaults({Button}, Window).size());
}

TEST(LayoutCheck, NeighboursMayTouchButNotShareAPixelInAnyDirection) {
  const TLayoutBox Middle{"middle", {100, 100, 150, 120}};
  struct Case {
    TRect Other;
    bool Fault;
  } Cases[] = {
      {{150, 100, 200, 120}, false},  // touching on the right
      {{149, 100, 200, 120}, true},
      {{50, 100, 100, 120}, false},  // touching on the left
      {{50, 100, 101, 120}, true},
      {{100, 120, 150, 140}, false},  // below
      {{100, 119, 150, 140}, true},
      {{100, 80, 150, 100}, false},  // above
      {{120, 80, 130, 101}, true},
      {{90, 90, 160, 130}, true},  // around it
  };
  for (const Case& C : Cases)
    EXPECT_EQ(C.Fault ? 1u : 0u, LayoutFaults({Middle, {"other", C.Other}}, Window).size())
        << C.Other.Left << "," << C.Other.Top << "," << C.Other.Right << "," << C.Other.Bottom;
}

TEST(LayoutCheck, ABoxStaysInItsAreaAndOnlyMeetsItsOwnAreasNeighbours) {
  const TLayoutBox Page{"page", {100, 0, 300, 200}};
  const TLayoutBox Label{"label", {104, 10, 200, 26}, 0};
  const TLayoutBox Field{"field", {200, 8, 296, 29}, 0};
  EXPECT_TRUE(LayoutFaults({Page, Label, Field}, Window).empty());
  // A box of the page is no neighbour of the page itself, but must stay on it.
  TLayoutBox Wide = Field;
  Wide.Bounds.Right = 301;
  const auto Faults = LayoutFaults({Page, Label, Wide}, Window);
  ASSERT_EQ(1u, Faults.size());
  EXPECT_EQ("field: (200,8)-(301,29) leaves its area (100,0)-(300,200)", Faults[0]);
  // Boxes of the window leave the window.
  EXPECT_EQ(1u, LayoutFaults({{"tree", {-1, 0, 90, 200}}}, Window).size());
  EXPECT_EQ(1u, LayoutFaults({{"tree", {0, 0, 90, 201}}}, Window).size());
  // A box without area checked against another area's box: no fault.
  EXPECT_TRUE(LayoutFaults({Page, Label, {"tree", {0, 0, 100, 200}}}, Window).empty());
}

TEST(LayoutCheck, AnEmptyBoxIsCheckedOnlyForItsText) {
  EXPECT_TRUE(LayoutFaults({{"a", {10, 10, 50, 30}}, {"hidden", {20, 20, 20, 40}}}, Window).empty());
  EXPECT_EQ(1u, LayoutFaults({{"hidden", {500, 20, 500, 40}, -1, {0, 0, 10, 10}, 11, 5}}, Window).size());
}

// A wrapped text may break at its blanks and line ends, and inside a path
// right after a separator; a break in the middle of a name is a fault, and
// so is a line that is not the text.
TEST(LayoutCheck, ANameIsBrokenOnlyAfterAPathSeparator) {
  using Lines = std::vector<std::wstring>;
  using Faults = std::vector<std::string>;
  const std::wstring Text = L"Error reading from \"C:\\Users\\me\\Roaming/x.ini\"!\r\nIt is kept as \"x.bad\".";
  EXPECT_EQ(BrokenNameFaults(Text, Lines{L"Error reading from \"C:\\Users\\me\\", L"Roaming/", L"x.ini\"!",
                                         L"  ", L"It is kept as", L"\"x.bad\"."}),
            Faults{});
  EXPECT_EQ(BrokenNameFaults(Text, Lines{L"Error reading from \"C:\\Users\\me\\Roam", L"ing/x.ini\"!",
                                         L"It is kept as \"x.b", L"ad\"."}),
            (Faults{"breaks \"\"C:\\Users\\me\\Roam|ing/x.ini\"!\"", "breaks \"\"x.b|ad\".\""}));
  EXPECT_EQ(BrokenNameFaults(Text, Lines{L"Error reading to"}), Faults{"line \"Error reading to\" is not the text's"});
  // A blank kept at a line's end, and a paragraph's leading blanks.
  EXPECT_EQ(BrokenNameFaults(L"ab cd\r\n  ef", Lines{L"ab ", L"cd", L"  ef"}), Faults{});
}

// Told how wide a line is, the check also finds a quoted name broken where
// it fits a line whole (25 letters: 250 px), or at a blank where the piece
// after its last separator fits (16 letters); a cut between characters is
// told once, and a blank right after a separator is a break after it.
TEST(LayoutCheck, AQuotedNameIsBrokenOnlyWhereItMust) {
  using Lines = std::vector<std::wstring>;
  using Faults = std::vector<std::string>;
  const std::wstring Text = L"not taken:\r\n\"C:\\Deep\\Second part.avi\"";
  const Lines AtTheBlank{L"not taken:", L"\"C:\\Deep\\Second", L"part.avi\""};
  const Lines AtTheFolder{L"not taken:", L"\"C:\\Deep\\", L"Second part.avi\""};
  const Lines AtBoth{L"not taken:", L"\"C:\\Deep\\", L"Second", L"part.avi\""};
  const Lines Cut{L"not taken:", L"\"C:\\Deep\\", L"Second par", L"t.avi\""};
  const struct {
    std::wstring Text;
    int LineWidth;
    Lines Wrapped;
    Faults Expected;
  } Cases[] = {
      {Text, 300, AtTheBlank, {"breaks the name \"C:\\Deep\\Second part.avi\", which fits a line"}},
      {Text, 300, AtTheFolder, {"breaks the name \"C:\\Deep\\Second part.avi\", which fits a line"}},
      {Text, 200, AtTheBlank, {"breaks Second part.avi\" at a blank, not after a separator"}},
      {Text, 200, AtTheFolder, {}},
      {Text, 100, AtBoth, {}},
      {Text, 200, Cut, {"breaks \"par|t.avi\"\""}},
      {L"x \"C:\\Deep\\ Second.avi\"", 200, {L"x", L"\"C:\\Deep\\", L"Second.avi\""}, {}},
  };
  for (const auto& C : Cases) {
    const auto Fits = [&](const std::wstring& S) { return 10 * static_cast<int>(S.size()) <= C.LineWidth; };
    EXPECT_EQ(BrokenNameFaults(C.Text, C.Wrapped, Fits), C.Expected) << "case " << &C - Cases;
  }
  // Not told, a break at a blank is a break like any other.
  EXPECT_EQ(BrokenNameFaults(Text, AtTheBlank), Faults{});
}

}  // namespace
