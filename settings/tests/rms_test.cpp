#include <gtest/gtest.h>

#include "settings/file_io.h"
#include "settings/rms_file.h"
#include "settings/rms_table.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

TRmsEntry Named(const std::string& name, double accessed) {
  TRmsEntry e;
  e.Name = name;
  e.LastAccessed = accessed;
  return e;
}

bool AnyFont(const std::string& name) { return name == "Arial" || name == "Tahoma"; }

RmsTable Parse(const std::string& text, const TRmsEntry& start = TRmsEntry{}) {
  RmsTable table;
  ParseRmsLines(table, SplitLines(text), start, AnyFont);
  return table;
}

// An entry read from the file starts from fixed values where the present
// settings must not leak in (pan & scan, aspect ratio, volume, full screen),
// and from the present window, colour and subtitle values elsewhere.
TEST(RmsStartEntry, FixedValuesAndThePresentLook) {
  SettingsStore s;
  s.PanScanValue = 30;
  s.KeepAspectRatio = false;
  s.AudioVolume = 7;
  s.FullscreenOnLoad = true;
  s.VideoWindowWidth = 640;
  s.VideoWindowHeight = 360;
  s.BrightnessControl = 1234;
  s.ContrastControl = 15050;
  s.HueControl = -12;
  s.SaturationControl = 9999;
  s.SubtitleFontName = "Tahoma";
  s.SubtitleSize = 150;
  s.SubtitleFontColor = 255;
  s.SubtitleFontStyle = kFontItalic;
  s.TransparentBackground = false;
  s.UseOutlineFont = false;
  s.AverageVerticalDisplayZone = 22;
  const TRmsEntry e = RmsStartEntry(s);
  EXPECT_EQ(e.Name, "");
  EXPECT_EQ(e.LastAccessed, 0.0);
  EXPECT_EQ(e.PanScan, 0);
  EXPECT_EQ(e.AspectRatio, 1.33);
  EXPECT_EQ(e.VideoImageXPosition, 0);
  EXPECT_EQ(e.VideoImageYPosition, 0);
  EXPECT_EQ(e.VideoWindowWidth, 640);
  EXPECT_EQ(e.VideoWindowHeight, 360);
  EXPECT_EQ(e.LastVideoPosition, 0.0);
  EXPECT_EQ(e.BookMark, (std::array<std::string, 9>{}));
  EXPECT_EQ(e.Brightness, 1230);
  EXPECT_EQ(e.Contrast, 15000);
  EXPECT_EQ(e.Hue, -12);
  EXPECT_EQ(e.Saturation, 9900);
  EXPECT_TRUE(e.FullScreen);
  EXPECT_EQ(e.AudioVolume, 5000);
  EXPECT_EQ(e.SubtitleFontName, "Tahoma");
  EXPECT_EQ(e.SubtitleSize, 150);
  EXPECT_EQ(e.SubtitleFontColor, 255);
  EXPECT_EQ(e.SubtitleFontStyle, kFontItalic);
  EXPECT_FALSE(e.TransparentBackground);
  EXPECT_FALSE(e.UseOutlineFont);
  EXPECT_EQ(e.AverageVerticalDisplayZone, 22);

  s.FullscreenOnLoad = false;
  EXPECT_FALSE(RmsStartEntry(s).FullScreen);
  // A bracketed line alone keeps every start value.
  const RmsTable t = Parse("[movie.avi]\r\n", RmsStartEntry(s));
  ASSERT_EQ(t.size(), 1u);
  TRmsEntry expected = RmsStartEntry(s);
  expected.Name = "movie.avi";
  EXPECT_EQ(t[0], expected);
}

TEST(RmsTable, LookupIgnoresCaseAndStoreOverwrites) {
  RmsTable t;
  t.Store(Named("Movie.AVI", 1));
  EXPECT_EQ(t.Find("movie.avi"), 0);
  EXPECT_EQ(t.Find("other.avi"), -1);
  TRmsEntry again = Named("MOVIE.avi", 2);
  again.PanScan = 40;
  EXPECT_EQ(t.Store(again), 0u);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].PanScan, 40);
  EXPECT_EQ(t[0].Name, "MOVIE.avi");
}

TEST(RmsTable, The201stMovieReplacesTheOldestFirstListed) {
  RmsTable t;
  for (int i = 0; i < 200; ++i) t.Store(Named(std::string("m").append(std::to_string(i)), 100 + (i % 50)));
  ASSERT_EQ(t.size(), 200u);
  // Entries 0, 50, 100 and 150 are equally oldest: the first one goes.
  EXPECT_EQ(t.Store(Named("new", 500)), 0u);
  EXPECT_EQ(t.size(), 200u);
  EXPECT_EQ(t.Find("m0"), -1);
  EXPECT_EQ(t.Store(Named("newer", 501)), 50u);
  // The oldest listed second.
  RmsTable second;
  for (int i = 0; i < 200; ++i) second.Store(Named(std::string("s").append(std::to_string(i)), i == 1 ? 50 : 100));
  EXPECT_EQ(second.Store(Named("new", 500)), 1u);
}

TEST(RmsTable, LoadedTablesAboveTheLimitKeepTheirSize) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "[m" + std::to_string(i) + "]\r\nLastAccessed=0" +
                                       std::to_string(1 + i % 28) + "/01/2020\r\n";
  RmsTable t = Parse(text);
  ASSERT_EQ(t.size(), 300u);
  const std::size_t index = t.Store(Named("new", 99999));
  EXPECT_EQ(t.size(), 300u);
  EXPECT_EQ(t[index].Name, "new");
  EXPECT_EQ(index, 0u);  // 01/01/2020 first seen at entry 0
}

