#include <gtest/gtest.h>

#include "settings/file_io.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::FakeHost;
using testing::ReadBytes;
using testing::ScratchFolder;

// A store in which every key holds a value other than its default that
// survives the load rules of the fake host.
SettingsStore NonDefaultStore(const FakeHost& host) {
  SettingsStore s;
  SetDefaultSettings(s, host.screenWidth, host.screenHeight);
  s.ConfigTaken = true;
  for (const SettingDef& d : SettingsTable()) {
    if (d.kind == SettingKind::Bool) s.*d.boolField = d.defaultInt == 0;
    if (d.kind == SettingKind::Int) {
      s.*d.intField = !d.clamped ? 12345 : d.max != d.defaultInt ? d.max : d.min;
    }
    if (d.kind == SettingKind::Position) s.*d.intField = d.axis == Axis::X ? 101 : 57;
  }
  s.VideoWindowWidth = 640;
  s.VideoWindowHeight = 480;
  s.PlayListWidth = 300;
  s.PlayListHeight = 260;
  s.LastAccessedFolder = "c:\\work";
  s.MediaExtensions = {"avi", "mkv", "ogm"};
  s.FileTypes = "avi;mkv;ogm;";
  s.FileAssociation = "101";
  s.FullscreenModeSwitch = "1024 x 768 x 60 Hz";
  s.SubtitleFontName = "Tahoma";
  s.SubtitleFontStyle = kFontItalic;
  s.SubtitleFontPointSize = SubtitlePointSize(host.screenWidth, s.SubtitleSize);
  s.SubtitleDirectory = "c:\\subs";
  s.CaptureFolder = "c:\\caps";
  s.RecentFiles = {"c:\\\xC3\xA9t\xC3\xA9.avi", "c:\\b.mkv", "", "d:\\x y.avi", "=.avi"};
  s.LastUsedLanguage = "Deutsch";
  s.EqualizerSettings = {-100, 1, -2, 3, -4, 5, -6, 7, -8, 9, 100};
  s.EqualizerBandsLoaded = 10;
  s.CpuPriority = 1;
  s.BossKeyHide = TextToShortCut("Ctrl+F7");
  s.BossKeyShow = 0;
  return s;
}

TEST(SettingsSave, EveryKeyRoundTrips) {
  FakeHost host;
  ScratchFolder dir;
  const std::string file = dir.File("Lumacraft.ini");
  SettingsStore saved = NonDefaultStore(host);
  SaveConfiguration(saved, host, file, dir.File(""), "No change");
  ASSERT_FALSE(saved.ConfigWriteError);

  SettingsStore loaded;
  SetDefaultSettings(loaded, host.screenWidth, host.screenHeight);
  ASSERT_TRUE(LoadSettingsFile(loaded, host, file));
  EXPECT_EQ(loaded.ConfigValues[70], saved.ConfigValues[70] + ",");
  loaded.ConfigValues = saved.ConfigValues;
  loaded.ConfigTaken = true;  // as the start-up does once the windows hold the settings
  EXPECT_EQ(loaded, saved);
  // Each key's line, compared one by one for a readable failure.
  for (std::size_t i = 0; i < ConfigKeyNames().size(); ++i) {
    EXPECT_EQ(BuildConfigValues(loaded, host, "No change")[i], saved.ConfigValues[i]) << ConfigKeyNames()[i];
  }
}

