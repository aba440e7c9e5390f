#include <gtest/gtest.h>

#include <vector>

#include "kit/snap.h"
#include "kit/tests/rect_print.h"

namespace {

// A screen area far away from the windows, so that only targets attract.
const TRect FarArea{-5000, -5000, 5000, 5000};
const TRect Target{100, 100, 300, 200};

TRect Box(int L, int T, int W, int H) { return {L, T, L + W, T + H}; }

TRect MoveNear(const TRect& R, const std::vector<TRect>& Targets,
                  const TRect& Area = FarArea) {
  return SnapRect(R, true, Targets, Area);
}

}  // namespace

TEST(RangesOverlap, ClosedIntervals) {
  EXPECT_TRUE(RangesOverlap(0, 10, 10, 20));   // touching ends overlap
  EXPECT_TRUE(RangesOverlap(5, 6, 0, 100));    // contained
  EXPECT_TRUE(RangesOverlap(0, 100, 5, 6));
  EXPECT_FALSE(RangesOverlap(0, 9, 10, 20));
  EXPECT_FALSE(RangesOverlap(21, 30, 10, 20));
}

TEST(SnapWindow, LeftEdgeMakesContactWithinTenPixels) {
  struct Case { int Left; int Expected; } Cases[] = {
      {308, 300}, {310, 300}, {290, 300}, {311, 311}, {289, 289}};
  for (const auto& C : Cases) {
    TRect R = MoveNear(Box(C.Left, 150, 100, 80), {Target});
    EXPECT_EQ(C.Expected, R.Left) << C.Left;
    EXPECT_EQ(100, R.Width()) << "a move keeps the size";
  }
}

TEST(SnapWindow, AllFourEdgesMakeContact) {
  // Right edge to the target's left, top to its bottom, bottom to its top.
  EXPECT_EQ(Box(25, 150, 75, 80), MoveNear(Box(28, 150, 75, 80), {Target}));
  EXPECT_EQ(Box(150, 200, 80, 60), MoveNear(Box(150, 207, 80, 60), {Target}));
  EXPECT_EQ(Box(150, 40, 80, 60), MoveNear(Box(150, 35, 80, 60), {Target}));
}

TEST(SnapWindow, AfterContactTheTopsAlignWithinSevenPixels) {
  EXPECT_EQ(Box(300, 100, 100, 50), MoveNear(Box(305, 105, 100, 50), {Target}));
  EXPECT_EQ(Box(300, 100, 100, 50), MoveNear(Box(305, 93, 100, 50), {Target}));
  EXPECT_EQ(Box(300, 92, 100, 50), MoveNear(Box(305, 92, 100, 50), {Target}));
  EXPECT_EQ(Box(300, 108, 100, 50), MoveNear(Box(305, 108, 100, 50), {Target}));
  // Bottoms align the same way; after a contact below, the left edges.
  EXPECT_EQ(Box(300, 150, 100, 50), MoveNear(Box(305, 146, 100, 50), {Target}));
  EXPECT_EQ(Box(100, 200, 60, 40), MoveNear(Box(104, 203, 60, 40), {Target}));
}

TEST(SnapWindow, NoContactWithoutOverlapOnTheOtherAxis) {
  TRect Below = Box(305, 201, 100, 80);
  EXPECT_EQ(Below, MoveNear(Below, {Target}));
  TRect Beside = Box(301, 195, 100, 80);  // 195 + 80 overlaps 100..200
  EXPECT_EQ(300, MoveNear(Beside, {Target}).Left);
}

TEST(SnapWindow, TopWinsWhenBothTopAndBottomAlignInAMove) {
  // 96 high at 103: the bottom aligns first (to 200, top 104), then the top.
  EXPECT_EQ(Box(300, 100, 100, 96), MoveNear(Box(302, 103, 100, 96), {Target}));
}

TEST(SnapWindow, SizingMovesOnlyTheSnappedEdges) {
  // Sizing (the size differs from the current one): both edges align.
  TRect R = SnapRect({302, 103, 402, 199}, false, std::vector{Target}, FarArea);
  EXPECT_EQ((TRect{300, 100, 402, 200}), R);
}