TEST(RmsTable, AddToRmsRecordsLiveState) {
  RmsLiveState live;
  live.MovieName = "a.avi";
  live.PanScanValue = 20;
  live.SavedPanScan = -10;
  live.FullScreen = true;
  live.MovieModeFullScreenEnded = true;
  live.KeepAspectRatio = false;
  live.AspectRatioValue = 1.78;
  live.Position100ns = 36000000000;  // one hour
  live.BookmarkCaptions = {"00:01:02 extra", "01:00:00"};
  live.BrightnessSlider = 75;
  live.ContrastSlider = 100;
  live.SaturationSlider = 50;
  live.VolumePosition = 20;
  RmsTable t;
  AddToRms(t, live, 45000.5);
  ASSERT_EQ(t.size(), 1u);
  const TRmsEntry& e = t[0];
  EXPECT_EQ(e.PanScan, 20);
  EXPECT_FALSE(e.FullScreen);
  EXPECT_DOUBLE_EQ(e.AspectRatio, -1);
  EXPECT_DOUBLE_EQ(e.LastVideoPosition, 1.0 / 24);
  EXPECT_EQ(e.BookMark[0], "00:01:02");
  EXPECT_EQ(e.BookMark[1], "01:00:00");
  EXPECT_EQ(e.BookMark[2], "");
  EXPECT_EQ(e.Brightness, 750);
  EXPECT_EQ(e.Contrast, 10000);
  EXPECT_EQ(e.Saturation, 5000);
  EXPECT_EQ(e.AudioVolume, 10000);
  EXPECT_DOUBLE_EQ(e.LastAccessed, 45000.5);

  live.MovieMode = true;
  live.KeepAspectRatio = true;
  AddToRms(t, live, 45001);
  EXPECT_EQ(t[0].PanScan, -10);
  EXPECT_DOUBLE_EQ(t[0].AspectRatio, 1.78);

  // A position the graph could not tell is the start.
  RmsLiveState unread;
  unread.MovieName = "b.avi";
  EXPECT_EQ(MakeRmsEntry(unread, 45002).LastVideoPosition, 0.0);
}

TEST(RmsFile, FieldConversions) {
  struct Case { const char* line; double expected; };
  const Case aspects[] = {{"1,78", 1.78}, {"1.78", 1.78}, {"0.05", 0.1}, {"-0.5", -1},
                          {"7", 5.0},     {"x", 1.33},    {"", 1.33},    {"-1", -1}};
  for (const Case& c : aspects) {
    RmsTable t = Parse(std::string("[m]\r\nAspectRatio=") + c.line + "\r\n");
    EXPECT_DOUBLE_EQ(t[0].AspectRatio, c.expected) << c.line;
  }
  RmsTable t = Parse("[m]\r\nVideoWindowWidth=abc\r\nVideoWindowHeight=\r\nBrightness=x\r\n"
                     "PanScan=999999999999\r\nSubtitleFontStyle=4\r\nSubtitleFontName=Nope\r\n"
                     "FullScreen=TRUE\r\nUseOutlineFont=maybe\r\nSubtitleSize=300\r\n"
                     "AverageVerticalDisplayZone=-3\r\nLastVideoPosition=01:02:03\r\n"
                     "LastAccessed=not a date\r\n");
  const TRmsEntry& e = t[0];
  EXPECT_EQ(e.VideoWindowWidth, 46);
  EXPECT_EQ(e.VideoWindowHeight, 36);
  EXPECT_EQ(e.Brightness, 2000);
  EXPECT_EQ(e.PanScan, 100);
  EXPECT_EQ(e.SubtitleFontStyle, kFontItalic);  // clamped to 3
  EXPECT_EQ(e.SubtitleFontName, "Arial");
  EXPECT_TRUE(e.FullScreen);
  EXPECT_TRUE(e.UseOutlineFont);
  EXPECT_EQ(e.SubtitleSize, 300);
  EXPECT_EQ(e.AverageVerticalDisplayZone, 0);
  EXPECT_NEAR(e.LastVideoPosition, (3600 + 120 + 3) / 86400.0, 1e-12);
  EXPECT_DOUBLE_EQ(e.LastAccessed, 0);
}

TEST(RmsFile, BookmarksMustBeWellFormed) {
  RmsTable t = Parse("[m]\r\nBookMark1=01:75:00\r\nBookMark2=99:59:59\r\nBookMark3=1:00:00\r\n"
                     "BookMark4=00:00:00x\r\nBookMark9=12:34:56\r\nBookMark10=00:00:01\r\n");
  EXPECT_EQ(t[0].BookMark[0], "");
  EXPECT_EQ(t[0].BookMark[1], "99:59:59");
  EXPECT_EQ(t[0].BookMark[2], "");
  EXPECT_EQ(t[0].BookMark[3], "");
  EXPECT_EQ(t[0].BookMark[8], "12:34:56");
  // Each of the nine keys fills its own place.
  std::string nine = "[m]\r\n";
  for (int i = 1; i <= 9; ++i) nine += "BookMark" + std::to_string(i) + "=0" + std::to_string(i) + ":00:00\r\n";
  const TRmsEntry all = Parse(nine)[0];
  for (int i = 0; i < 9; ++i) EXPECT_EQ(all.BookMark[i], std::string("0").append(std::to_string(i + 1)).append(":00:00")) << i;
  // Every one of the eight places is checked.
  const char* bad[] = {"x0:00:00", "0x:00:00", "00x00:00", "00:60:00", "00:0x:00",
                       "00:00x00", "00:00:60", "00:00:0x"};
  for (const char* value : bad) {
    EXPECT_EQ(Parse(std::string("[m]\r\nBookMark1=") + value + "\r\n")[0].BookMark[0], "") << value;
  }
}

