#include <gtest/gtest.h>

#include "kit/checkbox.h"
#include "kit/flip.h"
#include "kit/tests/widget_fakes.h"

using namespace fakes;
using Log = std::vector<std::string>;

using Window = TFakeWindow;

TEST(MuteFlip, ClickInvertsTheStateAndPaintsTheMatchingHalf) {
  Window W;
  TVirtualFlip Mute{W.Host, W.Surface, {100, 50, 115, 63}, L"Mute", L"MainMute", true, {}};
  W.Host.SetMouseOrder({&Mute});
  W.Host.MouseMove(105, 55, false);
  EXPECT_EQ((Log{"cursor:point", "hint:Mute"}), W.L.Take());  // hover: no repaint
  W.Host.MouseDown(105, 55);
  EXPECT_EQ((Log{"hint:", "cancel",
                 "copy:MainMute(0,0)-(15,13)->(100,50)-(115,63):both"}),
            W.L.Take());  // no cursor change on the press
  EXPECT_EQ(&Mute, W.Host.MouseUp(105, 55));
  EXPECT_FALSE(Mute.State());
  EXPECT_EQ((Log{"copy:MainMute(15,0)-(30,13)->(100,50)-(115,63):both"}), W.L.Take());
  // A release outside is no click; SetState repaints only on a change.
  W.Host.MouseDown(105, 55);
  W.Host.MouseMove(150, 55, true);
  EXPECT_EQ(nullptr, W.Host.MouseUp(150, 55));
  EXPECT_FALSE(Mute.State());
  W.L.Take();
  Mute.SetState(false);
  EXPECT_EQ(Log{}, W.L.Take());
  Mute.SetState(true);
  EXPECT_EQ((Log{"copy:MainMute(0,0)-(15,13)->(100,50)-(115,63):both"}), W.L.Take());
}

// The playlist's subtitle-list flip at (200, 4)-(212, 12), the list shown.
class PlaylistFlip : public ::testing::Test {
 protected:
  Window W;
  TFakePlaylist Playlist{W.L};
  std::unique_ptr<TSkinImage> Part3 = W.Surface.LoadImage(L"PlaylistPart3");
  std::unique_ptr<TSkinImage> Part4 = W.Surface.LoadImage(L"PlaylistPart4");
  TFlipOptions O{TFlipVariant::Playlist, L"Hide subtitles", L"Show subtitles",
                 Part3.get(), Part4.get(), &Playlist};
  TVirtualFlip Flip{W.Host, W.Surface, {200, 4, 212, 12}, L"", L"ShowHideSubtitles", true, O};
  void SetUp() override { W.Host.SetMouseOrder({&Flip}); }
};

TEST_F(PlaylistFlip, VisibleOnlyWhileHoveredAndItsHintFollowsTheState) {
  EXPECT_EQ(L"Hide subtitles", Flip.Hint());
  W.Host.MouseMove(205, 6, false);
  EXPECT_EQ((Log{"copy:ShowHideSubtitles(0,0)-(12,8)->(200,4)-(212,12):window",
                 "cursor:point", "hint:Hide subtitles"}),
            W.L.Take());
  W.Host.MouseDown(205, 6);
  EXPECT_EQ((Log{"hint:", "cancel"}), W.L.Take());  // no repaint, no cursor
  EXPECT_EQ(&Flip, W.Host.MouseUp(205, 6));
  EXPECT_EQ((Log{"setting:hide"}), W.L.Take());
  EXPECT_EQ(L"Show subtitles", Flip.Hint());
  // Leaving restores the playlist's face from the part image of the state.
  W.Host.MouseMove(250, 6, false);
  EXPECT_EQ((Log{"copy:PlaylistPart4(200,0)-(212,8)->(200,4)-(212,12):window", "hint:",
                 "cancel", "cursor:default"}),
            W.L.Take());
}

// A press dragged off the playlist's flip and released outside is no
// click; coming back later is a plain hover again, not a pressed one.
TEST_F(PlaylistFlip, PressDraggedOffAndReleasedOutsideIsForgotten) {
  W.Host.MouseMove(205, 6, false);
  ASSERT_EQ(&Flip, W.Host.MouseDown(205, 6));
  W.Host.MouseMove(250, 6, true);
  EXPECT_EQ(nullptr, W.Host.MouseUp(250, 6));
  W.L.Take();
  W.Host.MouseMove(205, 6, false);
  EXPECT_EQ((Log{"copy:ShowHideSubtitles(0,0)-(12,8)->(200,4)-(212,12):window",
                 "cursor:point", "hint:Hide subtitles"}),
            W.L.Take());
  EXPECT_EQ(nullptr, W.Host.MouseUp(205, 6));
  EXPECT_EQ(L"Hide subtitles", Flip.Hint());
}

