#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::FakeHost;
using testing::ScratchFolder;
using testing::WriteBytes;

class SettingsLoad : public ::testing::Test {
 protected:
  SettingsLoad() { SetDefaultSettings(defaults, host.screenWidth, host.screenHeight); }

  // A store with defaults after loading a file of the given lines.
  SettingsStore Load(const std::string& lines) {
    const std::string file = dir.File("s.ini");
    WriteBytes(file, "[Configuration]\r\n" + lines);
    SettingsStore store;
    SetDefaultSettings(store, host.screenWidth, host.screenHeight);
    loaded = LoadSettingsFile(store, host, file);
    return store;
  }

  FakeHost host;
  ScratchFolder dir;
  SettingsStore defaults;
  bool loaded = false;
};

TEST_F(SettingsLoad, DefaultsFollowTheScreen) {
  EXPECT_EQ(defaults.MainXPosition, (1024 - 460) / 2);
  EXPECT_EQ(defaults.MainYPosition, (768 - 424) / 2 + 274);
  EXPECT_EQ(defaults.VideoWindowYPosition, (768 - 424) / 2);
  EXPECT_EQ(defaults.PlaylistXPosition, (1024 - 439) / 2);
  EXPECT_EQ(defaults.EqualizerXPosition, (1024 - 425) * 3 / 4);
  EXPECT_EQ(defaults.EqualizerYPosition, (768 - 176) / 2);
  EXPECT_EQ(defaults.MediaExtensions.size(), 24u);
  EXPECT_EQ(defaults.FileAssociation, std::string(21, '0'));
  EXPECT_EQ(defaults.CpuPriority, 2);
  EXPECT_EQ(defaults.BossKeyHide, 0x6E);
  EXPECT_EQ(defaults.SubtitleFontStyle, kFontBold);
  EXPECT_EQ(defaults.LastUsedLanguage, "English (built in)");
  EXPECT_EQ(defaults.OsdColor, 65280);
  EXPECT_EQ(defaults.SubtitleFontPointSize, 28);
}

TEST_F(SettingsLoad, HeaderOnlyOrUnknownLinesChangeNothing) {
  EXPECT_EQ(Load(""), defaults);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(Load("Unknown=1\r\n// comment\r\n\r\n"), defaults);
  EXPECT_FALSE(loaded);
}

TEST_F(SettingsLoad, SingleOsdSizeLineLeavesOtherDefaults) {
  const SettingsStore s = Load("OsdSize=700\r\n");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(s.OsdSize, 500);
  EXPECT_EQ(s.FullscreenModeSwitch, "");
  EXPECT_EQ(s.BossKeyHide, 0);
  EXPECT_EQ(s.BossKeyShow, 0);
  EXPECT_EQ(s.MediaExtensions.size(), 22u);
  EXPECT_EQ(s.MediaExtensions.back(), "flv");
  EXPECT_EQ(s.FileAssociation, std::string(22, '0'));
  EXPECT_EQ(s.RecentFiles[0], "");
  EXPECT_EQ(s.SubtitleDirectory, "");
  // Every Boolean and number keeps its default.
  SettingsStore expected = defaults;
  expected.OsdSize = 500;
  expected.FullscreenModeSwitch.clear();
  expected.BossKeyHide = expected.BossKeyShow = 0;
  expected.MediaExtensions = s.MediaExtensions;
  expected.FileAssociation = s.FileAssociation;
  expected.FileTypes += ';';
  expected.ConfigValues = s.ConfigValues;
  EXPECT_EQ(s, expected);
  EXPECT_EQ(s.ConfigValues.size(), 96u);
  EXPECT_EQ(s.ConfigValues[70], ",");
}