// A value that is no number takes the field's own fallback, whatever the
// entry started from.
TEST(RmsFile, InvalidValuesTakeTheFieldsFallbacks) {
  TRmsEntry start;
  start.PanScan = 7;
  start.VideoImageXPosition = start.VideoImageYPosition = 9;
  start.Brightness = start.Contrast = start.Saturation = 5;
  start.Hue = 5;
  start.AudioVolume = 5;
  start.FullScreen = true;
  start.SubtitleSize = 50;
  start.SubtitleFontColor = 5;
  start.SubtitleFontStyle = 0;
  start.TransparentBackground = start.UseOutlineFont = false;
  start.AverageVerticalDisplayZone = 5;
  std::string text = "[m]\r\n";
  for (const char* key : {"PanScan", "VideoImageXPosition", "VideoImageYPosition", "Brightness",
                          "Contrast", "Hue", "Saturation", "FullScreen", "AudioVolume", "SubtitleSize",
                          "SubtitleFontColor", "SubtitleFontStyle", "TransparentBackground",
                          "UseOutlineFont", "AverageVerticalDisplayZone"}) {
    text += std::string(key) + "=x\r\n";
  }
  const TRmsEntry e = Parse(text, start)[0];
  EXPECT_EQ(e.PanScan, 0);
  EXPECT_EQ(e.VideoImageXPosition, 0);
  EXPECT_EQ(e.VideoImageYPosition, 0);
  EXPECT_EQ(e.Brightness, 2000);
  EXPECT_EQ(e.Contrast, 10000);
  EXPECT_EQ(e.Hue, 0);
  EXPECT_EQ(e.Saturation, 10000);
  EXPECT_FALSE(e.FullScreen);
  EXPECT_EQ(e.AudioVolume, 5000);
  EXPECT_EQ(e.SubtitleSize, 100);
  EXPECT_EQ(e.SubtitleFontColor, 16777215);
  EXPECT_EQ(e.SubtitleFontStyle, kFontBold);
  EXPECT_TRUE(e.TransparentBackground);
  EXPECT_TRUE(e.UseOutlineFont);
  EXPECT_EQ(e.AverageVerticalDisplayZone, 15);
  start.LastVideoPosition = 0.5;
  EXPECT_EQ(Parse("[m]\r\nLastVideoPosition=x\r\n", start)[0].LastVideoPosition, 0.0);
  EXPECT_EQ(Parse("[m]\r\nAverageVerticalDisplayZone=51\r\n")[0].AverageVerticalDisplayZone, 50);
  EXPECT_EQ(Parse("[m]\r\nAverageVerticalDisplayZone=50\r\n")[0].AverageVerticalDisplayZone, 50);
}

// Every number stops at its own range's ends.
TEST(RmsFile, NumbersStopAtTheirRangesEnds) {
  const struct {
    const char* line;
    std::int32_t TRmsEntry::*field;
    std::int32_t expected;
  } cases[] = {
      {"VideoImageXPosition=101", &TRmsEntry::VideoImageXPosition, 100},
      {"VideoImageYPosition=-101", &TRmsEntry::VideoImageYPosition, -100},
      {"VideoImageXPosition=-101", &TRmsEntry::VideoImageXPosition, -100},
      {"VideoImageYPosition=101", &TRmsEntry::VideoImageYPosition, 100},
      {"VideoWindowWidth=8007", &TRmsEntry::VideoWindowWidth, 8006},
      {"VideoWindowHeight=6007", &TRmsEntry::VideoWindowHeight, 6006},
      {"PanScan=-51", &TRmsEntry::PanScan, -50},
      {"Brightness=10001", &TRmsEntry::Brightness, 10000},
      {"Brightness=0", &TRmsEntry::Brightness, 0},
      {"Brightness=-1", &TRmsEntry::Brightness, 0},
      {"Contrast=20001", &TRmsEntry::Contrast, 20000},
      {"Contrast=-1", &TRmsEntry::Contrast, 0},
      {"Saturation=-1", &TRmsEntry::Saturation, 0},
      {"Hue=181", &TRmsEntry::Hue, 180},
      {"Hue=-181", &TRmsEntry::Hue, -180},
      {"Saturation=20001", &TRmsEntry::Saturation, 20000},
      {"AudioVolume=10001", &TRmsEntry::AudioVolume, 10000},
      {"AudioVolume=-1", &TRmsEntry::AudioVolume, 0},
      {"SubtitleSize=1001", &TRmsEntry::SubtitleSize, 1000},
      {"SubtitleFontColor=16777216", &TRmsEntry::SubtitleFontColor, 16777215},
      {"SubtitleFontColor=-16777216", &TRmsEntry::SubtitleFontColor, -16777215},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(std::string("[m]\r\n") + c.line + "\r\n")[0].*c.field, c.expected) << c.line;
  }
}

TEST(RmsFile, EntriesStartAtBracketLinesOnly) {
  TRmsEntry start;
  start.VideoWindowWidth = 777;
  start.FullScreen = true;
  RmsTable t = Parse("PanScan=50\r\n[]\r\n[x\r\n[a]\r\nPanScan=10\r\nPanScan=20\r\n[a]\r\nJunk=1\r\n", start);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].Name, "");
  EXPECT_EQ(t[0].PanScan, 0);
  EXPECT_EQ(t[1].Name, "a");
  EXPECT_EQ(t[1].PanScan, 10);  // a field read twice ends its entry
  EXPECT_EQ(t[2].Name, "a");
  EXPECT_EQ(t[2].VideoWindowWidth, 777);
  EXPECT_TRUE(t[2].FullScreen);
}

