// Date-times as days since 30/12/1899 and their fixed texts.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lc
