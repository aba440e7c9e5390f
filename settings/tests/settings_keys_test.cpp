// The 96 keys of the settings file written out by hand: name, type, the
// value a fresh store holds (on a 1024 x 768 screen) and the clamp of every
// number. The program's own table must agree with this one row by row.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::FakeHost;
using testing::ScratchFolder;
using testing::WriteBytes;
using K = SettingKind;

constexpr std::int32_t kNoClamp = INT32_MIN;

struct KeyRow {
  const char* key;
  SettingKind kind;
  const char* held;  // the variable after the defaults are set, as text
  std::int32_t min = kNoClamp;
  std::int32_t max = kNoClamp;
};

// Positions in pixels of a 1024 x 768 screen. PlayListHeight's upper clamp
// is the work area's height (738) of the test host, below 800.
const KeyRow kKeys[] = {
    {"LastAccessedFolder", K::String, "c:\\"},
    {"FileTypes", K::FileTypes,
     "avi;divx;m1v;m2v;m2p;mkv;mpg;mpeg;dat;mpe;mpa;mp4;mov;qt;wmv;asf;asx;rv;rm;rmvb;ram;flv"},
    {"FileAssociation", K::FileAssociation, "000000000000000000000"},
    {"RegisterExtensionsOnLoad", K::Bool, "0"},
    {"AutoPlayOnLoad", K::Bool, "1"},
    {"AutoHideMainWindow", K::Bool, "1"},
    {"AutoCloseVideoWindow", K::Bool, "1"},
    {"CloseFileWhenFinished", K::Bool, "1"},
    {"AutoClosePlayerWhenFinished", K::Bool, "1"},
    {"FullscreenModeSwitch", K::String, "No change"},
    {"TransparentBackground", K::Bool, "1"},
    {"UseOutlineFont", K::Bool, "1"},
    {"AutoResizeFont", K::Bool, "0"},
    {"AutoLoadSubtitle", K::Bool, "1"},
    {"AutoSplitLine", K::Bool, "1"},
    {"WrapAllText", K::Bool, "0"},
    {"AutoCalculationTime", K::Bool, "0"},
    {"AverageDisplayTime", K::Int, "2200", 1000, 9999},
    {"AverageVerticalDisplayZone", K::Int, "15", 0, 50},
    {"HorizontalDisplayArea", K::Int, "99", 1, 100},
    {"SubtitleFontName", K::String, "Arial"},
    {"SubtitleSize", K::Int, "100", 10, 999},
    {"SubtitleFontColor", K::Int, "16777215", -16777215, 16777215},
    {"SubtitleFontStyle", K::FontStyle, "1"},
    {"SubtitleFontScript", K::Int, "1", 0, 255},
    {"SubtitleDirectory", K::String, ""},
    {"SearchHereFirst", K::Bool, "0"},
    {"RememberSubtitleSettings", K::Bool, "0"},
    {"FullscreenOnLoad", K::Bool, "0"},
    {"MovieModeOnLoad", K::Bool, "0"},
    {"RememberPanScanSettings", K::Bool, "0"},
    {"AutomaticPanScan", K::Bool, "1"},
    {"LoadAtOriginalMovieSize", K::Bool, "0"},
    {"PauseOnMinimize", K::Bool, "1"},
    {"SecondesToJump", K::Int, "20", 1, 99},
    {"SecondesToFastJump", K::Int, "60", 1, 999},
    {"BrightnessControl", K::Int, "750", 0, 10000},
    {"ContrastControl", K::Int, "10000", 0, 20000},
    {"HueControl", K::Int, "0", -180, 180},
    {"SaturationControl", K::Int, "10000", 0, 20000},
    {"MainXPosition", K::Position, "282"},
    {"MainYPosition", K::Position, "446"},
    {"VideoWindowXPosition", K::Position, "282"},
    {"VideoWindowYPosition", K::Position, "172"},
    {"VideoWindowHeight", K::Int, "274", 36, 6006},
    {"VideoWindowWidth", K::Int, "460", 46, 8006},
    {"RememberMovieSettings", K::Bool, "0"},
    {"RememberLastMoviePosition", K::Bool, "0"},
    {"DisplayHintInPlaylist", K::Bool, "0"},
    {"PanScanSize", K::Int, "0", -50, 100},
    {"AudioVolume", K::Int, "10", 0, 20},
    {"Mute", K::Bool, "0"},
    {"PlaylistXPosition", K::Position, "292"},
    {"PlaylistYPosition", K::Position, "247"},
    {"PlayListHeight", K::Int, "274", 250, 738},
    {"PlayListWidth", K::Int, "439", 250, 800},
    {"PlaylistFontSize", K::Int, "10", 1, 50},
    {"PlayListShow", K::Bool, "0"},
    {"ShowSubtitlesInPlaylist", K::Bool, "1"},
    {"LastMovieSelectedInPlaylist", K::Int, "0"},
    {"OSDDisplay", K::Bool, "1"},
    {"RecentFile1", K::String, ""},
    {"RecentFile2", K::String, ""},
    {"RecentFile3", K::String, ""},
    {"RecentFile4", K::String, ""},
    {"RecentFile5", K::String, ""},
    {"KeepAspectRatio", K::Bool, "1"},
    {"AllowMultipleInstances", K::Bool, "0"},
    {"RepeatStatus", K::Int, "0", 0, 2},
    {"LastUsedLanguage", K::String, "English (built in)"},
    {"EqualizerSettings", K::Equalizer, "0,0,0,0,0,0,0,0,0,0,0"},
    {"EqualizerXPosition", K::Position, "449"},
    {"EqualizerYPosition", K::Position, "296"},
    {"EqualizerShow", K::Bool, "0"},
    // Held as 4 minus the file's 1..4.
    {"CpuPriority", K::CpuPriority, "2", 0, 3},
    {"ShowFrames", K::Bool, "0"},
    {"DynamicAmplification", K::Bool, "0"},
    {"DoNotShowOverlayMessage", K::Bool, "0"},
    {"DisableExternalSubtitleFilters", K::Bool, "1"},
    {"OsdSize", K::Int, "100", 10, 500},
    {"OsdColor", K::Int, "65280", -16777215, 16777215},
    {"FirstRun", K::Bool, "1"},
    {"SubtitleShadowEffect", K::Bool, "1"},
    {"RememberPreviousMovieSettings", K::Bool, "0"},
    {"LoadEntireFolder", K::Bool, "0"},
    {"CaptureFolder", K::String, "Desktop"},
    {"CaptureType", K::Int, "1", 0, 2},
    {"BossKey", K::Bool, "0"},
    {"BossKeyHide", K::ShortCut, "Num Del"},
    {"BossKeyShow", K::ShortCut, "Ctrl+Alt+S"},
    {"Shuffle", K::Bool, "0"},
    {"DontShowRegistryError", K::Bool, "0"},
    {"DontShowWritingError", K::Bool, "0"},
    {"DoNotShowAudioStreamMessage", K::Bool, "0"},
    {"DoNotShowStreamMessage", K::Bool, "0"},
    {"ActivateAlwaysOnTopInFullScreen", K::Bool, "0"},
};