TEST(RmsFile, SaveAndLoadRoundTrip) {
  ScratchFolder dir;
  const std::string file = dir.File("data/Lumacraft.rs");
  RmsTable t;
  TRmsEntry e = Named("Caf\xC3\xA9.avi", 45351.0 + 0.5);
  e.AspectRatio = 1.7777;
  e.SubtitleSize = 300;
  e.BookMark[4] = "00:10:00";
  e.LastVideoPosition = (2 * 3600 + 3 * 60 + 4) / 86400.0;
  e.SubtitleFontName = "Tahoma";
  e.SubtitleFontStyle = kFontBold | kFontItalic;
  e.Hue = -45;
  t.Store(e);
  t.Store(Named("second.mkv", 45351.0));
  RmsFileState state;
  state.Read = true;  // loaded at start
  ASSERT_TRUE(RmsSaveToHdd(t, file, dir.File("data"), state, 45352.25));
  EXPECT_DOUBLE_EQ(state.LastRmsSaveTime, 45352.25);
  const std::string text = ReadBytes(file);
  EXPECT_EQ(text.rfind("[Caf\xE9.avi]\r\nLastAccessed=29/02/2024 12:00:00\r\nPanScan=0\r\n"
                       "AspectRatio=1.78\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nLastVideoPosition=02:03:04\r\nBookMark5=00:10:00\r\nBrightness="),
            std::string::npos);
  EXPECT_NE(text.find("[second.mkv]\r\nLastAccessed=29/02/2024\r\n"), std::string::npos);

  RmsTable loaded;
  RmsLoadFromHdd(loaded, file, TRmsEntry{}, AnyFont, state);
  ASSERT_EQ(loaded.size(), 2u);
  e.AspectRatio = 1.78;
  e.Name = "Caf\xC3\xA9.avi";
  EXPECT_EQ(loaded[0], e);
  EXPECT_EQ(loaded[1], t[1]);
  EXPECT_EQ(state.Unread, UnreadFile::None);
}

// "Фильм_电影_Ωmega.mp4": no ANSI code page spells it.
constexpr const char* kForeignName = "\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD0\xBC_\xE7\x94\xB5\xE5\xBD\xB1_\xCE\xA9mega.mp4";

// A table holding a name the code page cannot spell is written as UTF-8
// behind its mark, every name in it; both forms read back the same names.
// A copy in UTF-16 is not read at all.
TEST(RmsFile, NamesOutsideTheCodePageSurviveTheFile) {
  ScratchFolder dir;
  const std::string file = dir.File("x.rs");
  RmsTable t;
  t.Store(Named("Caf\xC3\xA9.avi", 1));
  t.Store(Named(kForeignName, 2));
  RmsFileState state;
  state.Read = true;  // loaded at start
  ASSERT_TRUE(RmsSaveToHdd(t, file, "", state, 3));
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(bytes.substr(0, 29), "\xEF\xBB\xBF[Caf\xC3\xA9.avi]\r\nLastAccessed=");
  EXPECT_NE(bytes.find("\r\n[\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD0\xBC_\xE7\x94\xB5\xE5\xBD\xB1_\xCE\xA9mega.mp4]\r\n"),
            std::string::npos);
  RmsTable loaded;
  RmsLoadFromHdd(loaded, file, TRmsEntry{}, AnyFont, state);
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0].Name, "Caf\xC3\xA9.avi");
  EXPECT_EQ(loaded.Find(kForeignName), 1);

  WriteBytes(file, std::string("\xFF\xFE[\0a\0]\0\r\0\n\0", 12));
  RmsLoadFromHdd(loaded, file, TRmsEntry{}, AnyFont, state);
  EXPECT_TRUE(loaded.empty());
  EXPECT_EQ(state.Unread, UnreadFile::NotTold);
}

TEST(RmsFile, EmptyTableDeletesTheFileAndLaterSavesWriteAgain) {
  ScratchFolder dir;
  const std::string file = dir.File("x.rs");
  RmsTable t;
  t.Store(Named("a", 1));
  RmsFileState state;
  state.Read = true;  // loaded at start
  ASSERT_TRUE(RmsSaveToHdd(t, file, "", state, 1));
  t.Clear();
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 2));
  EXPECT_FALSE(FileExists(file));
  t.Store(Named("b", 3));
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 3));
  EXPECT_EQ(Parse(ReadBytes(file)).size(), 1u);
}

TEST(RmsFile, SaveWhileSavingDoesNothing) {
  ScratchFolder dir;
  RmsTable t;
  t.Store(Named("a", 1));
  RmsFileState state;
  state.Read = true;  // loaded at start
  state.Saving = true;
  EXPECT_FALSE(RmsSaveToHdd(t, dir.File("x.rs"), "", state, 5));
  EXPECT_FALSE(FileExists(dir.File("x.rs")));
  EXPECT_TRUE(state.Saving);
  EXPECT_DOUBLE_EQ(state.LastRmsSaveTime, 0);
}

