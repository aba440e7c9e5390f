// A test program for tests/support/test_main_check, which runs it with the
// host's exit handlers made slow and reads its exit code. Its one test
// fails when asked (LC_TEST_MAIN_FAIL=1), so that the check sees a failed
// run's code as well as a passed one's.
#include <cstdlib>

#include <gtest/gtest.h>

TEST(TestMainProbe, PassesUnlessAskedToFail) {
  EXPECT_EQ(std::getenv("LC_TEST_MAIN_FAIL"), nullptr);
}
