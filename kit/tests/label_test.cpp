#include <gtest/gtest.h>

#include "kit/label.h"
#include "kit/tests/widget_fakes.h"

using namespace fakes;
using Log = std::vector<std::string>;

using Window = TFakeWindow;

TEST(Marquee, PiecesWrapAroundTheBitmap) {
  struct Case { int Offset, Width, Bitmap; TMarqueePieces Want; } Cases[] = {
      {-1, 100, 300, {{0, 0, 100}, {0, 0, 0}}},    // before the first step
      {50, 100, 300, {{50, 0, 100}, {0, 0, 0}}},
      {200, 100, 300, {{200, 0, 100}, {0, 0, 0}}},  // ends exactly at the end
      {250, 100, 300, {{250, 0, 50}, {0, 50, 50}}},
      {299, 100, 300, {{299, 0, 1}, {0, 1, 99}}},
  };
  for (const Case& C : Cases) {
    TMarqueePieces P = MarqueePieces(C.Offset, C.Width, C.Bitmap);
    EXPECT_EQ(C.Want.First.SourceX, P.First.SourceX) << C.Offset;
    EXPECT_EQ(C.Want.First.Width, P.First.Width) << C.Offset;
    EXPECT_EQ(C.Want.Second.DestX, P.Second.DestX) << C.Offset;
    EXPECT_EQ(C.Want.Second.Width, P.Second.Width) << C.Offset;
  }
}

TEST(Marquee, DragOffsetWrapsBothWays) {
  struct Case { int Offset, LastX, X, Want; } Cases[] = {
      {10, 100, 90, 20},    // dragged left: the text moves left
      {10, 100, 120, 290},  // dragged right past the start wraps to the end
      {0, 100, 100 - 650, 50},  // more than twice the bitmap's width
      {-1, 100, 99, 0}};
  for (const Case& C : Cases)
    EXPECT_EQ(C.Want, DragScrollOffset(C.Offset, C.LastX, C.X, 300)) << C.X;
}

TEST(MainLabel, ScrollsOnlyWhenWiderThanItsRoom) {
  Window W;
  // 6 px per character: 10 characters are 60 px.
  TVirtualLabel Fits{W.Host, W.Surface, 10, 20, std::wstring(10, L'a'), L"", 60, 8, true};
  EXPECT_FALSE(Fits.Scrolling());
  EXPECT_EQ(60, Fits.Width());
  TVirtualLabel Wider{W.Host, W.Surface, 10, 20, std::wstring(11, L'a'), L"", 60, 8, true};
  EXPECT_TRUE(Wider.Scrolling());
  EXPECT_EQ(60, Wider.Width());
  EXPECT_EQ(-1, Wider.ScrollOffset());
  EXPECT_EQ(6 * 21, Wider.ScrollBitmapWidth());  // the caption and ten blanks
  TVirtualLabel Never{W.Host, W.Surface, 10, 20, std::wstring(50, L'a'), L"", 0, 8, true};
  EXPECT_FALSE(Never.Scrolling());
}

TEST(MainLabel, PaintCopiesTheTwoPiecesOfTheMarquee) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, std::wstring(20, L'a'), L"", 100, 8, true};
  // Bitmap: 30 characters = 180 px.
  Label.SetScrollOffset(150);
  W.L.Take();
  Label.Paint();
  EXPECT_EQ((Log{"copy:text(150,0)-(180,13)->(10,20)-(40,33):both",
                 "copy:text(0,0)-(70,13)->(40,20)-(110,33):both"}),
            W.L.Take());
}

TEST(MainLabel, CaptionChangeErasesTheOldTextAndReportsScrollChanges) {
  Window W;
  int Changes = 0;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, L"short", L"", 60, 8, false};
  Label.OnScrollingChange = [&] { ++Changes; };
  W.L.Take();
  Label.SetCaption(std::wstring(12, L'b'));
  EXPECT_EQ((Log{"restore:(10,20)-(50,33):both", "textimage:" + std::string(12, 'b') +
                                                      std::string(10, ' '),
                 "copy:text(0,0)-(60,13)->(10,20)-(70,33):both"}),
            W.L.Take());
  EXPECT_EQ(1, Changes);
  Label.SetCaption(L"x");
  EXPECT_FALSE(Label.Scrolling());
  EXPECT_EQ(2, Changes);
  EXPECT_EQ((Log{"restore:(10,20)-(80,33):both", "restore:(10,20)-(16,33):both",
                 "text:x@10,20:both"}),
            W.L.Take());
  Label.SetCaption(L"x");
  EXPECT_EQ(Log{}, W.L.Take());
}

TEST(MainLabel, DragScrollingMovesTheTextWithTheMouse) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, std::wstring(20, L'a'), L"Name", 100,
                      8, true};
  W.Host.SetMouseOrder({&Label});
  ASSERT_EQ(&Label, W.Host.MouseDown(50, 25));
  EXPECT_TRUE(Label.DragScrolling());
  W.Host.MouseMove(40, 25, true);
  EXPECT_EQ(9, Label.ScrollOffset());  // -1 - 40 + 50
  // Outside the label the drag goes on.
  W.Host.MouseMove(-300, 25, true);
  EXPECT_EQ((9 + 340) % 180, Label.ScrollOffset());
  // The release ends it wherever it happens.
  EXPECT_EQ(nullptr, W.Host.MouseUp(-300, 25));
  EXPECT_FALSE(Label.DragScrolling());
  // A drag-scrolling label never changes the cursor.
  for (const std::string& E : W.L.Entries()) EXPECT_NE("cursor:press", E);
}