TEST(RmsFile, FileThatFailedToLoadIsNeverReplacedByAnEmptyTable) {
  ScratchFolder dir;
  const std::string file = dir.File("big.rs");
  const std::string big = "[a]\r\n" + std::string(kMaxRmsFileBytes, 'x');
  WriteBytes(file, big);
  RmsTable t;
  t.Store(Named("stale", 1));
  RmsFileState state;
  state.Read = true;  // loaded at start
  RmsLoadFromHdd(t, file, TRmsEntry{}, AnyFont, state);
  EXPECT_TRUE(t.empty());
  EXPECT_EQ(state.Unread, UnreadFile::NotTold);
  // Until the user is told, no save touches it, whatever the table holds.
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 1));
  t.Store(Named("early", 1));
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 1));
  EXPECT_EQ(ReadBytes(file), big);
  t.Clear();
  // Kept aside (the start-up's report), the file is saved as usual: the
  // first entries take its place; the next saves leave the copy alone.
  state.Unread = StateAfterKeeping(KeepUnreadFile(file));
  EXPECT_EQ(state.Unread, UnreadFile::None);
  EXPECT_EQ(ReadBytes(file + ".bad"), big);
  t.Store(Named("new", 2));
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 2));
  EXPECT_EQ(ReadBytes(file + ".bad"), big);
  EXPECT_EQ(ReadBytes(file).substr(0, 20), "[new]\r\nLastAccessed=");
  t.Store(Named("newer", 3));
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 3));
  EXPECT_EQ(ReadBytes(file + ".bad"), big);
  EXPECT_EQ(Parse(ReadBytes(file)).size(), 2u);

  WriteBytes(file, "[a]\r\nHue=" + std::string(kMaxRmsFileBytes - 10, '1'));  // just small enough
  RmsLoadFromHdd(t, file, TRmsEntry{}, AnyFont, state);
  EXPECT_EQ(t.size(), 1u);
  EXPECT_EQ(state.Unread, UnreadFile::None);

  RmsLoadFromHdd(t, dir.File("none.rs"), TRmsEntry{}, AnyFont, state);
  EXPECT_TRUE(t.empty());
  EXPECT_EQ(state.Unread, UnreadFile::None);
}

TEST(RmsFile, FailedWriteKeepsThePreviousFile) {
  ScratchFolder dir;
  const std::string file = dir.File("x.rs");
  WriteBytes(file, "[old]\r\n");
  RmsTable t;
  t.Store(Named("new", 1));
  RmsFileState state;
  state.Read = true;  // loaded at start
  SetReplaceFileFunction([](const std::string&, const std::string&) { return false; });
  EXPECT_FALSE(RmsSaveToHdd(t, file, "", state, 1));
  SetReplaceFileFunction(nullptr);
  EXPECT_EQ(ReadBytes(file), "[old]\r\n");
  EXPECT_FALSE(state.Saving);
}

// Entries the reader had to drop make the file one it could not read
// whole: the fields of an entry whose name line was damaged, text that
// is no entry at all, entries beyond the limit.
TEST(RmsFile, DroppedEntriesAreNoticed) {
  std::string many;
  for (std::size_t i = 0; i <= kRmsMaxLoadedEntries; ++i) many += "[m" + std::to_string(i) + "]\r\n";
  const struct {
    const char* what;
    std::string text;
    bool whole;
    std::size_t entries;
  } cases[] = {
      {"entries only", "[a]\r\nPanScan=1\r\n[b]\r\n", true, 2},
      {"blank lines first", "\r\n \t\r\n[a]\r\n", true, 1},
      {"nothing", "", true, 0},
      {"a field before the first entry", "PanScan=50\r\n[a]\r\n", false, 1},
      {"the start zeroed", std::string(512, '\0') + "Scan=3\r\n[b]\r\nPanScan=4\r\n", false, 1},
      {"no entry at all", "\x13\x88\xF0 not remembered settings\r\n", false, 0},
      {"one entry beyond the limit", many, false, kRmsMaxLoadedEntries},
  };
  for (const auto& c : cases) {
    RmsTable t;
    EXPECT_EQ(ParseRmsLines(t, SplitLines(c.text), TRmsEntry{}, AnyFont), c.whole) << c.what;
    EXPECT_EQ(t.size(), c.entries) << c.what;
  }
  // A name beyond the limit that holds its fields ends the reading: the
  // lines after it reach no entry.
  RmsTable t;
  many.erase(many.rfind("[m"));
  EXPECT_FALSE(ParseRmsLines(t, SplitLines(many + "[x]PanScan=5[y]\r\nHue=7\r\n"), TRmsEntry{}, AnyFont));
  ASSERT_EQ(t.size(), kRmsMaxLoadedEntries);
  EXPECT_EQ(t[kRmsMaxLoadedEntries - 1].PanScan, 0);
  EXPECT_EQ(t[kRmsMaxLoadedEntries - 1].Hue, 0);
}

// The lines of an entry with its own pan & scan and width.
std::string Block(const std::string& nameLine, int pan, int width) {
  return nameLine + "\r\nPanScan=" + std::to_string(pan) + "\r\nVideoWindowWidth=" + std::to_string(width) + "\r\n";
}

// Entries that a reader of damaged text must keep apart: their names, pans
// and widths as the reader should find them.
struct Separated {
  const char* what;
  std::string text;
  std::vector<std::string> names;
  std::vector<int> pans, widths;
};

void ExpectSeparated(const Separated& c) {
  SCOPED_TRACE(c.what);
  RmsTable t;
  EXPECT_FALSE(ParseRmsLines(t, SplitLines(c.text), TRmsEntry{}, AnyFont));
  ASSERT_EQ(t.size(), c.names.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    EXPECT_EQ(t[i].Name, c.names[i]);
    EXPECT_EQ(t[i].PanScan, c.pans[i]);
    EXPECT_EQ(t[i].VideoWindowWidth, c.widths[i]);
  }
}

