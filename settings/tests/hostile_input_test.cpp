// Settings, remembered-settings and language texts that no version of the
// program writes but that a damaged or hand-edited file may hold. Each case
// replays what a fuzzing run once found.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "dates/date_time.h"
#include "settings/file_io.h"
#include "settings/rms_file.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/value_parse.h"

namespace lc::settings {
namespace {

bool Arial(const std::string& name) { return name == "Arial"; }

RmsTable ParseRms(const std::string& text) {
  RmsTable table;
  ParseRmsLines(table, SplitLines(text), TRmsEntry{}, Arial);
  return table;
}

// 2^64 and beyond used to wrap before the overflow check ("18446744073709551616"
// read as 0).
TEST(HostileSettingsInput, NumbersBeyondSixtyFourBitsSaturate) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  struct Case { const char* text; std::int64_t expected; };
  const Case cases[] = {
      {"9223372036854775807", kMax},       {"9223372036854775808", kMax},
      {"-9223372036854775808", kMin},      {"-9223372036854775809", kMin},
      {"18446744073709551615", kMax},      {"18446744073709551616", kMax},
      {"18446744073709551617", kMax},      {"-18446744073709551616", kMin},
      {"36893488147419103232", kMax},      {"000000000000000000000000000042", 42},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDecimal(c.text), c.expected) << "text: \"" << c.text << "\"";
  }
}

// Not a number rounds to 0; times end at 23:59:59.
TEST(HostileSettingsInput, NonFiniteAndBoundaryValues) {
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_DOUBLE_EQ(TextToTime("23:59:59", -1), 86399.0 / 86400.0);
  EXPECT_DOUBLE_EQ(TextToTime("24:00", -1), -1);
  const RmsTable table = ParseRms("[m]\r\nAspectRatio=0\r\nSubtitleSize=5\r\n");
  ASSERT_EQ(table.size(), 1u);
  EXPECT_DOUBLE_EQ(table[0].AspectRatio, 0.1);  // not negative: raised to 0.1
  EXPECT_EQ(table[0].SubtitleSize, 10);
}

// ...and are then clamped as the settings rules say.
TEST(HostileSettingsInput, SaturatedNumbersAreClampedIntoTheirSetting) {
  testing::FakeHost host;
  SettingsStore store;
  SetDefaultSettings(store, host.screenWidth, host.screenHeight);
  std::vector<std::string> values;
  ParseConfigText("[Configuration]\r\nOsdSize=18446744073709551616\r\n"
                  "AverageDisplayTime=-18446744073709551616\r\nCpuPriority=18446744073709551617\r\n",
                  ConfigKeyNames(), values);
  ConvertLoadedValues(store, host, values);
  EXPECT_EQ(store.OsdSize, 500);
  EXPECT_EQ(store.AverageDisplayTime, 1000);
  EXPECT_EQ(store.CpuPriority, 0);  // held as 4 - 4: high priority
}

// Before 30/12/1899 the day count is negative: a time of day used to be
// added to it, moving the date one day forward at every save.
TEST(HostileSettingsInput, DatesBefore1900KeepTheirDayAndTime) {
  EXPECT_DOUBLE_EQ(TextToDateTime("29/12/1899 06:00:00", 0), -1.25);
  EXPECT_DOUBLE_EQ(TextToDateTime("01/01/1800 18:00:00", 0), -36522.75);
  EXPECT_EQ(DateTimeToText(-1.25), "29/12/1899 06:00:00");
  // A time that rounds up to midnight belongs to the next calendar day.
  EXPECT_EQ(DateTimeToText(-1.9999999999), "30/12/1899");
  EXPECT_EQ(DateTimeToText(-2.9999999999), "29/12/1899");

  std::string text = "[old]\r\nLastAccessed=01/01/1800 06:00:00\r\n";
  for (int save = 0; save < 3; ++save) {
    RmsTable table = ParseRms(text);
    ASSERT_EQ(table.size(), 1u);
    text = RmsToText(table);
  }
  EXPECT_NE(text.find("\r\nLastAccessed=01/01/1800 06:00:00\r\n"), std::string::npos) << text;
}

// 1 MiB of "[]" lines used to load as 349,567 entries (some 470 MB) and to
// be saved as a 151 MB file that the next start refused to read.
TEST(HostileSettingsInput, RemembersAtMostAThousandEntriesFromAFile) {
  std::string text;
  for (int i = 0; i < 349567; ++i) text += "[]\r\n";
  const RmsTable table = ParseRms(text);
  EXPECT_EQ(table.size(), 1000u);
  EXPECT_LE(RmsToText(table).size(), 1048703u);
}

TEST(HostileSettingsInput, EntriesAfterTheThousandthAreIgnoredWholly) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "[m" + std::to_string(i) + "]\r\n";
  text += "[extra]\r\nPanScan=50\r\n";
  const RmsTable table = ParseRms(text);
  ASSERT_EQ(table.size(), 1000u);
  EXPECT_EQ(table[999].Name, "m999");
  EXPECT_EQ(table[999].PanScan, 0);
}

// A table the reader would refuse is never written: the least recently
// accessed entries are left out until the text fits.
TEST(HostileSettingsInput, SavedTextAlwaysFitsTheReader) {
  RmsTable table;
  for (int i = 0; i < 1000; ++i) {
    TRmsEntry e;
    e.Name = std::string(1500, 'a') + std::to_string(i);
    e.LastAccessed = 40000 + (i * 7919) % 1000;  // every day once, in shuffled order
    table.Append(e);
  }
  const std::string text = RmsToText(table);
  EXPECT_LE(text.size(), 1048703u);
  EXPECT_GT(text.size(), 1000000u);
  const RmsTable reloaded = ParseRms(text);
  ASSERT_GT(reloaded.size(), 400u);
  double oldestKept = 1e9;
  for (const TRmsEntry& e : reloaded.entries()) oldestKept = std::min(oldestKept, e.LastAccessed);
  // Every entry newer than the oldest one kept was kept too.
  EXPECT_EQ(reloaded.size(), static_cast<std::size_t>(41000 - oldestKept));
  // The newest (day 40999: entry 321, as 321 x 7919 ends in 999) is kept.
  EXPECT_GE(reloaded.Find(std::string(1500, 'a') + "321"), 0);
}

// One entry whose name alone is larger than a file the reader takes is left
// out, however recent, and costs no other entry its place.
TEST(HostileSettingsInput, EntryTooLargeForAnyFileIsLeftOut) {
  RmsTable table;
  TRmsEntry huge;
  huge.Name = std::string(1048703, 'x');
  huge.LastAccessed = 2;
  TRmsEntry small;
  small.Name = "small";
  small.LastAccessed = 1;
  table.Append(huge);
  table.Append(small);
  const RmsTable reloaded = ParseRms(RmsToText(table));
  ASSERT_EQ(reloaded.size(), 1u);
  EXPECT_EQ(reloaded[0].Name, "small");
}

}  // namespace
}  // namespace lc::settings