TEST(SnapWindow, SizingByTheRightEdgeNearTheScreenEdgeKeepsTheLeftEdge) {
  const TRect Work{0, 0, 1280, 994};
  TRect R = SnapRect({400, 300, 1275, 500}, false, {}, Work);
  EXPECT_EQ((TRect{400, 300, 1280, 500}), R);
  // The same rectangle moved: the whole window shifts.
  EXPECT_EQ((TRect{405, 300, 1280, 500}),
            SnapRect({400, 300, 1275, 500}, true, {}, Work));
}

TEST(SnapWindow, ScreenEdgesSnapLastAndTheSecondEdgeWinsInAMove) {
  const TRect Work{0, 0, 1000, 700};
  EXPECT_EQ(Box(0, 0, 100, 50), MoveNear(Box(-9, 8, 100, 50), {}, Work));
  EXPECT_EQ(Box(900, 650, 100, 50), MoveNear(Box(905, 641, 100, 50), {}, Work));
  // As wide as the area plus 4: the left snaps, then the right shifts it back.
  EXPECT_EQ(Box(-4, 300, 1004, 50), MoveNear(Box(3, 300, 1004, 50), {}, Work));
  // A target next to the screen edge: the screen edge is applied after it.
  const TRect EdgeTarget{0, 100, 5, 200};
  EXPECT_EQ(0, MoveNear(Box(8, 120, 100, 50), {EdgeTarget}, Work).Left);
}

TEST(SnapWindow, TargetsAreTriedFromTheLastToTheFirst) {
  const TRect A{0, 100, 300, 200};
  const TRect B{0, 100, 305, 200};
  // B is tried first (305), then A pulls the window to 300: A wins.
  EXPECT_EQ(300, MoveNear(Box(302, 150, 50, 20), {A, B}).Left);
  EXPECT_EQ(305, MoveNear(Box(302, 150, 50, 20), {B, A}).Left);
}

TEST(SnapWindowWithDocked, AlignsTheTopOrElseTheBottom) {
  // Top within 7: only the top aligns.
  EXPECT_EQ(Box(300, 100, 100, 96),
            SnapRectWithDocked(Box(302, 103, 100, 96), std::vector{Target}, FarArea));
  // Top 10 away, bottom 6 away: the bottom aligns.
  EXPECT_EQ(Box(300, 104, 100, 96),
            SnapRectWithDocked(Box(302, 110, 100, 96), std::vector{Target}, FarArea));
  // Below the target: the left aligns first, else the right.
  EXPECT_EQ(Box(100, 200, 196, 40),
            SnapRectWithDocked(Box(103, 205, 196, 40), std::vector{Target}, FarArea));
  EXPECT_EQ(Box(120, 200, 180, 40),
            SnapRectWithDocked(Box(115, 205, 180, 40), std::vector{Target}, FarArea));
}

TEST(SnapWindowWithDocked, IsAlwaysAMove) {
  const TRect Work{0, 0, 1000, 700};
  EXPECT_EQ(Box(0, 300, 200, 50),
            SnapRectWithDocked(Box(6, 300, 200, 50), {}, Work));
}

TEST(DockTable, DockedOnlyWhenAnEdgeTouchesExactly) {
  const TRect Main{100, 100, 560, 250};
  struct Case { TRect Satellite; bool Docked; } Cases[] = {
      {{560, 100, 760, 400}, true},     // right of the main window
      {{561, 100, 761, 400}, false},    // one pixel off
      {{-100, 0, 100, 50}, true},       // left, no vertical overlap needed
      {{2000, 250, 2100, 300}, true},   // below, far to the side
      {{300, -50, 400, 100}, true},     // above
      {{150, 150, 250, 200}, false},    // inside
  };
  for (const auto& C : Cases) {
    TDockedWindow Entry;
    DecideDock(Entry, Main, C.Satellite);
    EXPECT_EQ(C.Docked, Entry.Docked) << C.Satellite.Left << "," << C.Satellite.Top;
    EXPECT_EQ(C.Satellite.Left - 100, Entry.DX);
    EXPECT_EQ(C.Satellite.Top - 100, Entry.DY);
  }
}