TEST(SettingsSave, FileLayoutAndEncodings) {
  FakeHost host;
  ScratchFolder dir;
  const std::string file = dir.File("Lumacraft.ini");
  SettingsStore s;
  SetDefaultSettings(s, host.screenWidth, host.screenHeight);
  s.ConfigTaken = true;
  s.MainXPosition = 282;
  s.LastAccessedFolder = "c:\\movies";
  s.FullscreenModeSwitch = "Keine \xC3\x84nderung";  // the translated "No change"
  s.Mute = true;
  SaveConfiguration(s, host, file, dir.File(""), "Keine \xC3\x84nderung");
  const std::string text = ReadBytes(file);
  EXPECT_EQ(text.rfind("[Configuration]\r\nLastAccessedFolder=c:\\movies\r\nFileTypes=avi;divx;", 0), 0u);
  EXPECT_NE(text.find("\r\nFileTypes=avi;divx;m1v;m2v;m2p;mkv;mpg;mpeg;dat;mpe;mpa;mp4;m4v;mov;qt;wmv;"
                      "asf;asx;rv;rm;rmvb;ram;flv;3gp;\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\nFullscreenModeSwitch=No change\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nMainXPosition=27539\r\n"), std::string::npos);  // 282 * 100000 / 1024
  EXPECT_NE(text.find("\r\nMute=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSubtitleFontStyle=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nCpuPriority=2\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nEqualizerSettings=0,0,0,0,0,0,0,0,0,0,0\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nBossKeyHide=Num Del\r\nBossKeyShow=Ctrl+Alt+S\r\n"), std::string::npos);
  const std::string last = "\r\nActivateAlwaysOnTopInFullScreen=0\r\n";
  EXPECT_EQ(text.substr(text.size() - last.size()), last);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 97);
}

TEST(SettingsSave, GathersLiveValuesAndCreatesDataFolder) {
  FakeHost host;
  host.gather = [](SettingsStore& s) {
    s.AudioVolume = 17;
    s.LastMovieSelectedInPlaylist = 3;
  };
  ScratchFolder dir;
  const std::string sub = dir.File("a/b/c");
  SettingsStore s;
  SetDefaultSettings(s, host.screenWidth, host.screenHeight);
  s.ConfigTaken = true;
  SaveConfiguration(s, host, sub + "/x.ini", sub, "No change");
  EXPECT_FALSE(s.ConfigWriteError);
  EXPECT_EQ(s.AudioVolume, 17);
  EXPECT_EQ(s.ConfigValues[50], "17");
  EXPECT_EQ(s.ConfigValues[59], "3");
  EXPECT_TRUE(FileExists(sub + "/x.ini"));
}

TEST(SettingsSave, FailedWriteSetsConfigWriteError) {
  FakeHost host;
  ScratchFolder dir;
  SettingsStore s;
  SetDefaultSettings(s, host.screenWidth, host.screenHeight);
  s.ConfigTaken = true;
  SetReplaceFileFunction([](const std::string&, const std::string&) { return false; });
  SaveConfiguration(s, host, dir.File("x.ini"), dir.File(""), "No change");
  SetReplaceFileFunction(nullptr);
  EXPECT_TRUE(s.ConfigWriteError);
  EXPECT_FALSE(FileExists(dir.File("x.ini")));
  SaveConfiguration(s, host, dir.File("x.ini"), dir.File(""), "No change");
  EXPECT_FALSE(s.ConfigWriteError);
}

// Until the start-up has put the settings into the windows, the windows
// hold defaults: a save then (a close during the start-up) neither asks
// them nor touches the file, whether it was read or not.
TEST(SettingsSave, NothingIsSavedBeforeTheStartUpTookTheSettings) {
  FakeHost host;
  int gathered = 0;
  host.gather = [&](SettingsStore&) { ++gathered; };
  for (const std::string bytes : {"[Configuration]\r\nOsdSize=300\r\n", "\x01\x02 not a settings file"}) {
    ScratchFolder dir;
    const std::string file = dir.File("x.ini");
    testing::WriteBytes(file, bytes);
    SettingsStore s;
    SetDefaultSettings(s, host.screenWidth, host.screenHeight);
    LoadSettingsFile(s, host, file);
    s.ConfigWriteError = true;
    SaveConfiguration(s, host, file, dir.File(""), "No change");
    EXPECT_FALSE(s.ConfigWriteError);
    EXPECT_EQ(ReadBytes(file), bytes);
    EXPECT_FALSE(FileExists(file + ".bad"));
  }
  EXPECT_EQ(gathered, 0);
}

