#include "engine/graph/color_control.h"

#include <string>

#include <gtest/gtest.h>

#include "framework/exceptions.h"

namespace {

// The message a setter raises for Value, or "" when it accepts it.
template <class F>
std::string Refusal(F Set) {
  try {
    Set();
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}

TEST(ColorControl, SettersCheckTheirRanges) {
  TColorControl c(nullptr);
  const struct {
    const char* Name;
    void (TColorControl::*Set)(int);
    int Value;
    const char* Message;
  } cases[] = {
      {"Brightness", &TColorControl::SetBrightness, 10001,
       "Value 10001 out of range. Value must bee between 0 -> 10.000"},
      {"Brightness", &TColorControl::SetBrightness, 10000, ""},
      {"Contrast", &TColorControl::SetContrast, -1,
       "Value -1 out of range. Value must bee between 0 -> 20.000"},
      {"Hue", &TColorControl::SetHue, -180, ""},
      {"Hue", &TColorControl::SetHue, 180, ""},
      {"Hue", &TColorControl::SetHue, 181,
       "Value 181 out of range. Value must bee between -180 -> 180"},
      {"Saturation", &TColorControl::SetSaturation, 20001,
       "Value 20001 out of range. Value must bee between 0 -> 20.000"},
      {"Sharpness", &TColorControl::SetSharpness, 11,
       "Value 11 out of range. Value must bee between 0 -> 10"},
      {"Gamma", &TColorControl::SetGamma, 0, "Value 0 out of range. Value must bee between 1 -> 500"},
      {"Gamma", &TColorControl::SetGamma, 500, ""},
  };
  for (const auto& t : cases)
    EXPECT_EQ(Refusal([&] { (c.*t.Set)(t.Value); }), t.Message) << t.Name << " " << t.Value;
  EXPECT_EQ(c.Brightness(), 10000);  // the accepted value stayed, the refused one did not
  EXPECT_EQ(c.Hue(), 180);
}

TEST(ColorControl, SetColorControlsTakesAnyValue) {
  TColorControl c(nullptr);
  EXPECT_EQ(Refusal([&] { c.SetColorControls(-5, 30000, 400, -1); }), "");
  EXPECT_EQ(c.Brightness(), -5);
  EXPECT_EQ(c.Contrast(), 30000);
  EXPECT_EQ(c.Hue(), 400);
  EXPECT_EQ(c.Saturation(), -1);
}

TEST(ColorControl, StartsAtTheDefaultsAndRestoresThem) {
  TColorControl c(nullptr);
  EXPECT_EQ(c.Brightness(), 750);
  EXPECT_EQ(c.Contrast(), 10000);
  EXPECT_EQ(c.Hue(), 0);
  EXPECT_EQ(c.Saturation(), 10000);
  EXPECT_EQ(c.Sharpness(), 5);
  EXPECT_EQ(c.Gamma(), 1);
  EXPECT_TRUE(c.ColorEnable());
  EXPECT_EQ(c.Defaults().dwFlags, 0x7Fu);
  c.SetColorControls(1, 2, 3, 4);
  c.SetColorEnable(false);
  c.RestoreDefaults();
  EXPECT_EQ(c.Brightness(), 750);
  EXPECT_EQ(c.Saturation(), 10000);
  EXPECT_TRUE(c.ColorEnable());
}

TEST(ColorControl, OwnRendererReportsWhatItApplies) {
  const TDDColorControl d = OwnRendererColorDefaults();
  EXPECT_EQ(d.dwFlags, ColorFlagBrightness | ColorFlagContrast | ColorFlagHue | ColorFlagSaturation |
                           ColorFlagColorEnable);
  EXPECT_EQ(d.lBrightness, 750);
  EXPECT_EQ(d.lContrast, 10000);
}

}  // namespace