TEST_F(SettingsLoad, NumbersFallBackAndClamp) {
  struct Case { const char* line; std::int32_t SettingsStore::*field; std::int32_t expected; };
  const Case cases[] = {
      {"AverageDisplayTime=abc", &SettingsStore::AverageDisplayTime, 2200},
      {"AverageDisplayTime=50", &SettingsStore::AverageDisplayTime, 1000},
      {"AverageDisplayTime=99999999999999999999", &SettingsStore::AverageDisplayTime, 9999},
      {"HueControl=-99999999999", &SettingsStore::HueControl, -180},
      {"OsdColor=-16777216", &SettingsStore::OsdColor, -16777215},
      {"SubtitleFontColor=255", &SettingsStore::SubtitleFontColor, 255},
      // The configuration dialog accepts 1000, which the next start reads
      // as 999.
      {"SubtitleSize=999", &SettingsStore::SubtitleSize, 999},
      {"SubtitleSize=1000", &SettingsStore::SubtitleSize, 999},
      {"SubtitleSize=9", &SettingsStore::SubtitleSize, 10},
      {"PanScanSize=-70", &SettingsStore::PanScanValue, -50},
      {"RepeatStatus=2", &SettingsStore::RepeatMode, 2},
      {"LastMovieSelectedInPlaylist=-5", &SettingsStore::LastMovieSelectedInPlaylist, -5},
      {"CpuPriority=9", &SettingsStore::CpuPriority, 0},
      {"CpuPriority=x", &SettingsStore::CpuPriority, 2},
      {"CpuPriority=1", &SettingsStore::CpuPriority, 3},
      {"VideoWindowWidth=5", &SettingsStore::VideoWindowWidth, 46},
      {"PlayListHeight=5000", &SettingsStore::PlayListHeight, 738 < 800 ? 738 : 800},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Load(std::string(c.line) + "\r\n").*c.field, c.expected) << c.line;
  }
  EXPECT_EQ(BuildConfigValues(Load("CpuPriority=9\r\n"), host, "No change")[74], "4");
}

TEST_F(SettingsLoad, BooleansFontStylesAndShortcuts) {
  SettingsStore s = Load("Mute=True\r\nOSDDisplay=0\r\nFirstRun=maybe\r\nSubtitleFontStyle=\r\n"
                         "BossKeyHide=Shift+F5\r\nBossKeyShow=Nonsense\r\n");
  EXPECT_TRUE(s.Mute);
  EXPECT_FALSE(s.OSDDisplay);
  EXPECT_TRUE(s.FirstRun);
  EXPECT_EQ(s.SubtitleFontStyle, kFontBold);
  EXPECT_EQ(s.BossKeyHide, kShortCutShift | 0x74);
  EXPECT_EQ(s.BossKeyShow, 0);
  EXPECT_EQ(Load("SubtitleFontStyle=4\r\n").SubtitleFontStyle, 0);
  EXPECT_EQ(Load("SubtitleFontStyle=9\r\n").SubtitleFontStyle, 0);
  EXPECT_EQ(Load("SubtitleFontStyle=2\r\n").SubtitleFontStyle, kFontBold | kFontItalic);
}

TEST_F(SettingsLoad, FileTypesKeepEmptyPiecesAndAlignAssociations) {
  SettingsStore s = Load("FileTypes=avi;;mkv\r\nFileAssociation=1011111\r\n");
  EXPECT_EQ(s.FileTypes, "avi;;mkv;");
  EXPECT_EQ(s.MediaExtensions, (std::vector<std::string>{"avi", "", "mkv"}));
  EXPECT_EQ(s.FileAssociation, "101");
  s = Load("FileTypes=avi;mkv;\r\nFileAssociation=1\r\n");
  EXPECT_EQ(s.FileAssociation, "10");
}

TEST_F(SettingsLoad, ExtensionValidation) {
  for (const char* good : {"avi", "3gp", "m2ts", "x_y-z"}) EXPECT_TRUE(IsValidMediaExtension(good)) << good;
  for (const char* bad : {"", "a b", "..\\x", "a|b", "*", "a;b", "a.b", "a/b", "a:b", "\"", "\x01",
                          "\xC3\xA9"}) {
    EXPECT_FALSE(IsValidMediaExtension(bad)) << bad;
  }
  EXPECT_FALSE(IsValidMediaExtension(std::string(33, 'a')));
}

TEST_F(SettingsLoad, EqualizerValuesWalk) {
  struct Case { const char* value; std::array<std::int32_t, 11> expected; int bands; };
  const Case cases[] = {
      {"10,-20,30", {10, -20, 30, 7, 7, 7, 7, 7, 7, 7, 7}, 2},
      {"", {0, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}, 0},
      {"5,,,9", {5, 0, 0, 9, 7, 7, 7, 7, 7, 7, 7}, 3},
      {"1-2,300,-300,x", {0, 100, -100, 0, 0, 7, 7, 7, 7, 7, 7}, 4},
      {"1,2,3,4,5,6,7,8,9,10,11,12,13", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 10},
  };
  for (const Case& c : cases) {
    const std::string file = dir.File("s.ini");
    WriteBytes(file, std::string("[Configuration]\r\nEqualizerSettings=") + c.value + "\r\n");
    SettingsStore s = defaults;
    s.EqualizerSettings.fill(7);
    ASSERT_TRUE(LoadSettingsFile(s, host, file));
    EXPECT_EQ(s.EqualizerSettings, c.expected) << c.value;
    EXPECT_EQ(s.EqualizerBandsLoaded, c.bands) << c.value;
    EXPECT_EQ(s.ConfigValues[70], std::string(c.value) + ",");
  }
}

