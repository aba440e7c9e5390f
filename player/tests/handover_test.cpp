#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/handover.h"

namespace lc {
namespace {

TEST(Handover, EachArgumentIsFollowedByCodeOne) {
  std::string text = BuildHandoverText({"C:\\a.avi", "C:\\b c.mkv", "D:\\films"});
  EXPECT_EQ(text, "C:\\a.avi\x01" "C:\\b c.mkv\x01" "D:\\films\x01");
  EXPECT_EQ(SplitHandoverText(text.data(), text.size()),
            (std::vector<std::string>{"C:\\a.avi", "C:\\b c.mkv", "D:\\films"}));
}

TEST(Handover, LongTextIsCutAndTheCutArgumentIsLost) {
  std::vector<std::string> args{std::string(9000, 'a'), std::string(500, 'b')};
  std::string text = BuildHandoverText(args);
  ASSERT_EQ(text.size(), kMaxHandoverChars);
  auto pieces = SplitHandoverText(text.data(), text.size());
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0], args[0]);
}

TEST(Handover, ReceiverSurvivesMissingOrEmptyData) {
  EXPECT_TRUE(SplitHandoverText(nullptr, 100).empty());
  EXPECT_TRUE(SplitHandoverText("abc\x01", 0).empty());
  EXPECT_TRUE(SplitHandoverText("no terminator", 13).empty());
}

TEST(Handover, ReceiverReadsOnlyTheGivenBytes) {
  // The byte after `size` would end another piece if it were read.
  const char buffer[] = "one\x01two\x01";
  auto pieces = SplitHandoverText(buffer, 7);
  EXPECT_EQ(pieces, (std::vector<std::string>{"one"}));
}

TEST(Handover, TwoCodeOnesInARowGiveAnEmptyEntry) {
  const char text[] = "a.avi\x01\x01" "b.avi\x01";
  EXPECT_EQ(SplitHandoverText(text, sizeof text - 1), (std::vector<std::string>{"a.avi", "", "b.avi"}));
}

// A name the code page cannot spell ("Ωmega") makes the whole text UTF-8
// behind its mark; the receiver takes both forms.
TEST(Handover, NamesOutsideTheCodePageTravelAsUtf8) {
  EXPECT_EQ(EncodeHandoverText({"C:\\Caf\xC3\xA9.avi", "D:\\x"}), "C:\\Caf\xE9.avi\x01" "D:\\x\x01");
  const std::string text = EncodeHandoverText({"C:\\Caf\xC3\xA9.avi", "D:\\\xCE\xA9mega"});
  EXPECT_EQ(text, "\xEF\xBB\xBF" "C:\\Caf\xC3\xA9.avi\x01" "D:\\\xCE\xA9mega\x01");
  EXPECT_EQ(DecodeHandoverText(text.data(), text.size()),
            (std::vector<std::string>{"C:\\Caf\xC3\xA9.avi", "D:\\\xCE\xA9mega"}));
  const char ansi[] = "C:\\Caf\xE9.avi\x01";
  EXPECT_EQ(DecodeHandoverText(ansi, sizeof ansi - 1), std::vector<std::string>{"C:\\Caf\xC3\xA9.avi"});
  EXPECT_EQ(EncodeHandoverText({std::string(9300, 'a')}).size(), kMaxHandoverChars);
}

}  // namespace
}  // namespace lc