// The variable a row names, as text.
std::string Held(const SettingsStore& store, const SettingDef& d) {
  switch (d.kind) {
    case K::Bool:
      return store.*d.boolField ? "1" : "0";
    case K::Int:
    case K::Position:
    case K::CpuPriority:
      return std::to_string(store.*d.intField);
    case K::FontStyle:
      return std::to_string(store.SubtitleFontStyle);
    case K::ShortCut:
      return ShortCutToText(store.*d.shortCutField);
    case K::Equalizer: {
      std::string text;
      for (std::int32_t v : store.EqualizerSettings) {
        if (!text.empty()) text += ',';
        text += std::to_string(v);
      }
      return text;
    }
    case K::String:
    case K::FileTypes:
    case K::FileAssociation:
      return StringOf(store, d);
  }
  return "?";
}

class SettingsKeys : public ::testing::Test {
 protected:
  SettingsKeys() { SetDefaultSettings(defaults, host.screenWidth, host.screenHeight); }

  // The variable of row `index` after loading one line for it.
  std::string LoadOne(std::size_t index, const std::string& value) {
    const std::string file = dir.File("s.ini");
    WriteBytes(file, std::string("[Configuration]\r\n") + kKeys[index].key + "=" + value + "\r\n");
    SettingsStore store = defaults;
    EXPECT_TRUE(LoadSettingsFile(store, host, file)) << kKeys[index].key;
    return Held(store, SettingsTable()[index]);
  }

  FakeHost host;
  ScratchFolder dir;
  SettingsStore defaults;
};

TEST_F(SettingsKeys, NamesAndTypesInFileOrder) {
  ASSERT_EQ(std::size(kKeys), 96u);
  ASSERT_EQ(SettingsTable().size(), 96u);
  ASSERT_EQ(ConfigKeyNames().size(), 96u);
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    EXPECT_EQ(ConfigKeyNames()[i], kKeys[i].key) << "row " << i;
    EXPECT_EQ(SettingsTable()[i].kind, kKeys[i].kind) << kKeys[i].key;
  }
}

TEST_F(SettingsKeys, DefaultsAsListed) {
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    EXPECT_EQ(Held(defaults, SettingsTable()[i]), kKeys[i].held) << kKeys[i].key;
  }
}

// Far outside values land on the listed bounds; the bounds themselves stay.
TEST_F(SettingsKeys, NumbersClampAsListed) {
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    const KeyRow& row = kKeys[i];
    if (row.kind != K::Int || row.min == kNoClamp) continue;
    EXPECT_EQ(LoadOne(i, "-999999999"), std::to_string(row.min)) << row.key;
    EXPECT_EQ(LoadOne(i, "999999999"), std::to_string(row.max)) << row.key;
    EXPECT_EQ(LoadOne(i, std::to_string(row.min)), std::to_string(row.min)) << row.key;
    EXPECT_EQ(LoadOne(i, std::to_string(row.max)), std::to_string(row.max)) << row.key;
  }
  const std::size_t lastMovie = 59;
  EXPECT_EQ(LoadOne(lastMovie, "-999999999"), "-999999999");
  EXPECT_EQ(LoadOne(lastMovie, "999999999"), "999999999");
  const std::size_t priority = 74;
  EXPECT_EQ(LoadOne(priority, "9"), "0");
  EXPECT_EQ(LoadOne(priority, "-9"), "3");
  EXPECT_EQ(LoadOne(priority, "3"), "1");
}

// Every Boolean key reaches its own variable: loading the opposite of the
// default changes that variable.
TEST_F(SettingsKeys, BooleansReachTheirVariables) {
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    const KeyRow& row = kKeys[i];
    if (row.kind != K::Bool) continue;
    const std::string opposite = std::string(row.held) == "1" ? "0" : "1";
    EXPECT_EQ(LoadOne(i, opposite), opposite) << row.key;
  }
}

}  // namespace
}  // namespace lc::settings