TEST_F(SettingsLoad, StringRules) {
  host.folders = {"\\\\server\\subs"};
  SettingsStore s = Load("LastAccessedFolder=d:\\movies\r\nSubtitleFontName=Comic\r\n"
                         "SubtitleDirectory=\\\\server\\subs\r\nCaptureFolder=x:\\caps\r\n"
                         "LastUsedLanguage=\r\nFullscreenModeSwitch=" + std::string(300, 'm') + "\r\n"
                         "RecentFile2=" + std::string(300, 'r') + "\r\n");
  EXPECT_EQ(s.LastAccessedFolder, "c:\\");  // drive d: not ready
  EXPECT_EQ(s.SubtitleFontName, "Arial");   // not installed
  EXPECT_EQ(s.SubtitleDirectory, "\\\\server\\subs");
  EXPECT_EQ(s.CaptureFolder, "Desktop");
  EXPECT_EQ(s.LastUsedLanguage, "English (built in)");
  EXPECT_EQ(s.FullscreenModeSwitch, std::string(256, 'm'));
  EXPECT_EQ(s.RecentFiles[1], std::string(256, 'r'));

  s = Load("LastAccessedFolder=C:\\films\r\nSubtitleFontName=Tahoma\r\nSubtitleDirectory=q:\\x\r\n"
           "CaptureFolder=c:\\caps\r\nLastUsedLanguage=Deutsch\r\n");
  EXPECT_EQ(s.LastAccessedFolder, "C:\\films");
  EXPECT_EQ(s.SubtitleFontName, "Tahoma");
  EXPECT_EQ(s.SubtitleDirectory, "");
  EXPECT_EQ(s.CaptureFolder, "c:\\caps");
  EXPECT_EQ(s.LastUsedLanguage, "Deutsch");
  EXPECT_EQ(Load("CaptureFolder=\\\\nowhere\r\n").CaptureFolder, "Desktop");
}

// A file written as UTF-8 (its names not in the code page) keeps 256
// characters of a text, not 256 bytes: a Thai name of 300 characters
// keeps 256 of them.
TEST_F(SettingsLoad, ATextInUtf8IsCutAtItsCharacters) {
  std::string thai;
  for (int i = 0; i < 300; ++i) thai += "\xE0\xB8\x81";
  const std::string file = dir.File("s.ini");
  WriteBytes(file, "\xEF\xBB\xBF[Configuration]\r\nRecentFile1=" + thai + "\r\n");
  SettingsStore s = defaults;
  ASSERT_TRUE(LoadSettingsFile(s, host, file));
  ASSERT_EQ(s.RecentFiles[0].size(), 768u);
  EXPECT_EQ(s.RecentFiles[0], thai.substr(0, 768));
}

// A folder on a drive letter, upper or lower case, is judged by whether
// its drive is ready, not by whether the folder is listed as existing.
TEST_F(SettingsLoad, FoldersOnADriveLetterNeedThatDriveReady) {
  for (const char* folder : {"A:\\subs", "Q:\\subs", "Z:\\subs", "a:\\subs", "z:\\subs"}) {
    host.folders = {folder};
    const SettingsStore s = Load(std::string("SubtitleDirectory=") + folder + "\r\nCaptureFolder=" + folder +
                                 "\r\nLastAccessedFolder=" + folder + "\r\n");
    EXPECT_EQ(s.SubtitleDirectory, "") << folder;
    EXPECT_EQ(s.CaptureFolder, "Desktop") << folder;
    EXPECT_EQ(s.LastAccessedFolder, "c:\\") << folder;
  }
  host.readyDrives = {'Q'};
  const SettingsStore s = Load("SubtitleDirectory=Q:\\gone\r\nCaptureFolder=Q:\\gone\r\n");
  EXPECT_EQ(s.SubtitleDirectory, "Q:\\gone");
  EXPECT_EQ(s.CaptureFolder, "Q:\\gone");
}