// Three entries, each with its own pan & scan and width; the name line of
// one is damaged (a bracket lost, both lost, a blank after it). The fields
// after a damaged name line are dropped with it and never reach the entry
// before it; the other entries keep their own values.
TEST(RmsFile, ADamagedNameLineEndsTheEntryBeforeIt) {
  const auto block = Block;
  const Separated cases[] = {
      {"the first without its \"]\"", block("[a.avi", 11, 700) + block("[b.avi]", 22, 800) + block("[c.avi]", 33, 900),
       {"b.avi", "c.avi"}, {22, 33}, {800, 900}},
      {"the middle one without its \"]\"", block("[a.avi]", 11, 700) + block("[b.avi", 22, 800) + block("[c.avi]", 33, 900),
       {"a.avi", "c.avi"}, {11, 33}, {700, 900}},
      {"the middle one without its \"[\"", block("[a.avi]", 11, 700) + block("b.avi]", 22, 800) + block("[c.avi]", 33, 900),
       {"a.avi", "c.avi"}, {11, 33}, {700, 900}},
      {"the middle one without brackets", block("[a.avi]", 11, 700) + block("b.avi", 22, 800) + block("[c.avi]", 33, 900),
       {"a.avi", "c.avi"}, {11, 33}, {700, 900}},
      {"the middle one with a blank after it", block("[a.avi]", 11, 700) + block("[b.avi] ", 22, 800) +
       block("[c.avi]", 33, 900), {"a.avi", "c.avi"}, {11, 33}, {700, 900}},
      {"the last without its \"]\"", block("[a.avi]", 11, 700) + block("[b.avi]", 22, 800) + block("[c.avi", 33, 900),
       {"a.avi", "b.avi"}, {11, 22}, {700, 800}},
      {"the file cut in the last name line", block("[a.avi]", 11, 700) + block("[b.avi]", 22, 800) + "[c.a",
       {"a.avi", "b.avi"}, {11, 22}, {700, 800}},
  };
  for (const Separated& c : cases) ExpectSeparated(c);
}

// The line break before a name line lost: the name joined to the last
// field of the entry before it. The value is that entry's, and the name
// starts its own entry with its own fields. Where the name cannot be told
// from the value (after a font name, whose text may hold brackets, or with
// the name line gone), the first field read a second time shows it: the
// fields from there on are dropped with the lost name. No entry takes
// another's values.
TEST(RmsFile, ALostLineBreakBeforeANameGivesNoEntryAnothersValues) {
  const auto joined = [](std::string before, const std::string& after) {
    return before.erase(before.size() - 2) + after;
  };
  const std::string c = Block("[c.avi]", 33, 900);
  const Separated cases[] = {
      {"after a number", joined(Block("[a.avi]", 11, 700), Block("[b.avi]", 22, 800)) + c,
       {"a.avi", "b.avi", "c.avi"}, {11, 22, 33}, {700, 800, 900}},
      {"a name with brackets of its own", joined(Block("[a.avi]", 11, 700), Block("[[HD] b.avi]", 22, 800)) + c,
       {"a.avi", "[HD] b.avi", "c.avi"}, {11, 22, 33}, {700, 800, 900}},
      {"the last name", Block("[a.avi]", 11, 700) + joined(Block("[b.avi]", 22, 800), c),
       {"a.avi", "b.avi", "c.avi"}, {11, 22, 33}, {700, 800, 900}},
      {"after a font name", Block("[a.avi]", 11, 700) + "SubtitleFontName=Tahoma" + Block("[b.avi]", 22, 800) + c,
       {"a.avi", "c.avi"}, {11, 33}, {700, 900}},
      {"the name line gone", Block("[a.avi]", 11, 700) + "PanScan=22\r\nVideoWindowWidth=800\r\n" + c,
       {"a.avi", "c.avi"}, {11, 33}, {700, 900}},
      // A field the entry has not read yet comes after the repeated one.
      {"the name line gone, a width new to the entry",
       "[a.avi]\r\nPanScan=11\r\nPanScan=22\r\nVideoWindowWidth=800\r\n" + c, {"a.avi", "c.avi"}, {11, 33}, {460, 900}},
      // No whole name joined: the value is no number (the least width).
      {"a name without its \"]\" joined", joined(Block("[a.avi]", 11, 700), Block("[b.avi", 22, 800)) + c,
       {"a.avi", "c.avi"}, {11, 33}, {46, 900}},
  };
  for (const Separated& c : cases) ExpectSeparated(c);
  // The value before the joined name is read as the field's own.
  RmsTable t;
  ParseRmsLines(t, SplitLines("[a.avi]\r\nBookMark2=00:01:02[b.avi]\r\nBookMark2=00:03:04\r\n"), TRmsEntry{},
                AnyFont);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].BookMark[1], "00:01:02");
  EXPECT_EQ(t[1].BookMark[1], "00:03:04");
}

