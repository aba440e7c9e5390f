// The equalizer window's face: sliders reach the equalizer's bins and the
// amplifier, keys and the wheel step the pre-amplification, buttons report
// their action.
#include "tools/equalizer/equalizer_panel.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/amplify.h"
#include "engine/dsp/equalizer.h"
#include "framework/keys.h"
#include "kit/tests/widget_fakes.h"
#include "tools/equalizer/equalizer_audio.h"
#include "tools/tests/tool_fakes.h"

namespace lc::tools {
namespace {

class EqualizerPanel : public ::testing::Test {
 protected:
  ::fakes::TFakeWindow W;
  fakes::TRecordingAudio Audio;
  fakes::TRecordingPlayer Player;
  TEqualizerPanel Panel{W.Host, W.Surface, Audio, Player, TEqualizerTexts{}};
  std::vector<TEqualizerAction> Actions;
  void SetUp() override {
    Panel.OnAction = [this](TEqualizerAction A) { Actions.push_back(A); };
  }
  void Key(int K, TShiftState Shift = 0) { Panel.AllKeyDown(K, Shift); }
};

TEST_F(EqualizerPanel, ABandSetsExactlyItsBinsNegated) {
  Panel.tbEqChange(0, 40);
  EXPECT_EQ((std::map<int, int>{{0, -40}, {1, -40}, {2, -40}}), Audio.Gains);
  EXPECT_EQ(L"-8", Panel.BandLabel(0).Caption());
  Audio.Gains.clear();
  Panel.tbEqChange(9, -100);
  EXPECT_EQ(465u, Audio.Gains.size());
  EXPECT_EQ(559, Audio.Gains.begin()->first);
  EXPECT_EQ(1023, Audio.Gains.rbegin()->first);
  EXPECT_EQ(100, Audio.Gains[700]);
  EXPECT_EQ(L"20", Panel.BandLabel(9).Caption());
  Audio.Gains.clear();
  Panel.tbEqChange(10, 50);
  Panel.tbEqChange(-1, 50);
  EXPECT_TRUE(Audio.Gains.empty());
}

// The panel over the player's own link to the equalizer and the amplifier:
// a band sets channel 0's bins, the pre-amplification channel 0's volume,
// and the link reads that volume back.
TEST(EqualizerPanelOverTheDsp, BandsAndPreampReachChannelZero) {
  ::fakes::TFakeWindow W;
  fakes::TRecordingPlayer Player;
  TDspEqualizer Equalizer;
  TDspAmplify Amplify;
  TDspEqualizerAudio Audio{Equalizer, Amplify};
  TEqualizerPanel Panel{W.Host, W.Surface, Audio, Player, TEqualizerTexts{}};
  Panel.tbEqChange(0, 40);
  EXPECT_EQ(-40, Equalizer.GetBandGain(0, 0));
  EXPECT_EQ(-40, Equalizer.GetBandGain(0, 2));
  EXPECT_EQ(0, Equalizer.GetBandGain(0, 3));
  EXPECT_EQ(0, Equalizer.GetBandGain(1, 2));
  int Up = vkUp;
  Panel.AllKeyDown(Up, 0);
  EXPECT_EQ(11220, Amplify.GetVolume(0));
  EXPECT_EQ(10000, Amplify.GetVolume(1));
  EXPECT_EQ(11220, Audio.PreampVolume());
}

TEST_F(EqualizerPanel, BandValuesAreClampedToTheSliderRange) {
  Panel.tbEqChange(4, 300);
  EXPECT_EQ(100, Panel.BandSlider(4).Position());
  EXPECT_EQ(-100, Audio.Gains[29]);
}

TEST_F(EqualizerPanel, PressingABandSliderAppliesThatBandOnly) {
  // Band 3's column is x 217; the top of the track (y 48) is -100.
  ASSERT_NE(nullptr, W.Host.MouseDown(217, 48));
  EXPECT_EQ(-100, Panel.BandSlider(3).Position());
  EXPECT_EQ((std::map<int, int>{{16, 100}, {17, 100}, {18, 100}, {19, 100}, {20, 100},
                                {21, 100}, {22, 100}, {23, 100}, {24, 100}, {25, 100},
                                {26, 100}, {27, 100}, {28, 100}}),
            Audio.Gains);
  EXPECT_EQ(10000, Audio.Volume_);
}

TEST_F(EqualizerPanel, PreampKeysStepWithinTheRangeAndShowTheGain) {
  Key(vkUp);
  EXPECT_EQ(-5, Panel.PreampSlider().Position());
  EXPECT_EQ(11220, Audio.Volume_);
  EXPECT_EQ(L"Preamplification: 1", Player.Osd.back());
  Panel.SetPreamp(-100);
  Key(vkUp);
  EXPECT_EQ(-100, Panel.PreampSlider().Position());
  EXPECT_EQ(100000, Audio.Volume_);
  EXPECT_EQ(L"Preamplification: 20", Player.Osd.back());
  Panel.SetPreamp(98);
  Key(vkDown);
  EXPECT_EQ(100, Panel.PreampSlider().Position());
  EXPECT_EQ(1000, Audio.Volume_);
  EXPECT_EQ(L"-20", Panel.PreampLabel().Caption());
  Key(vkNumpad0);
  EXPECT_EQ(0, Panel.PreampSlider().Position());
  EXPECT_EQ(L"Preamplification: 0", Player.Osd.back());
  EXPECT_TRUE(Player.Passed.empty());
}

TEST_F(EqualizerPanel, ModifiersMatchAsAWholeAndOtherKeysGoToThePlayer) {
  Key(vkUp, ssShift);
  Key('E', ssCtrl);
  Key('G', ssAlt | ssCtrl);
  Key('P');
  EXPECT_EQ(0, Panel.PreampSlider().Position());
  ASSERT_EQ(4u, Player.Passed.size());
  EXPECT_EQ(std::make_pair(int{'G'}, TShiftState{ssAlt | ssCtrl}), Player.Passed[2]);
  EXPECT_TRUE(Actions.empty());
  Key('E');
  Key('G', ssAlt);
  Key(vkEscape, ssCtrl | ssShift);
  EXPECT_EQ(3u, Actions.size());
  EXPECT_EQ(TEqualizerAction::Close, Actions[2]);
}

TEST_F(EqualizerPanel, WheelStepsLikeTheKeys) {
  Panel.Wheel(true);
  Panel.Wheel(true);
  EXPECT_EQ(-10, Panel.PreampSlider().Position());
  Panel.Wheel(false);
  EXPECT_EQ(-5, Panel.PreampSlider().Position());
  EXPECT_EQ(3u, Player.Osd.size());
}

TEST_F(EqualizerPanel, ButtonsSitAtTheirPlacesOfTheFace) {
  EXPECT_EQ((TRect{411, 7, 420, 16}), Panel.Button(TEqualizerAction::Close).Rect());
  EXPECT_EQ((TRect{5, 72, 19, 84}), Panel.Button(TEqualizerAction::LoadPreset).Rect());
  EXPECT_EQ((TRect{6, 103, 18, 115}), Panel.Button(TEqualizerAction::SavePreset).Rect());
  EXPECT_EQ(L"Load preset", Panel.Button(TEqualizerAction::LoadPreset).Hint());
  Panel.SetTexts({L"Schliessen", L"Laden", L"Speichern", L"Vorverstaerkung"});
  EXPECT_EQ(L"Schliessen", Panel.Button(TEqualizerAction::Close).Hint());
  EXPECT_EQ(L"Laden", Panel.Button(TEqualizerAction::LoadPreset).Hint());
  EXPECT_EQ(L"Speichern", Panel.Button(TEqualizerAction::SavePreset).Hint());
  // The pre-amplification's value is centred on x 69: "-20" is 18 wide.
  W.L.Take();
  Panel.SetPreamp(100);
  const std::vector<std::string> Drawn = W.L.Take();
  EXPECT_NE(std::find_if(Drawn.begin(), Drawn.end(),
                         [](const std::string& E) { return E.starts_with("text:-20@60,27:"); }),
            Drawn.end());
}

TEST_F(EqualizerPanel, ButtonsReportTheirActionOnRelease) {
  ASSERT_NE(nullptr, W.Host.MouseDown(10, 75));
  EXPECT_NE(nullptr, W.Host.MouseUp(10, 75));
  ASSERT_NE(nullptr, W.Host.MouseDown(415, 10));
  W.Host.MouseUp(415, 10);
  EXPECT_EQ((std::vector{TEqualizerAction::LoadPreset, TEqualizerAction::Close}), Actions);
}

TEST_F(EqualizerPanel, PositionsRoundTripAndAmplifierValueIsShownNotApplied) {
  TEqPreset P{-20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  Panel.SetPositions(P);
  EXPECT_EQ(P, Panel.Positions());
  EXPECT_EQ(15849, Audio.Volume_);
  Panel.ShowPreampVolume(1000);
  EXPECT_EQ(100, Panel.PreampSlider().Position());
  EXPECT_EQ(L"-20", Panel.PreampLabel().Caption());
  EXPECT_EQ(15849, Audio.Volume_);
}

}  // namespace
}  // namespace lc::tools
