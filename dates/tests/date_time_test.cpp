// Date-times as days since 30/12/1899 and their fixed texts.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <string>

#include "dates/date_time.h"

namespace lc {
namespace {

TEST(DateTime, TextsRoundTrip) {
  double date = 0;
  ASSERT_TRUE(EncodeDate(2024, 2, 29, date));
  EXPECT_DOUBLE_EQ(date, 45351.0);
  EXPECT_EQ(DateTimeToText(date), "29/02/2024");
  const double withTime = date + (13 * 3600 + 5 * 60 + 9) / 86400.0;
  EXPECT_EQ(DateTimeToText(withTime), "29/02/2024 13:05:09");
  EXPECT_NEAR(TextToDateTime("29/02/2024 13:05:09", -1), withTime, 1e-9);
  EXPECT_DOUBLE_EQ(TextToDateTime("29/02/2024", -1), date);
  EXPECT_EQ(DateTimeToText(0), "30/12/1899");
  EXPECT_DOUBLE_EQ(TextToDateTime("30/02/2024", -1), -1);
  EXPECT_DOUBLE_EQ(TextToDateTime("garbage", -1), -1);
  EXPECT_DOUBLE_EQ(TextToDateTime("01/01/2020 25:00:00", -1), -1);
}

TEST(DateTime, TimeOfDayTexts) {
  EXPECT_EQ(TimeToText((1 * 3600 + 2 * 60 + 3.999) / 86400.0), "01:02:03");
  EXPECT_EQ(TimeToText(2.5), "12:00:00");
  EXPECT_NEAR(TextToTime("01:30:00", -1), 1.5 / 24, 1e-12);
  EXPECT_NEAR(TextToTime("01:30", -1), 1.5 / 24, 1e-12);
  EXPECT_DOUBLE_EQ(TextToTime("24:00:00", -1), -1);
  EXPECT_DOUBLE_EQ(TextToTime("1:60:00", -1), -1);
  EXPECT_DOUBLE_EQ(TextToTime("", -1), -1);
  // The last hour, minute and second of a day are times, alone and after a
  // date (a movie's position, a bookmark, the day it was last watched).
  const struct { const char* Text; int Seconds; } last[] = {
      {"00:00:59", 59}, {"00:59:00", 3540}, {"23:00:00", 82800}, {"23:59:59", 86399}};
  for (const auto& c : last) {
    EXPECT_NEAR(TextToTime(c.Text, -1), c.Seconds / 86400.0, 1e-12) << c.Text;
    const double day = 43831;  // 01/01/2020
    EXPECT_NEAR(TextToDateTime(std::string("01/01/2020 ") + c.Text, -1), day + c.Seconds / 86400.0, 1e-9) << c.Text;
  }
}

// Two-digit years: below 50 in this century, from 50 on in the last one.
TEST(DateTime, TwoDigitYearsPivotAtFifty) {
  double expected = 0;
  ASSERT_TRUE(EncodeDate(1999, 1, 31, expected));
  EXPECT_DOUBLE_EQ(TextToDateTime("31/01/99", -1), expected);
  ASSERT_TRUE(EncodeDate(1950, 1, 31, expected));
  EXPECT_DOUBLE_EQ(TextToDateTime("31/01/50", -1), expected);
  ASSERT_TRUE(EncodeDate(2049, 1, 31, expected));
  EXPECT_DOUBLE_EQ(TextToDateTime("31/01/49", -1), expected);
}

// Dates far from today, where the leap rules of 100 and 400 years and the
// first and last representable days decide: the text of the value and the
// value of the text, both ways.
TEST(DateTime, CalendarEdgesBothWays) {
  const struct { double Value; const char* Text; } cases[] = {
      {-693593, "01/01/0001"},           {-692073, "01/03/0005"},   {-657434, "01/01/0100"},
      {-657069, "01/01/0101"},           {-620545, "01/01/0201"},   {-547803, "29/02/0400"},
      {-547497, "31/12/0400"},           {-547496, "01/01/0401"},   {-547497.25, "31/12/0400 06:00:00"},
      {-109512, "29/02/1600"},           {-72987, "01/03/1700"},    {61, "01/03/1900"},
      {36585, "29/02/2000"},             {73110, "01/03/2100"},     {2958465, "31/12/9999"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateTimeToText(c.Value), c.Text) << c.Value;
    EXPECT_DOUBLE_EQ(TextToDateTime(c.Text, 1e9), c.Value) << c.Text;
  }
  // The day the count starts from, with a time, counts upwards.
  EXPECT_DOUBLE_EQ(TextToDateTime("30/12/1899 06:00:00", 1e9), 0.25);
  // Beyond the last day or before the first the value counts as 0.
  EXPECT_EQ(DateTimeToText(2958466), "30/12/1899");
  EXPECT_EQ(DateTimeToText(-693594), "30/12/1899");
}

TEST(DateTime, TextsThatAreNoDateOrTime) {
  for (const char* text : {"01/13/2020", "32/12/2020", "00/12/2020", "31/04/2020", "29/02/2100",
                           "29/02/0100", "01/01/2020 12", "01/01/2020 12:60", "01/01/2020 12:00:60",
                           "01/01", "01/01/2020/1", "01/01/20200", "00001/01/2020", "01/01/2020 ",
                           "1-1-2020"})
    EXPECT_DOUBLE_EQ(TextToDateTime(text, -7), -7) << text;
  for (const char* text : {"12", "12:", ":30", "1:2:3:4", "12:30:00 ", "a:00", "12:00000"})
    EXPECT_DOUBLE_EQ(TextToTime(text, -7), -7) << text;
  // A year of three digits is taken as it stands.
  EXPECT_DOUBLE_EQ(TextToDateTime("01/01/100", -7), -657434);
}

// The clock reads the local calendar date and time of day: its texts are
// the ones the C library gives for the same second, and its milliseconds
// those of the system clock.
TEST(DateTime, ClockIsTheLocalDateAndTime) {
  using namespace std::chrono;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const long long before = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    const double now = CurrentDateTime();
    const long long after = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    if (after / 1000 != before / 1000) continue;  // the second changed meanwhile
    const std::time_t second = static_cast<std::time_t>(before / 1000);
    const std::tm* local = std::localtime(&second);
    char date[16], time[16];
    std::strftime(date, sizeof date, "%d/%m/%Y", local);
    std::strftime(time, sizeof time, "%H:%M:%S", local);
    EXPECT_EQ(DateTimeToText(std::trunc(now)), date);
    EXPECT_EQ(TimeToText(now), time);
    const long long ms = std::llround(now * 86400000.0) % 1000;
    EXPECT_GE(ms, before % 1000);
    EXPECT_LE(ms, after % 1000);
    return;
  }
  FAIL() << "the clock never stayed within one second";
}

}  // namespace
}  // namespace lc