// The line break lost between two fields of an entry: the line is read as
// the two (or three) lines it was, each value its field's, also where the
// second joins the next entry's name; the file is told of as not read
// whole. A key inside a font name is the next field only when that field
// comes after the font in an entry, and a movie's name may hold any key. A
// value that is merely no number still takes its field's fallback.
TEST(RmsFile, ALostLineBreakBetweenTwoFieldsKeepsBothValues) {
  const struct {
    const char* lines;  // of entry a.avi, before [c.avi]
    bool whole;
    std::vector<std::string> expected;  // lines of a.avi as written back
    const char* secondName;             // of the entry after a.avi
  } cases[] = {
      {"Brightness=1051Contrast=9051", false, {"Brightness=1051", "Contrast=9051"}, "c.avi"},
      {"LastVideoPosition=00:51:57BookMark1=00:51:01", false,
       {"LastVideoPosition=00:51:57", "BookMark1=00:51:01"}, "c.avi"},
      {"UseOutlineFont=0AverageVerticalDisplayZone=0", false,
       {"UseOutlineFont=0", "AverageVerticalDisplayZone=0"}, "c.avi"},
      {"LastAccessed=01/02/2024 10:11:12PanScan=1", false, {"LastAccessed=01/02/2024 10:11:12", "PanScan=1"},
       "c.avi"},
      {"Brightness=1051Contrast=9051Hue=-7", false, {"Brightness=1051", "Contrast=9051", "Hue=-7"}, "c.avi"},
      {"SubtitleFontName=TahomaSubtitleSize=300", false, {"SubtitleFontName=Tahoma", "SubtitleSize=300"}, "c.avi"},
      {"SubtitleFontName=Hue=3 AudioVolume=2\r\nHue=4", true, {"SubtitleFontName=Hue=3 AudioVolume=2", "Hue=4"},
       "c.avi"},
      {"UseOutlineFont=0AverageVerticalDisplayZone=7[b.avi]", false,
       {"UseOutlineFont=0", "AverageVerticalDisplayZone=7"}, "b.avi"},
      {"AverageVerticalDisplayZone=7[Hue=3.avi]", false, {"AverageVerticalDisplayZone=7"}, "Hue=3.avi"},
      {"Brightness=10x51\r\nContrast=9051", true, {"Brightness=2000", "Contrast=9051"}, "c.avi"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    RmsTable t;
    const std::string text = std::string("[a.avi]\r\n") + c.lines + "\r\n[c.avi]\r\nPanScan=33\r\n";
    EXPECT_EQ(ParseRmsLines(t, SplitLines(text), TRmsEntry{}, [](const std::string&) { return true; }), c.whole);
    ASSERT_EQ(t.size(), c.secondName == std::string("c.avi") ? 2u : 3u);
    const std::string written = RmsToText(std::vector<TRmsEntry>{t[0]});
    for (const std::string& line : c.expected)
      EXPECT_NE(written.find("\r\n" + line + "\r\n"), std::string::npos) << line;
    EXPECT_EQ(t[1].Name, c.secondName);
    EXPECT_EQ(t[t.size() - 1].PanScan, 33);
  }
}

// Three movies as the player writes them, their names with brackets of
// their own: "Movie [1849].avi" with pan & scan 9 and width 392, then
// 1850 (10, 400) and 1851 (11, 408).
std::string ThreeMovies() {
  std::vector<TRmsEntry> entries;
  for (int i = 49; i <= 51; ++i) {
    TRmsEntry e = Named("Movie [18" + std::to_string(i) + "].avi", 45000);
    e.PanScan = i - 40;
    e.VideoWindowWidth = 8 * i;
    entries.push_back(e);
  }
  return RmsToText(entries);
}

// The middle movie's lines damaged as a crash or a bad copy leaves them:
// every line break of the entry lost (the name line then holds its fields
// and the next name), with the one before it too, or the text from inside
// its name to the next name overwritten with zero bytes. The undamaged
// entries keep their names and values, the joined lines are read as the
// lines they were, and the file is told of as not read whole. Zero bytes
// from one entry's fields into the next one's give the first none of the
// next one's values.
TEST(RmsFile, ANameLineHoldingItsFieldsOrZeroBytesIsDamage) {
  const std::string text = ThreeMovies();
  const std::size_t middle = text.find("[Movie [1850]"), last = text.find("[Movie [1851]");
  ASSERT_NE(last, std::string::npos);
  const auto breaksLost = [&](std::size_t from) {
    std::string entry = text.substr(from, last - from);
    for (std::size_t at; (at = entry.find("\r\n")) != std::string::npos;) entry.erase(at, 2);
    return text.substr(0, from) + entry + text.substr(last);
  };
  std::string zeroed = text;
  zeroed.replace(middle + 7, last - middle - 7, last - middle - 7, '\0');
  // From the first one's pan & scan to the middle one's aspect ratio.
  std::string fieldsZeroed = text;
  const std::size_t pan = text.find("PanScan=9"), aspect = text.find("AspectRatio", middle);
  fieldsZeroed.replace(pan, aspect - pan, aspect - pan, '\0');
  const Separated cases[] = {
      {"every line break of the middle one lost", breaksLost(middle),
       {"Movie [1849].avi", "Movie [1850].avi", "Movie [1851].avi"}, {9, 10, 11}, {392, 400, 408}},
      {"and the one before it", breaksLost(middle - 2),
       {"Movie [1849].avi", "Movie [1850].avi", "Movie [1851].avi"}, {9, 10, 11}, {392, 400, 408}},
      {"from inside its name to the next name zeroed", zeroed,
       {"Movie [1849].avi", "Movie [1851].avi"}, {9, 11}, {392, 408}},
      {"from the first one's fields into the middle one's zeroed", fieldsZeroed,
       {"Movie [1849].avi", "Movie [1851].avi"}, {0, 11}, {460, 408}},
  };
  for (const Separated& c : cases) ExpectSeparated(c);
}

// A movie's name may hold brackets and a key's text: such name lines are
// names, the file read whole. What a stretch lost from inside one name to
// the start of the next name line leaves is one of them.
TEST(RmsFile, NamesWithBracketsAndKeysAreNames) {
  const char* names[] = {"[Grp50][Movie [1851].avi", "Movie [x]Hue=3.avi", "a]PanScan=1 b.avi",
                         "Hue=3 [HD].avi", "[HD] Movie.avi]"};
  for (const std::string name : names) {
    SCOPED_TRACE(name);
    RmsTable t;
    EXPECT_TRUE(ParseRmsLines(t, SplitLines("[" + name + "]\r\nPanScan=5\r\n[b.avi]\r\nPanScan=6\r\n"),
                              TRmsEntry{}, AnyFont));
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Name, name);
    EXPECT_EQ(t[0].PanScan, 5);
    EXPECT_EQ(t[1].PanScan, 6);
  }
}