// Outside the label the drag-scroll repaints the marquee itself once the
// label no longer counts as hovered (leaving repaints only once).
TEST(MainLabel, DragScrollingOutsideKeepsRepaintingTheMarquee) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, std::wstring(20, L'a'), L"Name", 100,
                      8, true};
  W.Host.SetMouseOrder({&Label});
  ASSERT_EQ(&Label, W.Host.MouseDown(50, 25));
  W.Host.MouseMove(40, 25, true);
  W.Host.MouseMove(-300, 25, true);
  ASSERT_EQ(169, Label.ScrollOffset());
  W.L.Take();
  W.Host.MouseMove(-310, 25, true);
  EXPECT_EQ(179, Label.ScrollOffset());
  EXPECT_EQ((Log{"copy:text(179,0)-(180,13)->(10,20)-(11,33):both",
                 "copy:text(0,0)-(99,13)->(11,20)-(110,33):both"}),
            W.L.Take());
}

// Only a press that began on the label makes its release a click.
TEST(MainLabel, ReleaseWithoutAPressIsNoClick) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, L"Repeat", L"Repeat mode", 0, 8, false};
  W.Host.SetMouseOrder({&Label});
  W.Host.MouseMove(12, 22, false);
  EXPECT_EQ(nullptr, W.Host.MouseUp(12, 22));
  EXPECT_FALSE(Label.Pressed());
}

TEST(MainLabel, LosingTheCaptureEndsTheDragScroll) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, std::wstring(20, L'a'), L"Name", 100,
                      8, true};
  W.Host.SetMouseOrder({&Label});
  ASSERT_EQ(&Label, W.Host.MouseDown(50, 25));
  W.Host.MouseMove(40, 25, true);
  ASSERT_EQ(9, Label.ScrollOffset());
  W.Host.CaptureLost();
  EXPECT_FALSE(Label.DragScrolling());
  EXPECT_FALSE(Label.Pressed());
  EXPECT_EQ(nullptr, W.Host.CapturedWidget);
  // Later moves with the button down no longer scroll.
  W.Host.MouseMove(20, 25, true);
  EXPECT_EQ(9, Label.ScrollOffset());
}

// Every repaint of a still label (each mouse move over it repaints) puts
// the skin back under the text before writing it.
TEST(MainLabel, HoverRepaintsRestoreTheSkinUnderTheText) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, L"Repeat", L"Repeat mode", 0, 8, false};
  W.Host.SetMouseOrder({&Label});
  W.L.Take();
  W.Host.MouseMove(12, 22, false);
  W.Host.MouseMove(13, 22, false);
  std::vector<std::string> Draws;
  for (const std::string& E : W.L.Take())
    if (E.rfind("restore:", 0) == 0 || E.rfind("text:", 0) == 0) Draws.push_back(E);
  EXPECT_EQ((Log{"restore:(10,20)-(46,33):both", "text:Repeat@10,20:both",
                 "restore:(10,20)-(46,33):both", "text:Repeat@10,20:both"}),
            Draws);
}

TEST(MainLabel, NonDraggingLabelClicksWithThePressCursor) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, 10, 20, L"Repeat", L"Repeat mode", 0, 8, false};
  W.Host.SetMouseOrder({&Label});
  W.Host.MouseMove(12, 22, false);
  EXPECT_EQ(L"Repeat mode", W.Host.Hint);
  EXPECT_EQ(TWidgetCursor::HandPoint, W.Host.Cursor);
  W.Host.MouseDown(12, 22);
  EXPECT_EQ(TWidgetCursor::HandPress, W.Host.Cursor);
  EXPECT_FALSE(Label.DragScrolling());
  EXPECT_EQ(&Label, W.Host.MouseUp(46, 33));  // the edge still hits
  EXPECT_TRUE(Label.PointInside(46, 33));
  EXPECT_FALSE(Label.PointInside(47, 33));
}

TEST(EqualizerLabel, ShrinkingTextIsErasedWithinItsOwnPlace) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, TLabelVariant::Equalizer, 126, 0, L""};
  W.L.Take();
  Label.Paint();
  EXPECT_EQ((Log{"text:0@123,27:both"}), W.L.Take());
  Label.SetCaption(L"-100");
  EXPECT_EQ((Log{"restore:(123,27)-(129,40):both", "text:-100@114,27:both"}), W.L.Take());
  Label.SetCaption(L"0");
  // The old text stood at 114 .. 138; the neighbours are 30 px away.
  EXPECT_EQ((Log{"restore:(114,27)-(138,40):both", "text:0@123,27:both"}), W.L.Take());
}

TEST(ColourLabel, SetLeftKeepsTheRightEdge) {
  Window W;
  TVirtualLabel Label{W.Host, W.Surface, TLabelVariant::Colour, 50, 10, L"Hue"};
  Label.SetLeft(40);
  EXPECT_EQ(28, Label.Width());
  W.L.Take();
  Label.SetCaption(L"Saturation");
  EXPECT_EQ((Log{"restore:(40,10)-(68,23):both", "text:Saturation@40,10:both"}), W.L.Take());
}
