// The configuration dialog's option rules: check-list clicks, the numeric
// fields, new extensions, change tracking, Apply's storing, Default, the
// font-size conversions, the outline colour and the language entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/config/config_rules.h"

namespace lc::tools {
namespace {

using namespace lc::settings;

using NF = NumericField;
using D = ConfigDifference;

// A store with the values the tests start from.
SettingsStore SampleStore() {
  SettingsStore s;
  s.MediaExtensions = {"avi", "mkv", "mp4"};
  s.RememberMovieSettings = true;
  s.RememberLastMoviePosition = true;
  s.CpuPriority = 1;
  s.PlaylistFontSize = 10;
  s.HorizontalDisplayArea = 99;
  s.AverageVerticalDisplayZone = 15;
  s.SubtitleSize = 100;
  s.AverageDisplayTime = 2200;
  s.SecondesToJump = 20;
  s.SecondesToFastJump = 60;
  s.OsdSize = 100;
  s.SubtitleFontName = "Arial";
  s.SubtitleFontColor = 0xFFFFFF;
  s.SubtitleFontStyle = kFontBold;
  s.SubtitleFontScript = 1;
  s.OsdColor = 65280;
  s.CaptureFolder = "Desktop";
  s.CaptureType = 1;
  s.LastUsedLanguage = "German";
  s.FullscreenModeSwitch = "No change";
  return s;
}

TEST(ConfigControls, ShowTheSettingsLineByLine) {
  SettingsStore s = SampleStore();
  s.LoadEntireFolder = true;          // General line 10
  s.AutoResizeFont = true;            // Subtitle 1 line 4
  s.DisableExternalSubtitleFilters = true;  // Subtitle 2 line 6
  s.OSDDisplay = true;                // Video line 7
  const ConfigControls c = ControlsFromSettings(s, {true, false});
  EXPECT_EQ((std::vector<std::string>{"AVI", "MKV", "MP4"}), c.FileTypeLines);
  EXPECT_EQ((std::vector<bool>{true, false, false}), c.FileTypeChecks);
  EXPECT_EQ((std::array<bool, 11>{false, false, false, false, false, true, true, false, false, true, false}),
            c.General);
  EXPECT_EQ((std::array<bool, 4>{false, false, false, true}), c.Subtitle1);
  EXPECT_EQ((std::array<bool, 6>{false, false, false, false, false, true}), c.Subtitle2);
  EXPECT_EQ((std::array<bool, 7>{false, false, false, false, false, false, true}), c.Video);
  EXPECT_EQ(1, c.Priority);
  EXPECT_EQ("2200", c.Number(NF::AverageDisplayTime));
  EXPECT_EQ("15", c.Number(NF::AverageVerticalDisplayZone));
  EXPECT_EQ("99", c.Number(NF::HorizontalDisplayArea));
}

// The first line of every check list and the first number field, which a
// loop begun one place late would leave out: shown as the settings hold
// them, and stored as the controls then show them, on and off alike.
TEST(ConfigControls, TheFirstLineOfEachListAndTheFirstNumberGoBothWays) {
  using Line = bool& (*)(ConfigControls&);
  const struct {
    const char* list;
    bool SettingsStore::*setting;
    Line line;
  } firsts[] = {
      {"general", &SettingsStore::AutoPlayOnLoad, [](ConfigControls& c) -> bool& { return c.General[0]; }},
      {"subtitle 1", &SettingsStore::TransparentBackground, [](ConfigControls& c) -> bool& { return c.Subtitle1[0]; }},
      {"subtitle 2", &SettingsStore::AutoLoadSubtitle, [](ConfigControls& c) -> bool& { return c.Subtitle2[0]; }},
      {"video", &SettingsStore::FullscreenOnLoad, [](ConfigControls& c) -> bool& { return c.Video[0]; }},
  };
  for (const bool on : {true, false}) {
    SCOPED_TRACE(on ? "on, then off" : "off, then on");
    SettingsStore s = SampleStore();
    for (const auto& f : firsts) s.*f.setting = on;
    s.PlaylistFontSize = on ? 14 : 20;
    ConfigControls c = ControlsFromSettings(s, {});
    for (const auto& f : firsts) EXPECT_EQ(f.line(c), on) << f.list;
    EXPECT_EQ(c.Number(NF::PlaylistFontSize), on ? "14" : "20");
    for (const auto& f : firsts) f.line(c) = !on;
    c.Number(NF::PlaylistFontSize) = on ? "20" : "14";
    StoreControls(c, s);
    for (const auto& f : firsts) EXPECT_EQ(s.*f.setting, !on) << f.list;
    EXPECT_EQ(s.PlaylistFontSize, on ? 20 : 14);
  }
}

TEST(ConfigChangeCheck, NothingChangedLeavesApplyOffAndAChangeBackToo) {
  const SettingsStore s = SampleStore();
  const ConfigControls stored = ControlsFromSettings(s, {true, false, true});
  ConfigControls c = stored;
  EXPECT_EQ(D::None, FirstDifference(c, stored));
  c.Number(NF::SecondesToJump) = "21";
  EXPECT_EQ(D::SecondesToJump, FirstDifference(c, stored));
  c.Number(NF::SecondesToJump) = "20";
  EXPECT_EQ(D::None, FirstDifference(c, stored));
  c.Language = "GERMAN";  // letter case does not count
  EXPECT_EQ(D::None, FirstDifference(c, stored));
}

TEST(ConfigChangeCheck, ReportsTheFirstDifferenceInOrder) {
  const ConfigControls stored = ControlsFromSettings(SampleStore(), {true, false, true});
  struct Case {
    void (*change)(ConfigControls&);
    D expected;
  } cases[] = {
      {[](ConfigControls& c) { c.FileTypeLines.push_back("OGG"); }, D::FileTypes},
      {[](ConfigControls& c) { c.FileTypeLines[1] = "MKA"; }, D::FileTypes},
      {[](ConfigControls& c) { c.FileTypeChecks[1] = true; }, D::Associations},
      {[](ConfigControls& c) { c.General[10] = true; }, D::Options},
      {[](ConfigControls& c) { c.RegisterExtensionsOnLoad = true; }, D::Options},
      {[](ConfigControls& c) { c.Video[0] = true; }, D::Options},
      {[](ConfigControls& c) { c.SearchHereFirst = true; }, D::Options},
      {[](ConfigControls& c) { c.FullscreenModeSwitch = "800 x 600 x 60 Hz"; }, D::FullscreenMode},
      {[](ConfigControls& c) { c.Priority = 3; }, D::Priority},
      {[](ConfigControls& c) { c.BossKeyShow = 0x4041; }, D::BossKeys},
      {[](ConfigControls& c) { c.Number(NF::PlaylistFontSize) = "11"; }, D::PlaylistFontSize},
      {[](ConfigControls& c) { c.Number(NF::OsdSize) = "101"; }, D::OsdSize},
      {[](ConfigControls& c) { c.FontName = "Tahoma"; }, D::FontName},
      {[](ConfigControls& c) { c.FontColor = 0; }, D::FontColor},
      {[](ConfigControls& c) { c.FontStyle = kFontItalic; }, D::FontStyle},
      {[](ConfigControls& c) { c.FontScript = 0; }, D::FontScript},
      {[](ConfigControls& c) { c.SubtitleDirectory = "C:\\Subs"; }, D::SubtitleDirectory},
      {[](ConfigControls& c) { c.OsdColor = 255; }, D::OsdColor},
      {[](ConfigControls& c) { c.CaptureFolder = "C:\\Shots"; }, D::CaptureFolder},
      {[](ConfigControls& c) { c.CaptureType = 2; }, D::CaptureType},
      {[](ConfigControls& c) { c.Language = "French"; }, D::Language},
      // Several differences: the first in the order counts.
      {[](ConfigControls& c) {
         c.Language = "French";
         c.Number(NF::SubtitleSize) = "120";
         c.Priority = 0;
       },
       D::Priority},
  };
  for (const Case& k : cases) {
    ConfigControls c = stored;
    k.change(c);
    EXPECT_EQ(static_cast<int>(k.expected), static_cast<int>(FirstDifference(c, stored)));
  }
}

TEST(ConfigChangeCheck, OnlyPlaceFontNameSizeAndStyleEndMovieModesLook) {
  EXPECT_TRUE(EndsMovieModeLook(D::AverageVerticalDisplayZone));
  EXPECT_TRUE(EndsMovieModeLook(D::FontName));
  EXPECT_TRUE(EndsMovieModeLook(D::SubtitleSize));
  EXPECT_TRUE(EndsMovieModeLook(D::FontStyle));
  EXPECT_FALSE(EndsMovieModeLook(D::FontColor));
  EXPECT_FALSE(EndsMovieModeLook(D::HorizontalDisplayArea));
  EXPECT_FALSE(EndsMovieModeLook(D::Options));
  EXPECT_FALSE(EndsMovieModeLook(D::None));
}

TEST(ConfigClickCheck, GeneralRememberSettingsOffTakesThePositionOff) {
  ConfigControls c;
  c.General[5] = false;  // just unchecked
  c.General[6] = true;
  GeneralClickCheck(c, 5);
  EXPECT_FALSE(c.General[6]);
  c.General[6] = true;   // checking the position alone is allowed
  GeneralClickCheck(c, 6);
  EXPECT_TRUE(c.General[6]);
  EXPECT_FALSE(c.General[5]);
}

TEST(ConfigClickCheck, SubtitleLinesFollowEachOther) {
  struct Case {
    std::array<bool, 4> sub1;
    std::array<bool, 6> sub2;
    int list, line;  // the clicked list (1 or 2) and line, already toggled
    std::array<bool, 4> sub1After;
    std::array<bool, 6> sub2After;
  } cases[] = {
      // Transparent background off: outline and shadow off.
      {{0, 1, 1, 0}, {}, 1, 0, {0, 0, 0, 0}, {}},
      // Outline off: shadow off, background kept.
      {{1, 0, 1, 0}, {}, 1, 1, {1, 0, 0, 0}, {}},
      // Outline on: background on.
      {{0, 1, 0, 0}, {}, 1, 1, {1, 1, 0, 0}, {}},
      // Shadow on: background and outline on.
      {{0, 0, 1, 0}, {}, 1, 2, {1, 1, 1, 0}, {}},
      // Auto resize on: split and wrap off.
      {{1, 1, 1, 1}, {1, 1, 0, 0, 0, 1}, 1, 3, {1, 1, 1, 1}, {1, 0, 0, 0, 0, 1}},
      // Wrap on while split is on: split and auto resize off.
      {{0, 0, 0, 1}, {0, 1, 1, 0, 0, 0}, 2, 2, {0, 0, 0, 0}, {0, 0, 1, 0, 0, 0}},
      // Split on while wrap is on: wrap off.
      {{0, 0, 0, 0}, {0, 1, 1, 0, 0, 0}, 2, 1, {0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}},
      // Another second-list line leaves auto resize alone.
      {{0, 0, 0, 1}, {1, 0, 0, 0, 0, 0}, 2, 0, {0, 0, 0, 1}, {1, 0, 0, 0, 0, 0}},
  };
  for (const Case& k : cases) {
    ConfigControls c;
    c.Subtitle1 = k.sub1;
    c.Subtitle2 = k.sub2;
    if (k.list == 1)
      Subtitle1ClickCheck(c, k.line);
    else
      Subtitle2ClickCheck(c, k.line);
    EXPECT_EQ(k.sub1After, c.Subtitle1) << "list " << k.list << " line " << k.line;
    EXPECT_EQ(k.sub2After, c.Subtitle2) << "list " << k.list << " line " << k.line;
  }
}

TEST(ConfigClickCheck, RememberedAndAutomaticPanScanExcludeEachOther) {
  ConfigControls c;
  c.Video = {0, 1, 1, 0, 0, 0, 0};  // line 2 just checked
  VideoClickCheck(c, 2);
  EXPECT_EQ((std::array<bool, 7>{0, 0, 1, 0, 0, 0, 0}), c.Video);
  c.Video[1] = true;  // line 1 just checked
  VideoClickCheck(c, 1);
  EXPECT_EQ((std::array<bool, 7>{0, 1, 0, 0, 0, 0, 0}), c.Video);
  c.Video[1] = false;  // unchecking changes nothing else
  VideoClickCheck(c, 1);
  EXPECT_EQ((std::array<bool, 7>{0, 0, 0, 0, 0, 0, 0}), c.Video);
}

TEST(ConfigFields, ClampOrRestoreWhenLeft) {
  struct Case {
    NF field;
    const char* text;
    int stored;
    const char* shown;
  } cases[] = {
      {NF::PlaylistFontSize, "0", 10, "1"},      {NF::PlaylistFontSize, "51", 10, "50"},
      {NF::PlaylistFontSize, "", 12, "12"},      {NF::HorizontalDisplayArea, "0", 99, "1"},
      {NF::HorizontalDisplayArea, "101", 99, "100"}, {NF::AverageVerticalDisplayZone, "0", 15, "0"},
      {NF::AverageVerticalDisplayZone, "51", 15, "50"}, {NF::SubtitleSize, "9", 100, "10"},
      {NF::SubtitleSize, "1000", 100, "1000"},   {NF::SubtitleSize, "1001", 100, "1000"},
      {NF::AverageDisplayTime, "500", 2200, "1000"}, {NF::AverageDisplayTime, "9999", 2200, "9999"},
      {NF::SecondesToJump, "0", 20, "1"},        {NF::SecondesToJump, "99", 20, "99"},
      {NF::SecondesToJump, "100", 20, "99"},
      {NF::SecondesToFastJump, "1000", 60, "999"}, {NF::OsdSize, "9", 100, "10"},
      {NF::OsdSize, "501", 100, "500"},          {NF::OsdSize, "12a", 100, "100"},
      {NF::SecondesToJump, "", 33, "33"},
  };
  for (const Case& k : cases)
    EXPECT_EQ(k.shown, NumericFieldOnExit(k.field, k.text, k.stored)) << k.text;
}

TEST(ConfigFields, LengthLimits) {
  EXPECT_EQ(2, RuleOf(NF::PlaylistFontSize).MaxChars);
  EXPECT_EQ(3, RuleOf(NF::HorizontalDisplayArea).MaxChars);
  EXPECT_EQ(2, RuleOf(NF::AverageVerticalDisplayZone).MaxChars);
  EXPECT_EQ(4, RuleOf(NF::SubtitleSize).MaxChars);
  EXPECT_EQ(4, RuleOf(NF::AverageDisplayTime).MaxChars);
  EXPECT_EQ(2, RuleOf(NF::SecondesToJump).MaxChars);
  EXPECT_EQ(3, RuleOf(NF::SecondesToFastJump).MaxChars);
  EXPECT_EQ(3, RuleOf(NF::OsdSize).MaxChars);
}

TEST(ConfigExtensions, NewExtensionsAreCheckedWhenAdded) {
  const std::vector<std::string> lines{"AVI", "MKV"};
  struct Case {
    const char* text;
    ExtensionCheck expected;
    const char* upper;
  } cases[] = {
      {"ogm", ExtensionCheck::Ok, "OGM"},       {"", ExtensionCheck::Empty, ""},
      {"mkv", ExtensionCheck::Duplicate, "MKV"}, {"Avi", ExtensionCheck::Duplicate, "AVI"},
      {"a.b", ExtensionCheck::Invalid, "A.B"},  {"x\\y", ExtensionCheck::Invalid, "X\\Y"},
      {"a b", ExtensionCheck::Invalid, "A B"},  {"m*", ExtensionCheck::Invalid, "M*"},
      {"123456789012345678901234567890123", ExtensionCheck::Invalid, "123456789012345678901234567890123"},
  };
  for (const Case& k : cases) {
    std::string upper;
    EXPECT_EQ(static_cast<int>(k.expected), static_cast<int>(CheckNewExtension(k.text, lines, upper)))
        << k.text;
    EXPECT_EQ(k.upper, upper);
  }
  for (char32_t c : {U'.', U'/', U'<', U'>', U'?', U'\\', U'|'}) EXPECT_TRUE(IsRefusedExtensionChar(c));
  for (char32_t c : {U'a', U'Z', U'4', U'_', U'-'}) EXPECT_FALSE(IsRefusedExtensionChar(c));
}

TEST(ConfigApply, StoresEveryControl) {
  SettingsStore s = SampleStore();
  ConfigControls c = ControlsFromSettings(s, {});
  c.General = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
  c.Subtitle1 = {1, 1, 0, 1};
  c.Subtitle2 = {0, 1, 0, 1, 0, 1};
  c.Video = {1, 0, 0, 1, 0, 1, 0};
  c.Priority = -1;
  c.BossKey = true;
  c.BossKeyHide = 0x4048;
  c.Number(NF::SubtitleSize) = "1000";
  c.Number(NF::OsdSize) = "";  // never reaches the setting
  c.FontName = "Tahoma";
  c.CaptureType = 2;
  EXPECT_FALSE(StoreControls(c, s));
  EXPECT_TRUE(s.AutoPlayOnLoad);
  EXPECT_FALSE(s.AutoHideMainWindow);
  EXPECT_TRUE(s.ActivateAlwaysOnTopInFullScreen);
  EXPECT_FALSE(s.RememberMovieSettings);
  EXPECT_TRUE(s.UseOutlineFont);
  EXPECT_FALSE(s.SubtitleShadowEffect);
  EXPECT_TRUE(s.AutoResizeFont);
  EXPECT_TRUE(s.AutoSplitLine);
  EXPECT_TRUE(s.AutoCalculationTime);
  EXPECT_TRUE(s.DisableExternalSubtitleFilters);
  EXPECT_TRUE(s.FullscreenOnLoad);
  EXPECT_TRUE(s.MovieModeOnLoad);
  EXPECT_TRUE(s.PauseOnMinimize);
  EXPECT_FALSE(s.OSDDisplay);
  EXPECT_EQ(0, s.CpuPriority);
  EXPECT_TRUE(s.BossKey);
  EXPECT_EQ(0x4048, s.BossKeyHide);
  EXPECT_EQ(1000, s.SubtitleSize);
  EXPECT_EQ(100, s.OsdSize);
  EXPECT_EQ("Tahoma", s.SubtitleFontName);
  EXPECT_EQ(2, s.CaptureType);
  c.Number(NF::AverageDisplayTime) = "3000";
  EXPECT_TRUE(StoreControls(c, s));
  EXPECT_EQ(3000, s.AverageDisplayTime);
}

TEST(ConfigDefault, ShowsTheDefaultsAndKeepsFileTypesAndLanguage) {
  ConfigControls c = ControlsFromSettings(SampleStore(), {true, true, false});
  c.SubtitleDirectory = "C:\\Subs";
  const ConfigControls d = DefaultControls(c, "No change");
  EXPECT_EQ(c.FileTypeLines, d.FileTypeLines);
  EXPECT_EQ(c.FileTypeChecks, d.FileTypeChecks);
  EXPECT_EQ("German", d.Language);
  EXPECT_EQ("C:\\Subs", d.SubtitleDirectory);
  EXPECT_FALSE(d.RegisterExtensionsOnLoad);
  EXPECT_EQ((std::array<bool, 11>{1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}), d.General);
  EXPECT_EQ("No change", d.FullscreenModeSwitch);
  EXPECT_EQ(2, d.Priority);
  EXPECT_FALSE(d.BossKey);
  EXPECT_EQ(0x006E, d.BossKeyHide);
  EXPECT_EQ(0xC053, d.BossKeyShow);
  EXPECT_EQ((std::array<bool, 4>{1, 1, 1, 0}), d.Subtitle1);
  EXPECT_EQ((std::array<bool, 6>{1, 1, 0, 0, 0, 1}), d.Subtitle2);
  EXPECT_EQ((std::array<bool, 7>{0, 0, 1, 0, 0, 1, 1}), d.Video);
  EXPECT_EQ("2200", d.Number(NF::AverageDisplayTime));
  EXPECT_EQ("15", d.Number(NF::AverageVerticalDisplayZone));
  EXPECT_EQ("99", d.Number(NF::HorizontalDisplayArea));
  EXPECT_EQ("100", d.Number(NF::SubtitleSize));
  EXPECT_EQ("20", d.Number(NF::SecondesToJump));
  EXPECT_EQ("60", d.Number(NF::SecondesToFastJump));
  EXPECT_EQ("100", d.Number(NF::OsdSize));
  EXPECT_EQ("10", d.Number(NF::PlaylistFontSize));
  EXPECT_EQ("Arial", d.FontName);
  EXPECT_EQ(0xFFFFFF, d.FontColor);
  EXPECT_EQ(kFontBold, d.FontStyle);
  EXPECT_EQ(1, d.FontScript);
  EXPECT_FALSE(d.SearchHereFirst);
  EXPECT_EQ(65280, d.OsdColor);
  EXPECT_EQ("Desktop", d.CaptureFolder);
  EXPECT_EQ(1, d.CaptureType);
}

TEST(ConfigFontSizes, DialogPointsAndBack) {
  EXPECT_EQ(28, FontDialogPoints(100, 1024));   // 100 * 28 * 1024 / 102400
  EXPECT_EQ(35, FontDialogPoints(100, 1280));
  EXPECT_EQ(280, FontDialogPoints(1000, 1024));
  EXPECT_EQ(100, SizeFromFontDialog(28, 1024));
  EXPECT_EQ(114, SizeFromFontDialog(40, 1280));  // 40 * 102400 / 35840 = 114.3
  EXPECT_EQ(10, SizeFromFontDialog(1, 1024));
  EXPECT_EQ(1000, SizeFromFontDialog(400, 1024));
  EXPECT_EQ(28, SamplePoints(100, 1024, 96));     // 100 * 0.02625 * 1024 / 96 = 28
  EXPECT_EQ(3, SamplePoints(5, 1024, 96));        // clamped to 10 first: 2.8
  EXPECT_EQ(22, SamplePoints(100, 1024, 120));    // 22.4
  // A screen that reports no pixels per inch counts as 96: 1000 * 0.02625 *
  // 1024 / 96 = 280 (at 97 it would be 277).
  EXPECT_EQ(280, SamplePoints(1000, 1024, 0));
  EXPECT_EQ(280, SamplePoints(1000, 1024, -120));
}

TEST(ConfigSample, OutlineColours) {
  struct Case {
    int font, outline;
  } cases[] = {
      {0x000000, 0xC0C0C0},  // black: each channel 255 - 255 / 4
      {128, 0xC0C0E0},       // maroon: red 255 - 127 / 4
      {8421504, 0xE0E0E0},   // grey
      {16711680, 0xFFC0C0},  // blue
      {8388736, 0xE0C0E0},   // purple
      {0xFFFFFF, 0x3F3F3F},  // white: each channel 255 / 4
      {0x0000FF, 0x00003F},  // red is not among the dark colours
      {0x030303, 0x010101},  // would be black
      {0x204080, 0x081020},
  };
  for (const Case& k : cases) EXPECT_EQ(k.outline, OutlineColor(k.font)) << k.font;
}

TEST(ConfigSample, KeyColourDiffersFromTextAndOutline) {
  struct Case {
    std::int32_t font, outline, key;
  };
  const Case cases[] = {
      {0xFFFFFF, 0x3F3F3F, 0xFF00FF},  // white text: fuchsia is free
      {0xFF00FF, 0x3F003F, 0x00FF00},  // fuchsia text
      {0x00FF00, 0xFF00FF, 0xFFFF00},  // neither fuchsia nor lime
      {0x1FF00FF, 0x3F003F, 0x00FF00},  // the colour's high byte is no part of it
  };
  for (const Case& k : cases) EXPECT_EQ(k.key, SampleKeyColor(k.font, k.outline)) << k.font;
}

TEST(ConfigLanguages, EntriesAndTranslatorCredits) {
  EXPECT_EQ("German", LanguageEntryOfFile("german.lng"));
  EXPECT_EQ("Français", LanguageEntryOfFile("Français.lng"));
  EXPECT_EQ("", LanguageEntryOfFile(".lng"));
  EXPECT_EQ("Translated by: Jan Novak",
            TranslatorCredit("[Texts]\r\nTranslated by: Jan Novak\r\nLine=1\r\n"));
  EXPECT_EQ("", TranslatorCredit("[Texts]\r\nTranslated by: ...\r\nLine=1\r\n"));
  EXPECT_EQ("", TranslatorCredit("[Texts]\r\nNo credit in this file\r\n"));
  EXPECT_EQ("", TranslatorCredit("Translated by: "));  // 15 bytes: too short
  // At most 50 characters.
  EXPECT_EQ("Translated by: 12345678901234567890123456789012345",
            TranslatorCredit("Translated by: 1234567890123456789012345678901234567890\r\n"));
  // Only the first 102400 bytes are searched.
  EXPECT_EQ("", TranslatorCredit(std::string(102400, 'x') + "Translated by: Late\r\n"));
  EXPECT_EQ("Translated by: Edge",
            TranslatorCredit(std::string(102400 - 19, 'x') + "Translated by: Edge\r\nmore"));
  EXPECT_EQ("Translated by: ", TranslatorCredit(std::string(102400 - 15, 'x') + "Translated by: Cut\r\n"));
  // The file is text in the code page (here Windows-1252), the credit UTF-8;
  // the 50 characters are letters, not bytes.
  EXPECT_EQ("Translated by: Jos\xC3\xA9 Mu\xC3\xB1oz", TranslatorCredit("// Translated by: Jos\xE9 Mu\xF1oz\r\n"));
  std::string accents;
  for (int i = 0; i < 35; ++i) accents += "\xC3\xA9";
  EXPECT_EQ("Translated by: " + accents, TranslatorCredit("Translated by: " + std::string(40, '\xE9') + "\r\n"));
}

}  // namespace
}  // namespace lc::tools