// A line of a field the reader does not know is not read (the file is not
// whole), but it names no entry: the fields after it are still the entry's.
TEST(RmsFile, AnUnknownFieldLineKeepsItsEntry) {
  RmsTable t;
  EXPECT_FALSE(ParseRmsLines(t, SplitLines("[a.avi]\r\nPanScan=5\r\nPanSc=7\r\nHue=-9\r\n[b.avi]\r\nHue=3\r\n"),
                             TRmsEntry{}, AnyFont));
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].PanScan, 5);
  EXPECT_EQ(t[0].Hue, -9);
  EXPECT_EQ(t[1].Hue, 3);
}

// The platform is asked once for each font a file names, however many
// entries name it.
TEST(RmsFile, EachFontIsAskedOnce) {
  std::vector<std::string> asked;
  const FontCheckFunction fonts = [&](const std::string& name) {
    asked.push_back(name);
    return name == "Tahoma";
  };
  RmsTable t;
  ParseRmsLines(t,
                SplitLines("[a]\r\nSubtitleFontName=Tahoma\r\n[b]\r\nSubtitleFontName=Gone\r\n"
                           "[c]\r\nSubtitleFontName=Tahoma\r\n[d]\r\nSubtitleFontName=Gone\r\n"),
                TRmsEntry{}, fonts);
  EXPECT_EQ(asked, (std::vector<std::string>{"Tahoma", "Gone"}));
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[2].SubtitleFontName, "Tahoma");
  EXPECT_EQ(t[3].SubtitleFontName, "Arial");
}

// A file with a damaged start loads what it can; once a copy of the whole
// file is kept aside, byte for byte, the first save writes the table in
// its place. A file that stays (a folder) is never written over.
TEST(RmsFile, AFileWithEntriesDroppedIsReplacedOnlyOnceKeptAside) {
  ScratchFolder dir;
  const std::string file = dir.File("x.rs");
  const std::string damaged = std::string(40, '\0') + "Scan=3\r\nAudioVolume=100\r\n[kept.avi]\r\nPanScan=9\r\n";
  WriteBytes(file, damaged);
  RmsTable t;
  RmsFileState state;
  RmsLoadFromHdd(t, file, TRmsEntry{}, AnyFont, state);
  EXPECT_EQ(state.Unread, UnreadFile::NotTold);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].PanScan, 9);
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 1));
  EXPECT_EQ(ReadBytes(file), damaged);
  state.Unread = StateAfterKeeping(KeepUnreadFile(file));
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 1));
  EXPECT_EQ(ReadBytes(file + ".bad"), damaged);
  EXPECT_EQ(ReadBytes(file).substr(0, 25), "[kept.avi]\r\nLastAccessed=");

  const std::string folder = dir.File("folder.rs");
  ASSERT_TRUE(CreateFolders(folder));
  RmsLoadFromHdd(t, folder, TRmsEntry{}, AnyFont, state);
  state.Unread = StateAfterKeeping(KeepUnreadFile(folder));
  EXPECT_EQ(state.Unread, UnreadFile::Stays);
  EXPECT_TRUE(RmsSaveToHdd(t, folder, "", state, 2));  // nothing to write
  t.Store(Named("new", 3));
  EXPECT_FALSE(RmsSaveToHdd(t, folder, "", state, 3));
  EXPECT_TRUE(FolderExists(folder));
}

// Before the start-up has loaded the file, the table is not the file's: a
// save (a close during the start-up) neither writes nor deletes it.
TEST(RmsFile, NothingIsSavedBeforeTheFileWasLoaded) {
  ScratchFolder dir;
  const std::string file = dir.File("x.rs");
  WriteBytes(file, "[a]\r\nPanScan=1\r\n");
  RmsTable t;
  RmsFileState state;
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 1));
  t.Store(Named("b", 2));
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 2));
  EXPECT_EQ(ReadBytes(file), "[a]\r\nPanScan=1\r\n");
  RmsLoadFromHdd(t, file, TRmsEntry{}, AnyFont, state);
  EXPECT_TRUE(state.Read);
  t.Store(Named("b", 3));
  EXPECT_TRUE(RmsSaveToHdd(t, file, "", state, 3));
  EXPECT_EQ(Parse(ReadBytes(file)).size(), 2u);
}

TEST(RmsFile, BinaryGarbageLoadsWithoutCrashing) {
  std::string garbage(20000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 37) % 256);
  RmsTable t;
  EXPECT_FALSE(ParseRmsLines(t, SplitLines("[m]\r\n" + garbage + "\n[n]\nPanScan=7\n"), TRmsEntry{}, AnyFont));
  ASSERT_GE(t.size(), 2u);
  EXPECT_EQ(t[t.size() - 1].Name, "n");
  EXPECT_EQ(t[t.size() - 1].PanScan, 7);
}

}  // namespace
}  // namespace lc::settings
