#include "engine/graph/graph_math.h"

#include <gtest/gtest.h>

TEST(GraphMath, LinearVolumeMapsEndsAndMiddle) {
  const struct {
    int In, Out;
  } cases[] = {{0, -10000}, {10000, 0}, {1, -9247}, {5000, -752}, {100, -4989}};
  for (const auto& c : cases) EXPECT_EQ(LinearVolumeToDB(c.In), c.Out) << "volume " << c.In;
}

TEST(GraphMath, LinearBalanceHasOppositeSignAndZeroForCentre) {
  EXPECT_EQ(LinearBalanceToDB(0), 0);
  EXPECT_EQ(LinearBalanceToDB(10000), -10000);
  EXPECT_EQ(LinearBalanceToDB(-10000), 10000);
  EXPECT_EQ(LinearBalanceToDB(-1), 753);
  EXPECT_EQ(LinearBalanceToDB(1), -753);
}

TEST(GraphMath, RefTimeTruncatesTowardZero) {
  EXPECT_EQ(RefTimeToMilliSec(19999), 1);
  EXPECT_EQ(RefTimeToMilliSec(-19999), -1);
  EXPECT_EQ(RefTimeToMilliSec(20000000), 2000);
}

TEST(GraphMath, TimeCodeSplitsNineFields) {
  const TTimeCodeDigits d = IntToTimeCode(0x12345679u);
  const std::array<uint8_t, 9> expected = {1, 2, 3, 4, 5, 6, 7, 2, 1};  // nine fields, no more
  EXPECT_EQ(d, expected);
}

TEST(GraphMath, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDivRound(4, 500, 3), 667);
  EXPECT_EQ(MulDivRound(1, 1, 2), 1);
  EXPECT_EQ(MulDivRound(-1, 1, 2), -1);
  EXPECT_EQ(MulDivRound(5, 5, 0), -1);
}

TEST(GraphMath, StretchRectFitsAndCentres) {
  const struct {
    TRect Target, Source, Expected;
  } cases[] = {
      {{0, 0, 1000, 500}, {0, 0, 4, 3}, {166, 0, 833, 500}},
      {{0, 0, 400, 1000}, {0, 0, 4, 3}, {0, 350, 400, 650}},
      {{10, 20, 410, 320}, {0, 0, 4, 3}, {10, 20, 410, 320}},
  };
  for (const auto& c : cases) {
    const TRect r = StretchRect(c.Target, c.Source);
    EXPECT_EQ(r.Left, c.Expected.Left);
    EXPECT_EQ(r.Top, c.Expected.Top);
    EXPECT_EQ(r.Right, c.Expected.Right);
    EXPECT_EQ(r.Bottom, c.Expected.Bottom);
  }
}
