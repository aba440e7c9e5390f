#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kit/tests/widget_fakes.h"
#include "kit/widget.h"

namespace {

// The shared recording host with a log of its own (the log is a base so that
// it is built before the host that writes to it).
class TLogHost : private fakes::TLog, public fakes::TRecordingHost {
 public:
  TLogHost() : TRecordingHost(static_cast<fakes::TLog&>(*this)) {}
  fakes::TLog& Log() { return *this; }
  std::vector<std::string> TakeLog() { return Take(); }
};

// A plain button that logs the frame it paints.
class TLoggedButton : public TWidget {
 public:
  TLoggedButton(TLogHost& H, std::string Name, TRect R)
      : TWidget(H, R, std::wstring(Name.begin(), Name.end()) + L" hint"),
        FLog(H), FName(std::move(Name)) {}
  void Paint() override {
    FLog.Log().Add("paint:" + FName + ":" + std::to_string(StandardFrame()));
  }

 private:
  TLogHost& FLog;
  std::string FName;
};

using Log = std::vector<std::string>;

class WidgetProtocol : public ::testing::Test {
 protected:
  TLogHost Host;
  TLoggedButton A{Host, "A", {10, 10, 30, 20}};
  TLoggedButton B{Host, "B", {40, 10, 60, 20}};
  void SetUp() override { Host.SetMouseOrder({&A, &B}); }
};

}  // namespace

TEST_F(WidgetProtocol, PressInsideTakesThePressAndCapturesTheWidget) {
  EXPECT_EQ(&A, Host.MouseDown(15, 15));
  EXPECT_TRUE(A.Pressed());
  EXPECT_EQ(&A, Host.CapturedWidget);
  EXPECT_EQ((Log{"hint:", "cancel", "paint:A:0", "cursor:press"}), Host.TakeLog());
}

TEST_F(WidgetProtocol, PressOutsideEveryWidgetFallsThroughToTheWindow) {
  EXPECT_EQ(nullptr, Host.MouseDown(35, 15));
  EXPECT_EQ(nullptr, Host.CapturedWidget);
  EXPECT_EQ(Log{}, Host.TakeLog());
}

TEST_F(WidgetProtocol, HitTestIncludesTheRightAndBottomEdges) {
  struct Case { int X, Y; bool Hit; } Cases[] = {
      {10, 10, true}, {30, 20, true}, {31, 20, false}, {30, 21, false},
      {9, 15, false}, {15, 9, false}};
  for (const auto& C : Cases)
    EXPECT_EQ(C.Hit, A.PointInside(C.X, C.Y)) << C.X << "," << C.Y;
  // The press on the edge pixel is taken by the widget.
  EXPECT_EQ(&A, Host.MouseDown(30, 20));
}

TEST_F(WidgetProtocol, HoverShowsTheHandTheHintAndTheHoverFrame) {
  Host.MouseMove(12, 12, false);
  EXPECT_TRUE(A.Hover());
  EXPECT_EQ(L"A hint", Host.Hint);
  EXPECT_EQ((Log{"cursor:point", "hint:A hint", "paint:A:3"}), Host.TakeLog());
  // Every move inside repaints.
  Host.MouseMove(13, 12, false);
  EXPECT_EQ((Log{"cursor:point", "hint:A hint", "paint:A:3"}), Host.TakeLog());
  // Leaving: hint cleared, hover dropped, normal frame, default cursor.
  Host.MouseMove(35, 12, false);
  EXPECT_FALSE(A.Hover());
  EXPECT_EQ((Log{"hint:", "cancel", "paint:A:0", "cursor:default"}), Host.TakeLog());
  // Moving on outside changes nothing more.
  Host.MouseMove(36, 12, false);
  EXPECT_EQ(Log{}, Host.TakeLog());
}

TEST_F(WidgetProtocol, ReleaseOutsideIsNoClick) {
  int Clicks = 0;
  A.OnClick = [&] { ++Clicks; };
  Host.MouseMove(15, 15, false);
  Host.MouseDown(15, 15);
  Host.MouseMove(100, 100, true);
  EXPECT_FALSE(A.Pressed());
  EXPECT_EQ(nullptr, Host.MouseUp(100, 100));
  EXPECT_EQ(0, Clicks);
  EXPECT_EQ(nullptr, Host.CapturedWidget);
}

