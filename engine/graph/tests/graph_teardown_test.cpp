// The platform's system clock, as the graph component makes it, released
// at any moment of its advise thread's life. (A last release that does not
// end is filter_graph_test.cpp's.)
#include <gtest/gtest.h>
#include <windows.h>
#include <dshow.h>

#include "engine/filters/tests/test_graph_support.h"
#include "engine/graph/graph_teardown.h"

namespace {

// The clock's first advise starts its thread; a renderer stopped at once
// takes the advise back and the graph's release, the clock's last, follows
// within milliseconds, while that thread may not have begun to wait yet.
// Wine's plain system clock then keeps its release waiting for good in
// about one of three tries.
TEST(GraphTeardown, AWakefulClockReleasedAsItsThreadStartsLetsGo) {
  lctest::TComScope com;
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  int stuck = 0;
  for (int i = 0; i < 40; ++i) {
    IReferenceClock* clock = NewWakefulSystemClock();
    ASSERT_NE(clock, nullptr);
    REFERENCE_TIME now = 0;
    DWORD_PTR cookie = 0;
    clock->GetTime(&now);
    ASSERT_EQ(clock->AdviseTime(now, 10000000, reinterpret_cast<HEVENT>(event), &cookie), S_OK);
    clock->Unadvise(cookie);
    if (!ReleaseWithin({clock}, 1000)) ++stuck;
  }
  CloseHandle(event);
  EXPECT_EQ(stuck, 0) << "releases that did not end within 1 s";
}

}  // namespace