TEST_F(SettingsLoad, PositionsAreResolutionIndependentAndClamped) {
  // 50000 is half the screen: 512 px, 384 px.
  SettingsStore s = Load("MainXPosition=50000\r\nMainYPosition=50000\r\n");
  EXPECT_EQ(s.MainXPosition, 512);
  EXPECT_EQ(s.MainYPosition, 384);
  s = Load("MainXPosition=99000\r\nMainYPosition=99999999999999\r\n");
  EXPECT_EQ(s.MainXPosition, 1024 - 460);
  EXPECT_EQ(s.MainYPosition, 738 - 150);
  // The equalizer (425 x 176) and the playlist (439 x 274) stop at the
  // area's far edges.
  s = Load("EqualizerXPosition=99000\r\nEqualizerYPosition=99000\r\nPlaylistXPosition=99000\r\n"
           "PlaylistYPosition=99000\r\n");
  EXPECT_EQ(s.EqualizerXPosition, 1024 - 425);
  EXPECT_EQ(s.EqualizerYPosition, 738 - 176);
  EXPECT_EQ(s.PlaylistXPosition, 1024 - 439);
  EXPECT_EQ(s.PlaylistYPosition, 738 - 274);
  s = Load("EqualizerXPosition=-5000\r\nPlaylistXPosition=abc\r\n");
  EXPECT_EQ(s.EqualizerXPosition, 0);
  EXPECT_EQ(s.PlaylistXPosition, defaults.PlaylistXPosition);

  host.monitorsDiffer = true;
  s = Load("MainXPosition=-50000\r\n");
  EXPECT_EQ(s.MainXPosition, -512);  // inside the virtual screen
  s = Load("MainXPosition=-500000\r\n");
  EXPECT_EQ(s.MainXPosition, -1280);
}

TEST_F(SettingsLoad, VideoWindowLargerThanAreaIsCentredWithoutOrigin) {
  host.work = {100, 50, 1024, 738};
  SettingsStore s = Load("VideoWindowWidth=2000\r\nVideoWindowHeight=300\r\nVideoWindowXPosition=0\r\n"
                         "VideoWindowYPosition=0\r\n");
  EXPECT_EQ(s.VideoWindowWidth, 2000);
  EXPECT_EQ(s.VideoWindowXPosition, (1024 - 2000) / 2);
  EXPECT_EQ(s.VideoWindowYPosition, 50);
  s = Load("VideoWindowWidth=600\r\nVideoWindowHeight=1000\r\nVideoWindowXPosition=0\r\n"
           "VideoWindowYPosition=0\r\n");
  EXPECT_EQ(s.VideoWindowXPosition, 100);
  EXPECT_EQ(s.VideoWindowYPosition, -131);  // (738 - 1000) / 2
}

TEST_F(SettingsLoad, VideoWindowAsLargeAsTheAreaIsPlacedInIt) {
  host.work = {100, 50, 1024, 738};
  SettingsStore s = Load("VideoWindowWidth=1024\r\nVideoWindowHeight=738\r\nVideoWindowXPosition=0\r\n"
                         "VideoWindowYPosition=900\r\n");
  EXPECT_EQ(s.VideoWindowXPosition, 100);
  EXPECT_EQ(s.VideoWindowYPosition, 50);
}

TEST_F(SettingsLoad, PlaylistSizeClampsAgainstWorkAreaBeforeItsPosition) {
  host.work = {0, 0, 640, 600};
  SettingsStore s = Load("PlayListWidth=790\r\nPlayListHeight=700\r\nPlaylistXPosition=99999\r\n"
                         "PlaylistYPosition=99999\r\n");
  EXPECT_EQ(s.PlayListWidth, 640);
  EXPECT_EQ(s.PlayListHeight, 600);
  EXPECT_EQ(s.PlaylistXPosition, 0);
  EXPECT_EQ(s.PlaylistYPosition, 0);
}

TEST_F(SettingsLoad, SubtitleFontSizeFollowsScreenWidth) {
  host.screenWidth = 1920;
  EXPECT_EQ(Load("SubtitleSize=150\r\n").SubtitleFontPointSize, 79);  // 1920*150*28/102400 = 78.75
  EXPECT_EQ(Load("SubtitleSize=5\r\n").SubtitleSize, 10);
}

}  // namespace
}  // namespace lc::settings
