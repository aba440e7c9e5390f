// The colour control window's face: value labels, brightness steps, the
// default values and the change score.
#include "tools/color/color_panel.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/keys.h"
#include "kit/tests/widget_fakes.h"
#include "tools/tests/tool_fakes.h"

namespace lc::tools {
namespace {

TEST(ColorRules, ValueTexts) {
  EXPECT_EQ(L"7.5", ColorValueText(csBrightness, 75, L'.'));
  EXPECT_EQ(L"75", ColorValueText(csBrightness, 750, L'.'));
  EXPECT_EQ(L"0,5", ColorValueText(csBrightness, 5, L','));
  EXPECT_EQ(L"100", ColorValueText(csBrightness, 1000, L'.'));
  EXPECT_EQ(L"99", ColorValueText(csContrast, 199, L'.'));
  EXPECT_EQ(L"0", ColorValueText(csSaturation, 1, L'.'));
  EXPECT_EQ(L"-180", ColorValueText(csHue, -180, L'.'));
}

TEST(ColorRules, BrightnessStepsRoundFirst) {
  EXPECT_EQ(760, BrightnessStep(753, true));
  EXPECT_EQ(740, BrightnessStep(753, false));
  EXPECT_EQ(770, BrightnessStep(755, true));  // 75.5 rounds to 76
  EXPECT_EQ(770, BrightnessStep(765, true));  // 76.5 rounds to 76
  EXPECT_EQ(1000, BrightnessStep(1000, true));
  EXPECT_EQ(0, BrightnessStep(0, false));
  EXPECT_EQ(0, BrightnessStep(4, false));
}

class ColorPanel : public ::testing::Test {
 protected:
  ::fakes::TFakeWindow W;
  fakes::TRecordingPlayer Player;
  TColorPanel Panel{W.Host, W.Surface, W.Playback, Player, TColorTexts{}, L'.'};
  int Closed = 0;
  void SetUp() override { Panel.OnClose = [this] { ++Closed; }; }
  void Key(int K, TShiftState Shift = 0) { Panel.AllKeyDown(K, Shift); }
};

TEST_F(ColorPanel, StartsInTheMiddleOfEachRange) {
  EXPECT_EQ(500, Panel.Position(csBrightness));
  EXPECT_EQ(100, Panel.Position(csContrast));
  EXPECT_EQ(0, Panel.Position(csHue));
  EXPECT_EQ(100, Panel.Position(csSaturation));
  EXPECT_EQ(L"50", Panel.ValueLabel(csBrightness).Caption());
}

TEST_F(ColorPanel, RightKeyStepsShowsAndScoresWhileAGraphIsActive) {
  Panel.SetPosition(csBrightness, 753);
  W.Playback.Active = true;
  W.Playback.Score = 6000;
  Key(vkRight);
  EXPECT_EQ(760, Panel.Position(csBrightness));
  EXPECT_EQ(L"76", Panel.ValueLabel(csBrightness).Caption());
  EXPECT_EQ(L"Brightness: 76", Player.Osd.back());
  EXPECT_EQ(10000, W.Playback.Score);
  Panel.SetPosition(csBrightness, 1000);
  W.Playback.Score = 0;
  Key(vkRight);
  EXPECT_EQ(1000, Panel.Position(csBrightness));
  EXPECT_EQ(5000, W.Playback.Score);
  EXPECT_EQ(2u, Player.Osd.size());
}

TEST_F(ColorPanel, WheelStepsWithoutScoring) {
  W.Playback.Active = true;
  Panel.Wheel(false);
  EXPECT_EQ(490, Panel.Position(csBrightness));
  Panel.Wheel(true);
  EXPECT_EQ(500, Panel.Position(csBrightness));
  EXPECT_EQ(0, W.Playback.Score);
  EXPECT_EQ(L"Brightness: 50", Player.Osd.back());
}

TEST_F(ColorPanel, DefaultValuesScoreOnlyWithAGraph) {
  Panel.SetPosition(csHue, -180);
  Panel.SetPosition(csContrast, 200);
  Panel.SetPosition(csSaturation, 200);
  Panel.btnDefaultClick();
  EXPECT_EQ(75, Panel.Position(csBrightness));
  EXPECT_EQ(100, Panel.Position(csContrast));
  EXPECT_EQ(100, Panel.Position(csSaturation));
  EXPECT_EQ(0, Panel.Position(csHue));
  EXPECT_EQ(L"50", Panel.ValueLabel(csSaturation).Caption());
  EXPECT_EQ(L"7.5", Panel.ValueLabel(csBrightness).Caption());
  EXPECT_EQ(L"0", Panel.ValueLabel(csHue).Caption());
  EXPECT_EQ(L"50", Panel.ValueLabel(csContrast).Caption());
  EXPECT_EQ(0, W.Playback.Score);
  W.Playback.Active = true;
  Panel.btnDefaultClick();
  EXPECT_EQ(5000, W.Playback.Score);
}

TEST_F(ColorPanel, CloseKeysAndKeysPassedOn) {
  Key('C', ssCtrl);
  Key(vkEscape, ssAlt);
  EXPECT_EQ(2, Closed);
  Key(vkLeft, ssCtrl);
  Key('C');
  EXPECT_EQ(500, Panel.Position(csBrightness));
  ASSERT_EQ(2u, Player.Passed.size());
  EXPECT_EQ(std::make_pair(vkLeft, TShiftState{ssCtrl}), Player.Passed[0]);
}

TEST_F(ColorPanel, DraggingASliderUpdatesItsLabelAndScores) {
  W.Playback.Active = true;
  // The contrast row is y 63; x 105 .. 235 is 0 .. 200.
  ASSERT_NE(nullptr, W.Host.MouseDown(235, 63));
  EXPECT_EQ(200, Panel.Position(csContrast));
  EXPECT_EQ(L"100", Panel.ValueLabel(csContrast).Caption());
  EXPECT_EQ(5000, W.Playback.Score);
  W.Host.MouseMove(105, 63, true);
  EXPECT_EQ(0, Panel.Position(csContrast));
  EXPECT_EQ(L"0", Panel.ValueLabel(csContrast).Caption());
}

// A press at either end of a row moves that row's slider to its end and
// leaves the other three where they were.
TEST_F(ColorPanel, EverySliderTakesThePressOnItsOwnRow) {
  const int Rows[4] = {38, 63, 88, 113};
  const int Lowest[4] = {0, 0, -180, 0}, Highest[4] = {1000, 200, 180, 200}, Start[4] = {500, 100, 0, 100};
  for (TColorSlider S : {csBrightness, csContrast, csHue, csSaturation}) {
    for (const auto& [X, Ends] : {std::pair{235, Highest}, std::pair{105, Lowest}}) {
      ASSERT_NE(nullptr, W.Host.MouseDown(X, Rows[S])) << S;
      W.Host.MouseUp(X, Rows[S]);
      for (TColorSlider Other : {csBrightness, csContrast, csHue, csSaturation})
        EXPECT_EQ(Other == S ? Ends[S] : Start[Other], Panel.Position(Other)) << "pressed " << S << " at " << X;
    }
    Panel.SetPosition(S, Start[S]);
  }
}

TEST_F(ColorPanel, LabelsAndCloseBoxSitWhereTheFaceHasRoomForThem) {
  EXPECT_EQ((TRect{278, 7, 287, 16}), Panel.CloseButton().Rect());
  EXPECT_EQ(26, Panel.NameLabel(csContrast).Rect().Left);
  EXPECT_EQ(56, Panel.NameLabel(csContrast).Rect().Top);
  EXPECT_EQ(260, Panel.ValueLabel(csHue).Rect().Left);
  EXPECT_EQ(81, Panel.ValueLabel(csHue).Rect().Top);
}

// The four rows lie 25 apart from y 38, each name and value 7 above its
// slider; a value too wide to end by x 285 moves left, and back again.
TEST_F(ColorPanel, RowsRangesAndValuesThatNeedRoom) {
  const int Tops[4] = {31, 56, 81, 106};
  for (TColorSlider S : {csBrightness, csContrast, csHue, csSaturation}) {
    EXPECT_EQ(Tops[S], Panel.NameLabel(S).Rect().Top) << S;
    EXPECT_EQ(Tops[S], Panel.ValueLabel(S).Rect().Top) << S;
  }
  const int Lowest[4] = {0, 0, -180, 0}, Highest[4] = {1000, 200, 180, 200};
  for (TColorSlider S : {csBrightness, csContrast, csHue, csSaturation}) {
    Panel.SetPosition(S, -5000);
    EXPECT_EQ(Lowest[S], Panel.Position(S)) << S;
    Panel.SetPosition(S, 5000);
    EXPECT_EQ(Highest[S], Panel.Position(S)) << S;
  }
  W.Surface.CharWidth = 10;
  Panel.SetPosition(csContrast, 100);
  Panel.SetPosition(csContrast, 200);  // "100", 30 wide
  EXPECT_EQ(255, Panel.ValueLabel(csContrast).Rect().Left);
  Panel.SetPosition(csContrast, 20);  // "10", 20 wide
  EXPECT_EQ(260, Panel.ValueLabel(csContrast).Rect().Left);
}

TEST_F(ColorPanel, NewTextsShareOneLeftEdgeInTheNameColumn) {
  TColorTexts T;
  T.Names = {L"Helligkeit", L"Kontrast", L"Farbton", L"S\u00e4ttigung"};
  T.DefaultCaption = L"Standard";
  Panel.SetTexts(T, 60);
  for (TColorSlider S : {csBrightness, csContrast, csHue, csSaturation}) {
    EXPECT_EQ(20, Panel.NameLabel(S).Rect().Left) << S;
    EXPECT_EQ(T.Names[S], Panel.NameLabel(S).Caption());
  }
  EXPECT_EQ(L"Standard", Panel.DefaultButton().Caption());
  Key(vkRight);
  EXPECT_EQ(L"Helligkeit: 51", Player.Osd.back());
}

// The face as the window draws it when made: the two buttons,
// then each row's thumb, name and value, from the top.
TEST_F(ColorPanel, PaintWidgetsDrawsEveryRow) {
  W.L.Take();
  Panel.PaintWidgets();
  EXPECT_EQ((std::vector<std::string>{
                "copy:MainbtnClose(0,0)-(9,9)->(278,7)-(287,16):both",
                "copy:ButtonText2(0,0)-(100,20)->(96,133)-(196,153):both",
                "copy:HorizontalSlider(0,0)-(7,12)->(167,32)-(174,44):both", "text:Brightness@26,31:both",
                "text:50@260,31:both",
                "copy:HorizontalSlider(0,0)-(7,12)->(167,57)-(174,69):both", "text:Contrast@26,56:both",
                "text:50@260,56:both",
                "copy:HorizontalSlider(0,0)-(7,12)->(167,82)-(174,94):both", "text:Hue@26,81:both",
                "text:0@260,81:both",
                "copy:HorizontalSlider(0,0)-(7,12)->(167,107)-(174,119):both", "text:Saturation@26,106:both",
                "text:50@260,106:both"}),
            W.L.Take());
}

TEST_F(ColorPanel, DefaultButtonSitsCentredBelowTheSliders) {
  const TRect& R = Panel.DefaultButton().Rect();
  EXPECT_EQ(146, (R.Left + R.Right) / 2);
  EXPECT_EQ(133, R.Top);
  W.Host.MouseDown(140, 140);
  W.Host.MouseUp(140, 140);
  EXPECT_EQ(75, Panel.Position(csBrightness));
}

}  // namespace
}  // namespace lc::tools