TEST_F(WidgetProtocol, MovingBackInsideRepressesAndTheReleaseClicks) {
  int Clicks = 0;
  A.OnClick = [&] { ++Clicks; };
  Host.MouseMove(15, 15, false);
  Host.MouseDown(15, 15);
  Host.MouseMove(100, 100, true);
  Host.TakeLog();
  Host.MouseMove(16, 16, true);
  EXPECT_TRUE(A.Pressed());
  EXPECT_EQ((Log{"cursor:press", "paint:A:1"}), Host.TakeLog());
  // Held and moving inside: only the pressed cursor.
  Host.MouseMove(17, 16, true);
  EXPECT_EQ((Log{"cursor:press"}), Host.TakeLog());
  EXPECT_EQ(&A, Host.MouseUp(17, 16));
  EXPECT_EQ(1, Clicks);
  EXPECT_FALSE(A.Pressed());
  EXPECT_EQ((Log{"paint:A:3"}), Host.TakeLog());
}

TEST_F(WidgetProtocol, CapturedWidgetBlocksHoverOfTheOthers) {
  Host.MouseDown(15, 15);
  Host.TakeLog();
  Host.MouseMove(50, 15, true);  // over B while A holds the press
  EXPECT_FALSE(B.Hover());
  EXPECT_FALSE(A.Pressed());
  // Only A reacts (it was not hovered: nothing to repaint on leaving).
  EXPECT_EQ(Log{}, Host.TakeLog());
  // A release over B is no click of B and ends the capture.
  EXPECT_EQ(nullptr, Host.MouseUp(50, 15));
  EXPECT_EQ(nullptr, Host.CapturedWidget);
  Host.MouseMove(51, 15, false);
  EXPECT_TRUE(B.Hover());
  EXPECT_EQ((Log{"cursor:point", "hint:B hint", "paint:B:3"}), Host.TakeLog());
}

TEST_F(WidgetProtocol, FirstWidgetInOrderTakesAnOverlappingPress) {
  TLoggedButton C{Host, "C", {10, 10, 30, 20}};  // same place as A
  Host.SetMouseOrder({&A, &B, &C});
  EXPECT_EQ(&A, Host.MouseDown(20, 15));
  EXPECT_FALSE(C.Pressed());
  Host.MouseUp(20, 15);
  // The stated order decides, not the order the widgets were made in.
  Host.SetMouseOrder({&C, &A, &B});
  EXPECT_EQ(&C, Host.MouseDown(20, 15));
  EXPECT_FALSE(A.Pressed());
}

TEST_F(WidgetProtocol, MouseLeaveDropsHoverButKeepsThePress) {
  Host.MouseMove(15, 15, false);
  Host.MouseDown(15, 15);
  Host.TakeLog();
  Host.MouseLeave();
  EXPECT_FALSE(A.Hover());
  EXPECT_TRUE(A.Pressed());
  EXPECT_EQ(TWidgetCursor::Default, Host.Cursor);
  EXPECT_EQ((Log{"paint:A:0", "cursor:default", "hint:"}), Host.TakeLog());
}

TEST_F(WidgetProtocol, DoubleClickRunsTheFirstWidgetUnderThePoint) {
  int OnA = 0, OnB = 0;
  B.OnDoubleClick = [&] { ++OnB; };
  EXPECT_FALSE(Host.DoubleClick(15, 15));  // A has no double-click action
  A.OnDoubleClick = [&] { ++OnA; };
  EXPECT_TRUE(Host.DoubleClick(15, 15));
  EXPECT_TRUE(Host.DoubleClick(60, 20));
  EXPECT_FALSE(Host.DoubleClick(35, 15));
  EXPECT_EQ(1, OnA);
  EXPECT_EQ(1, OnB);
}

TEST_F(WidgetProtocol, RemovingTheCapturedWidgetReleasesTheCapture) {
  Host.MouseDown(45, 15);
  EXPECT_EQ(&B, Host.CapturedWidget);
  Host.RemoveWidget(&B);
  EXPECT_EQ(nullptr, Host.CapturedWidget);
  EXPECT_EQ(nullptr, Host.MouseDown(45, 15));
}

TEST(WidgetLifetime, ADestroyedWidgetLeavesItsHostAndTheCapture) {
  TLogHost Host;
  auto A = std::make_unique<TLoggedButton>(Host, "A", TRect{10, 10, 30, 20});
  TLoggedButton B{Host, "B", {40, 10, 60, 20}};
  Host.SetMouseOrder({A.get(), &B});
  EXPECT_EQ(A.get(), Host.MouseDown(15, 15));
  A.reset();
  ASSERT_EQ(1u, Host.Widgets().size());
  EXPECT_EQ(&B, Host.Widgets()[0]);
  EXPECT_EQ(nullptr, Host.CapturedWidget);
  EXPECT_EQ(nullptr, Host.MouseDown(15, 15));
}
