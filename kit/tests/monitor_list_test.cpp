#include <gtest/gtest.h>

#include <vector>

#include "kit/monitor_list.h"

namespace {

const int A = 1, B = 2, C = 3, Stray = 9;  // stand-ins for monitor handles

}  // namespace

TEST(FindMonitorIndex, TheMatchingEntryElseThePrimaryMonitor) {
  // The primary monitor is listed second.
  std::vector<TMonitorKey> List{{&A, false}, {&B, true}, {&C, false}};
  EXPECT_EQ(0, FindMonitorIndex(&A, List));
  EXPECT_EQ(2, FindMonitorIndex(&C, List));
  EXPECT_EQ(1, FindMonitorIndex(&Stray, List)) << "unmatched: the primary, not the first";
  EXPECT_EQ(1, FindMonitorIndex(nullptr, List));
}

TEST(FindMonitorIndex, WithoutAPrimaryEntryTheFirstOrNone) {
  std::vector<TMonitorKey> List{{&A, false}, {&B, false}};
  EXPECT_EQ(0, FindMonitorIndex(&Stray, List));
  EXPECT_EQ(-1, FindMonitorIndex(&A, {}));
}
