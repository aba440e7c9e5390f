#include <gtest/gtest.h>

#include "kit/button.h"
#include "kit/skin_strip.h"
#include "kit/tests/widget_fakes.h"

using namespace fakes;
using Log = std::vector<std::string>;

namespace {

class MainButton : public ::testing::Test {
 protected:
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TButtonOptions Options{TButtonVariant::Main};
  TVirtualButton Play{Host, Surface, {10, 10, 30, 30}, L"", L"Play", L"MainbtnPlay", Options};
  TVirtualButton Stop{Host, Surface, {40, 10, 60, 30}, L"", L"Stop", L"MainbtnPlay", Options};

  void SetUp() override {
    Host.SetMouseOrder({&Play, &Stop});
    L.Take();
  }
  // The frame of the last copy logged, as "copy:<image>(0,top)...".
  static std::string FrameCopy(int Frame) {
    return "copy:MainbtnPlay(0," + std::to_string(Frame * 20) + ")-(20," +
           std::to_string(Frame * 20 + 20) + ")->(10,10)-(30,30):both";
  }
};

}  // namespace

TEST_F(MainButton, ClickNeedsThePressAndTheReleaseInside) {
  EXPECT_EQ(&Play, Host.MouseDown(20, 20));
  EXPECT_EQ((Log{"hint:", "cancel", FrameCopy(0), "cursor:press"}), L.Take());
  // Dragged off: no click; back on: pressed again and the release clicks.
  Host.MouseMove(35, 20, true);
  EXPECT_FALSE(Play.Pressed());
  Host.MouseMove(20, 20, true);
  EXPECT_TRUE(Play.Pressed());
  EXPECT_EQ(&Play, Host.MouseUp(20, 20));
  Host.MouseDown(20, 20);
  Host.MouseMove(70, 20, true);
  EXPECT_EQ(nullptr, Host.MouseUp(70, 20));
}

TEST_F(MainButton, CapturedButtonKeepsOthersFromHighlighting) {
  Host.MouseDown(20, 20);
  L.Take();
  Host.MouseMove(50, 20, true);  // over Stop while Play holds the capture
  EXPECT_FALSE(Stop.Hover());
  for (const std::string& E : L.Take()) EXPECT_NE("cursor:point", E);
}

TEST_F(MainButton, LosingTheCaptureReleasesThePressWithoutAClick) {
  Host.MouseMove(20, 20, false);
  Host.MouseDown(20, 20);
  L.Take();
  Host.CaptureLost();
  EXPECT_FALSE(Play.Pressed());
  EXPECT_EQ(nullptr, Host.CapturedWidget);
  EXPECT_EQ((Log{FrameCopy(3)}), L.Take()) << "the hover look again";
  EXPECT_EQ(nullptr, Host.MouseUp(20, 20));
  // The other buttons highlight again.
  Host.MouseMove(50, 20, false);
  EXPECT_TRUE(Stop.Hover());
}

TEST_F(MainButton, DisabledButtonShowsFrame2KeepsItsHintAndTakesNoPress) {
  Play.SetEnabled(false);
  EXPECT_EQ((Log{FrameCopy(2)}), L.Take());
  Host.MouseMove(20, 20, false);
  EXPECT_EQ((Log{"hint:Play"}), L.Take());  // no cursor, no repaint
  EXPECT_TRUE(Play.Hover());
  EXPECT_EQ(FrameDisabled, Play.Frame());
  // The press falls through: no widget takes it, the window drags.
  EXPECT_EQ(nullptr, Host.MouseDown(20, 20));
  EXPECT_FALSE(Play.Pressed());
}

TEST_F(MainButton, DisablingAHoveredButtonRestoresTheDefaultCursorAtOnce) {
  Host.MouseMove(20, 20, false);
  L.Take();
  Play.SetEnabled(false);
  EXPECT_EQ((Log{"cursor:default", FrameCopy(2)}), L.Take());
  Play.SetEnabled(false);  // no change, nothing happens
  EXPECT_EQ(Log{}, L.Take());
}

TEST_F(MainButton, LatchedDownButtonIgnoresPressesAndKeepsFrame1) {
  Play.AllowDown = true;
  Play.SetDown(true);
  EXPECT_EQ((Log{FrameCopy(1)}), L.Take());
  Host.MouseMove(20, 20, false);
  EXPECT_EQ((Log{"hint:Play"}), L.Take());
  EXPECT_EQ(FramePressed, Play.Frame());
  EXPECT_EQ(nullptr, Host.MouseDown(20, 20));
  EXPECT_EQ(nullptr, Host.MouseUp(20, 20));
}

TEST_F(MainButton, DownIsHonouredOnlyWithAllowDown) {
  Host.MouseMove(20, 20, false);
  Play.SetDown(true);
  EXPECT_EQ(FrameHover, Play.Frame());
  EXPECT_EQ(&Play, Host.MouseDown(20, 20));
  Play.AllowDown = true;
  EXPECT_EQ(FramePressed, Play.Frame());
}

TEST_F(MainButton, LatchingAHoveredButtonRestoresTheDefaultCursor) {
  Play.AllowDown = true;
  Host.MouseMove(20, 20, false);
  L.Take();
  Play.SetDown(true);
  EXPECT_EQ((Log{"cursor:default", FrameCopy(1)}), L.Take());
}