// An existing settings file that could not be read is the user's: the
// start is no first run, no save touches it before the user is told, and
// once a copy is kept aside as "x.ini.bad", byte for byte, the next save
// writes a new one; later saves leave that copy alone.
TEST(SettingsSave, AFileThatFailedToLoadIsNeverWrittenOver) {
  FakeHost host;
  const std::string big = "[Configuration]\r\nOsdSize=300\r\n" + std::string(kMaxConfigFileBytes, ';');
  const struct {
    const char* what;
    std::string bytes;
  } unread[] = {
      {"too large", big},
      {"UTF-16 with its mark", std::string("\xFF\xFE[\0C\0o\0n\0f\0]\0\r\0\n\0", 18)},
      {"big-endian UTF-16 mark", "\xFE\xFF[Configuration]\r\nOsdSize=300\r\n"},
      {"UTF-16 without a mark", std::string("[\0C\0o\0n\0f\0]\0\r\0\n\0", 16)},
      {"UTF-32 big-endian mark", std::string("\0\0\xFE\xFF\0\0\0[\0\0\0C", 12)},
      // Without its header line the file is no settings file to this reader.
      {"random bytes at its start", "\x8F\x13\xC7:\x02Configuration]\r\nOsdSize=300\r\nMute=1\r\n"},
      {"its first 512 bytes zeroed", std::string(512, '\0') + "=0\r\nOsdSize=300\r\n"},
      {"a header with a trailing blank", "[Configuration] \r\nOsdSize=300\r\n"},
      {"no header at all", "OsdSize=300\r\n"},
  };
  for (const auto& c : unread) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    const std::string file = dir.File("x.ini");
    testing::WriteBytes(file, c.bytes);
    SettingsStore s;
    SetDefaultSettings(s, host.screenWidth, host.screenHeight);
    s.ConfigTaken = true;
    EXPECT_FALSE(LoadSettingsFile(s, host, file));
    EXPECT_EQ(s.ConfigUnread, UnreadFile::NotTold);
    EXPECT_FALSE(s.FirstRun);
    EXPECT_EQ(s.OsdSize, 100);
    SaveConfiguration(s, host, file, dir.File(""), "No change");
    EXPECT_FALSE(s.ConfigWriteError);
    EXPECT_EQ(ReadBytes(file), c.bytes);
    s.ConfigUnread = StateAfterKeeping(KeepUnreadFile(file));
    SaveConfiguration(s, host, file, dir.File(""), "No change");
    EXPECT_FALSE(s.ConfigWriteError);
    EXPECT_EQ(ReadBytes(file + ".bad"), c.bytes);
    EXPECT_EQ(ReadBytes(file).substr(0, 28), "[Configuration]\r\nLastAccesse");
    s.OsdSize = 222;
    SaveConfiguration(s, host, file, dir.File(""), "No change");
    EXPECT_EQ(ReadBytes(file + ".bad"), c.bytes);
    EXPECT_NE(ReadBytes(file).find("\r\nOsdSize=222\r\n"), std::string::npos);
  }

  // A file of which no copy could be kept stays: nothing is written and
  // the failure is flagged.
  ScratchFolder dir;
  const std::string file = dir.File("x.ini");
  testing::WriteBytes(file, big);
  SettingsStore s;
  SetDefaultSettings(s, host.screenWidth, host.screenHeight);
  s.ConfigTaken = true;
  LoadSettingsFile(s, host, file);
  SetFileSteps({.renameNew = [](const std::string&, const std::string&) { return false; }});
  s.ConfigUnread = StateAfterKeeping(KeepUnreadFile(file));
  SetFileSteps({});
  EXPECT_EQ(s.ConfigUnread, UnreadFile::Stays);
  SaveConfiguration(s, host, file, dir.File(""), "No change");
  EXPECT_TRUE(s.ConfigWriteError);
  EXPECT_EQ(ReadBytes(file), big);
  EXPECT_FALSE(FileExists(file + ".bad"));

  // A missing file is no failure: the first run and its save go ahead.
  SettingsStore fresh;
  SetDefaultSettings(fresh, host.screenWidth, host.screenHeight);
  fresh.ConfigTaken = true;
  EXPECT_FALSE(LoadSettingsFile(fresh, host, dir.File("none.ini")));
  EXPECT_EQ(fresh.ConfigUnread, UnreadFile::None);
  EXPECT_TRUE(fresh.FirstRun);
  SaveConfiguration(fresh, host, dir.File("none.ini"), dir.File(""), "No change");
  EXPECT_FALSE(fresh.ConfigWriteError);
}

}  // namespace
}  // namespace lc::settings
