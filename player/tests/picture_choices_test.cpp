#include <gtest/gtest.h>

#include <optional>

#include "player/picture_choices.h"

namespace lc {
namespace {

settings::TextTable Texts() {
  settings::TextTable t;
  settings::SetDefaultTexts(t);
  return t;
}

TEST(AspectChoices, ValuesAndWhetherTheyAreWorthRemembering) {
  struct Case {
    AspectChoice Choice;
    AspectState Before;
    double Value;
    bool Keep, Changed;
  } cases[] = {
      {AspectChoice::Original, {1.78, true}, 1.25, true, true},  // 720 x 576
      {AspectChoice::Original, {1.25, true}, 1.25, true, false},
      {AspectChoice::Original, {1.25, false}, 1.25, true, true},
      {AspectChoice::Wide169, {1.33, true}, 1.78, true, true},
      {AspectChoice::Wide169, {1.78, true}, 1.78, true, false},
      {AspectChoice::Wide169, {1.78, false}, 1.78, true, true},
      {AspectChoice::Standard43, {1.78, true}, 1.33, true, true},
      {AspectChoice::Standard43, {1.33, true}, 1.33, true, false},
      {AspectChoice::Square11, {1.33, true}, 1.0, true, true},
      {AspectChoice::Square11, {1.0, true}, 1.0, true, false},
      {AspectChoice::Free, {1.78, true}, 1.78, false, true},
      {AspectChoice::Free, {1.78, false}, 1.78, false, false},
      // The custom entry keeps the ratio for its dialog and turns the kept
      // aspect back on.
      {AspectChoice::Custom, {2.1, false}, 2.1, true, true},
      {AspectChoice::Custom, {2.1, true}, 2.1, true, false},
  };
  for (const Case& c : cases) {
    const AspectOutcome out = ChooseAspect(c.Choice, c.Before, 720, 576);
    EXPECT_DOUBLE_EQ(out.State.Value, c.Value) << static_cast<int>(c.Choice);
    EXPECT_EQ(out.State.Keep, c.Keep) << static_cast<int>(c.Choice);
    EXPECT_EQ(out.Changed, c.Changed) << static_cast<int>(c.Choice) << " from " << c.Before.Value;
  }
  // A movie without a size: the original ratio divides by 1.
  EXPECT_DOUBLE_EQ(ChooseAspect(AspectChoice::Original, {1.78, true}, 0, 0).State.Value, 0.0);
}

TEST(AspectChoices, TextsFollowTheDecimalSeparator) {
  const auto t = Texts();
  EXPECT_EQ(AspectChoiceText(AspectChoice::Wide169, t, '.'), "1.78 (16:9)");
  EXPECT_EQ(AspectChoiceText(AspectChoice::Wide169, t, ','), "1,78 (16:9)");
  EXPECT_EQ(AspectChoiceText(AspectChoice::Standard43, t, ','), "1,33 (4:3)");
  EXPECT_EQ(AspectChoiceText(AspectChoice::Square11, t, ','), "1 (1:1)");
  EXPECT_EQ(AspectChoiceText(AspectChoice::Original, t, '.'), "original");
  EXPECT_EQ(AspectChoiceText(AspectChoice::Free, t, '.'), "free");
  EXPECT_EQ(AspectChoiceText(AspectChoice::Custom, t, '.'), "free");
  EXPECT_EQ(AspectOsdText("1.78 (16:9)", t), "Aspect Ratio: 1.78 (16:9)");
}

TEST(PanScanChoices, StepsStopAtTheLimits) {
  EXPECT_EQ(PanScanStep(0, 1), 1);
  EXPECT_EQ(PanScanStep(99, 1), 100);
  EXPECT_EQ(PanScanStep(100, 1), std::nullopt);
  EXPECT_EQ(PanScanStep(0, -1), -1);
  EXPECT_EQ(PanScanStep(-49, -1), -50);
  EXPECT_EQ(PanScanStep(-50, -1), std::nullopt);
  EXPECT_EQ(PanScanStep(5, 0), std::nullopt);
}

TEST(PanScanChoices, OsdTexts) {
  const auto t = Texts();
  EXPECT_EQ(PanScanOsdText(false, 0, t), "Automatic PanScan (0%)");
  EXPECT_EQ(PanScanOsdText(false, 13, t), "Automatic PanScan (13%)");
  EXPECT_EQ(PanScanOsdText(true, 12, t), "PanScan 12%");
  EXPECT_EQ(PanScanOsdText(true, -25, t), "PanScan -25%");
  EXPECT_EQ(PanScanOsdText(true, 0, t), "PanScan off");
  EXPECT_EQ(VolumeOsdText(5099, t), "Volume: 50%");
  EXPECT_EQ(VolumeOsdText(10000, t), "Volume: 100%");
}

TEST(PictureOffsets, StepsStopAtTheLimits) {
  struct Case {
    int Value, Delta;
    std::optional<int> Next;
  } cases[] = {
      {0, 1, 1}, {0, -1, -1}, {99, 1, 100}, {100, 1, std::nullopt}, {-99, -1, -100},
      {-100, -1, std::nullopt}, {100, -1, 99}, {-100, 1, -99},
  };
  for (const Case& c : cases) EXPECT_EQ(OffsetStep(c.Value, c.Delta), c.Next) << c.Value << " by " << c.Delta;
}

TEST(PictureOffsets, OsdTexts) {
  const settings::TextTable t = Texts();
  EXPECT_EQ(OffsetOsdText(true, 12, t), "Horizontal position: 12%");
  EXPECT_EQ(OffsetOsdText(false, -3, t), "Vertical position: -3%");
  EXPECT_EQ(OffsetOsdText(true, 100, t), "Horizontal position: 100%");
}

}  // namespace
}  // namespace lc