TEST(CaptionButton, CentredCaptionKeepsTheRectangleCentre) {
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TButtonOptions O{TButtonVariant::CaptionCentred};
  // 6 px per character: 16 characters are 96 px and need the 120-px image,
  // 2 characters the 80-px one.
  TVirtualButton Wide{Host, Surface, {100, 5, 200, 25}, std::wstring(16, L'x'), L"", L"", O};
  EXPECT_EQ((TRect{90, 5, 210, 25}), Wide.Rect());
  TVirtualButton Narrow{Host, Surface, {100, 5, 200, 25}, L"OK", L"", L"", O};
  EXPECT_EQ((TRect{110, 5, 190, 25}), Narrow.Rect());
}

TEST(CaptionButton, ShorterCaptionRestoresTheSkinUnderTheOldButtonFirst) {
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TVirtualButton B{Host, Surface, {100, 5, 200, 25}, std::wstring(16, L'x'), L"", L"",
                   {TButtonVariant::CaptionCentred}};
  L.Take();
  B.SetCaption(L"OK");
  Log Got = L.Take();
  ASSERT_EQ(3u, Got.size());
  EXPECT_EQ("caption:OK", Got[0]);
  EXPECT_EQ("restore:(90,5)-(210,25):both", Got[1]);
  EXPECT_EQ("copy:ButtonText1(0,0)-(80,20)->(110,5)-(190,25):both", Got[2]);
}

TEST(CaptionButton, GrowingCaptionSetsTheRightEdgeAndSetWidthKeepsTheRectangle) {
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TVirtualButton B{Host, Surface, {10, 5, 50, 25}, L"Load", L"", L"",
                   {TButtonVariant::CaptionGrowing}};
  EXPECT_EQ((TRect{10, 5, 90, 25}), B.Rect());
  EXPECT_EQ(80, B.ImageWidth());
  B.SetWidth(101);  // the smallest image at least 101 wide
  EXPECT_EQ(120, B.ImageWidth());
  EXPECT_EQ((TRect{10, 5, 90, 25}), B.Rect());
  // Beyond the widest image it is drawn out to the width asked for.
  B.SetWidth(500);
  EXPECT_EQ(500, B.ImageWidth());
}

TEST(ConfigButton, DisabledButtonSwallowsThePress) {
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TButtonOptions O{TButtonVariant::Config};
  O.Enabled = false;
  TVirtualButton B{Host, Surface, {10, 10, 90, 30}, L"Apply", L"", L"", O};
  Host.SetMouseOrder({&B});
  EXPECT_EQ(&B, Host.MouseDown(20, 20));  // taken: the window does not drag
  EXPECT_FALSE(B.Pressed());
  EXPECT_EQ(nullptr, Host.MouseUp(20, 20));  // and nothing is clicked
}

TEST(ConfigButton, NarrowingKeepsTheLeftEdgeAndRestoresTheSkin) {
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TButtonOptions O{TButtonVariant::Config};
  O.Targets = ptWindow;
  TVirtualButton B{Host, Surface, {10, 10, 130, 30}, L"Apply", L"", L"", O};
  EXPECT_EQ((TRect{30, 10, 110, 30}), B.Rect());
  B.SetWidth(120);
  EXPECT_EQ((TRect{30, 10, 150, 30}), B.Rect());
  L.Take();
  B.SetWidth(80);
  EXPECT_EQ((Log{"caption:Apply", "restore:(30,10)-(150,30):window"}), L.Take());
  EXPECT_EQ((TRect{30, 10, 110, 30}), B.Rect());
}

TEST(PlaylistButton, HoverAndPressFramesAndLeavingRepaintsTheTitleStrips) {
  TLog L;
  TRecordingHost Host{L};
  TRecordingSurface Surface{L};
  TFakePlaylist Playlist{L};
  TButtonOptions O{TButtonVariant::Playlist};
  O.Targets = ptWindow;
  O.Playlist = &Playlist;
  TVirtualButton B{Host, Surface, {10, 2, 34, 14}, L"", L"Open", L"btnOpenMovie", O};
  Host.SetMouseOrder({&B});
  Host.MouseMove(20, 5, false);
  EXPECT_EQ((Log{"cursor:point", "hint:Open",
                 "copy:btnOpenMovie(0,0)-(12,12)->(10,2)-(34,14):window"}),
            L.Take());
  Host.MouseDown(20, 5);
  EXPECT_EQ((Log{"hint:", "cancel",
                 "copy:btnOpenMovie(12,0)-(24,12)->(10,2)-(34,14):window",
                 "cursor:press"}),
            L.Take());
  EXPECT_EQ(&B, Host.MouseUp(20, 5));
  EXPECT_EQ(Log{}, L.Take());  // no repaint on the click
  Host.MouseMove(50, 5, false);
  EXPECT_EQ((Log{"hint:", "cancel", "repaint-buttons", "cursor:default"}), L.Take());
  // Disabled: the mouse is ignored altogether.
  B.SetEnabled(false);
  Host.MouseMove(20, 5, false);
  EXPECT_EQ(Log{}, L.Take());
  EXPECT_EQ(nullptr, Host.MouseDown(20, 5));
}