TEST(LatchButton, ShowsTheOppositeLookWhilePressedAndTheLatchedLookWhenDraggedOff) {
  Window W;
  TVirtualButton2 Shuffle{W.Host, W.Surface, {10, 10, 23, 25}, L"Shuffle", L"btnShuffle"};
  W.Host.SetMouseOrder({&Shuffle});
  struct Step { bool Down, Pressed, Hover; int Frame; } Table[] = {
      {false, false, false, 0}, {true, false, false, 1}, {false, false, true, 2},
      {true, false, true, 3},   {false, true, true, 3},  {true, true, true, 2},
      {false, true, false, 1},  {true, true, false, 0}};
  // Frame rule: hovered 3/2, else 1/0, by latched xor pressed.
  for (const Step& S : Table) {
    TVirtualButton2 B{W.Host, W.Surface, {0, 0, 13, 15}, L"", L"btnShuffle"};
    B.SetDown(S.Down);
    if (S.Hover) B.MouseMove(5, 5, false);
    if (S.Pressed) B.MouseDown(5, 5);
    W.Host.CapturedWidget = nullptr;
    EXPECT_EQ(S.Frame, B.Frame()) << S.Down << S.Pressed << S.Hover;
  }
  W.L.Take();
  W.Host.MouseMove(15, 15, false);
  W.Host.MouseDown(15, 15);
  EXPECT_EQ(3, Shuffle.Frame());  // up, pressed and hovered: looks down
  W.L.Take();
  W.Host.MouseMove(40, 15, true);
  EXPECT_EQ((Log{"hint:", "cancel", "cursor:default",
                 "copy:btnShuffle(0,0)-(13,15)->(10,10)-(23,25):window",
                 "copy:btnShuffle(0,0)-(13,15)->(10,10)-(23,25):buffer"}),
            W.L.Take());
  EXPECT_EQ(nullptr, W.Host.MouseUp(40, 15));
}

TEST(LatchButton, ReleaseInsideIsAClickAndRepaintsTheHoverLook) {
  Window W;
  TVirtualButton2 Shuffle{W.Host, W.Surface, {10, 10, 23, 25}, L"Shuffle", L"btnShuffle"};
  W.Host.SetMouseOrder({&Shuffle});
  int Clicks = 0;
  Shuffle.OnClick = [&] { ++Clicks; };
  W.Host.MouseMove(15, 15, false);
  W.Host.MouseDown(15, 15);
  W.L.Take();
  EXPECT_EQ(&Shuffle, W.Host.MouseUp(15, 15));
  EXPECT_EQ(1, Clicks);
  EXPECT_EQ(2, Shuffle.Frame());  // up and hovered
  EXPECT_EQ((Log{"copy:btnShuffle(26,0)-(39,15)->(10,10)-(23,25):window",
                 "copy:btnShuffle(26,0)-(39,15)->(10,10)-(23,25):buffer"}),
            W.L.Take());
}

TEST(MessageCheckBox, HiddenBoxIgnoresTheMouseAndAClickToggles) {
  Window W;
  TVirtualCheckbox Box{W.Host, W.Surface, 13, L"Do not show", L"CBPositions"};
  W.Host.SetMouseOrder({&Box});
  EXPECT_EQ((TRect{13, 0, 13 + 13 + 13 + 66, 0}), Box.Rect());
  Box.SetVertical(100, 121);
  EXPECT_EQ(nullptr, W.Host.MouseDown(20, 110));
  EXPECT_EQ(Log{}, W.L.Take());
  Box.Visible = true;
  W.Host.MouseMove(20, 110, false);
  W.Host.MouseDown(20, 110);
  EXPECT_EQ(1, Box.Quarter());
  EXPECT_EQ(&Box, W.Host.MouseUp(20, 110));
  EXPECT_TRUE(Box.Checked);
  EXPECT_EQ(2, Box.Quarter());
  // A press taken off the box before the release, and a release without a
  // press, toggle nothing and leave the release to the widgets after it.
  W.Host.MouseDown(20, 110);
  W.Host.MouseMove(200, 110, true);
  EXPECT_EQ(nullptr, W.Host.MouseUp(200, 110));
  EXPECT_EQ(nullptr, W.Host.MouseUp(20, 110));
  EXPECT_TRUE(Box.Checked);
}

TEST(MessageCheckBox, PaintRestoresTheFaceOnlyWhenNotHovered) {
  Window W;
  TVirtualCheckbox Box{W.Host, W.Surface, 13, L"Do not show", L"CBPositions"};
  Box.SetVertical(100, 121);
  Box.Visible = true;
  W.L.Take();
  Box.Paint();
  // dy = ceil((121 - 100 + 1 - 13) / 2) = 5; text right of the box.
  EXPECT_EQ((Log{"restore:(13,100)-(105,121):both",
                 "text:Do not show@35,105:color=1466646:both",
                 "copy:CBPositions(0,0)-(13,13)->(17,105)-(30,118):both"}),
            W.L.Take());
  Box.MouseMove(20, 110, false);
  W.L.Take();
  Box.Paint();
  EXPECT_EQ((Log{"text:Do not show@35,105:color=254:both",
                 "copy:CBPositions(0,0)-(13,13)->(17,105)-(30,118):both"}),
            W.L.Take());
}
