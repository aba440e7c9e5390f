// Finishing the parsed list and the per-entry display data.
#include "subtitles/finish.h"

#include <gtest/gtest.h>

namespace lc::subtitles {
namespace {

using Times = std::vector<std::int32_t>;
using Ansi = std::vector<std::string>;

TimedEntries<char> Make(std::initializer_list<std::tuple<std::int32_t, std::int32_t, const char*>> rows) {
  TimedEntries<char> list;
  for (const auto& [start, end, text] : rows) list.Add(start, end, text);
  return list;
}

bool Finish(TimedEntries<char>& list, SubtitleFormat format = SubtitleFormat::SubViewer) {
  return ApplySubtitleTags(list, format, 2200);
}

TEST(ApplySubtitleTags, FillsMissingTimes) {
  auto list = Make({{-1, 5000, "ab"},        // first start: 0
                    {6000, 6000, "abcd"},    // no length: 4 chars, 1195 ms
                    {20000, 25000, "x"},
                    {-1, 40000, "abcde"},    // 40000 - 1260, after 25000
                    {50000, -1, ""},         // empty: removed
                    {60000, -1, "abc"}});    // last end: + 1130
  ASSERT_TRUE(Finish(list));
  EXPECT_EQ((Times{0, 6000, 20000, 38740, 60000}), list.Start);
  EXPECT_EQ((Times{5000, 7195, 25000, 40000, 61130}), list.End);

  auto gap = Make({{0, -1, "a"}, {3000, 4000, "b"}});
  ASSERT_TRUE(Finish(gap));
  EXPECT_EQ((Times{3000, 4000}), gap.End);
}

TEST(ApplySubtitleTags, FailsWhenATimeStaysMissing) {
  auto noLastTimes = Make({{0, 1000, "a"}, {-1, -1, "b"}});
  EXPECT_FALSE(Finish(noLastTimes));
  // The start after an entry without an end cannot be filled.
  auto chain = Make({{0, 1000, "a"}, {2000, -1, "b"}, {-1, 9000, "c"}, {10000, 11000, "d"}});
  EXPECT_FALSE(Finish(chain));
  // A failed list stays as the routine left it: the first end was filled.
  auto unfilled = Make({{0, -1, "a"}, {3000, -1, "b"}, {-1, 9000, "c"}});
  EXPECT_FALSE(Finish(unfilled));
  EXPECT_EQ((Times{3000, -1, 9000}), unfilled.End);
  auto empty = Make({{0, 1000, ""}, {2000, 3000, ""}});
  EXPECT_FALSE(Finish(empty));
  TimedEntries<char> none;
  EXPECT_FALSE(Finish(none));
}

TEST(ApplySubtitleTags, ResolvesOverlaps) {
  auto cut = Make({{0, 5000, "a"}, {3000, 6000, "b"}});
  ASSERT_TRUE(Finish(cut));
  EXPECT_EQ((Times{3000, 6000}), cut.End);

  auto pushed = Make({{5000, 8000, "a"}, {4000, 9000, "bcd"}});
  ASSERT_TRUE(Finish(pushed));
  EXPECT_EQ((Times{5000, 8000}), pushed.Start);
  EXPECT_EQ((Times{8000, 9000}), pushed.End);

  auto backwards = Make({{3000, 2000, "abcd"}, {10000, 11000, "b"}});
  ASSERT_TRUE(Finish(backwards));
  EXPECT_EQ((Times{4195, 11000}), backwards.End);

  // An entry that ends where it starts moves its start back by the fixed rule.
  auto moved = Make({{0, 100, "a"}, {200, 300, "b"}, {5000, 4000, "cc"}, {1000, 6000, "d"}});
  ASSERT_TRUE(Finish(moved));
  EXPECT_EQ((Times{0, 200, 300, 1000}), moved.Start);
  EXPECT_EQ((Times{100, 300, 1000, 6000}), moved.End);

  // The second entry, squeezed to nothing, moves its start back too.
  auto second = Make({{0, 1000, "a"}, {2000, 1500, "b"}, {2000, 3000, "c"}});
  ASSERT_TRUE(Finish(second));
  EXPECT_EQ((Times{0, 1000, 2000}), second.Start);
  EXPECT_EQ((Times{1000, 2000, 3000}), second.End);
  // No span is left at the end of the time range.
  auto atTheEnd = Make({{0, 1000, "a"}, {2147483647, -1, "b"}});
  EXPECT_FALSE(Finish(atTheEnd));
}

TEST(ApplySubtitleTags, FirstAndLastEntryTimes) {
  auto single = Make({{5000, 5000, "abc"}});
  ASSERT_TRUE(Finish(single));
  EXPECT_EQ(3870, single.Start[0]);
  EXPECT_EQ(5000, single.End[0]);

  auto lastBackwards = Make({{0, 1000, "a"}, {5000, 4000, "abc"}});
  ASSERT_TRUE(Finish(lastBackwards));
  EXPECT_EQ(6130, lastBackwards.End[1]);

  // A first entry without length gets its display time before the next
  // start is filled from it: 2 characters, 1066 ms.
  auto firstEmpty = Make({{1000, 1000, "ab"}, {-1, 2500, "c"}});
  ASSERT_TRUE(Finish(firstEmpty));
  EXPECT_EQ((Times{1000, 2066}), firstEmpty.Start);
  EXPECT_EQ((Times{2066, 2500}), firstEmpty.End);
}

TEST(ApplySubtitleTags, MergesRepeatsAndTidiesSeparators) {
  auto repeats = Make({{0, 1000, "A"}, {1000, 2000, "A"}, {2000, 3000, "A"}, {3500, 4000, "A"},
                       {4000, 5000, "a"}});
  ASSERT_TRUE(Finish(repeats));
  EXPECT_EQ((Times{0, 3500, 4000}), repeats.Start);
  EXPECT_EQ((Times{3000, 4000, 5000}), repeats.End);

  auto bars = Make({{0, 1000, "||a|||b|"}, {1000, 2000, "|||"}, {2000, 3000, "c|d"}});
  ASSERT_TRUE(Finish(bars));
  EXPECT_EQ((Ansi{"a|b", "", "c|d"}), bars.Text);
}

TEST(ApplySubtitleTags, NestedStyleTagsOfSubRip) {
  const std::string beyond = "<b>" + std::string(260, 'a') + "<b>c</b>";
  auto list = Make({{0, 1000, "<b>a<b>b</b>"},
                    {1000, 2000, "<i>x<i>y<i>z</i><i>w<i>v</i>"},
                    {2000, 3000, "<u>open<u>never closed"},
                    {3000, 4000, beyond.c_str()},
                    {4000, 5000, "<s><s><s>x</s>"},
                    {5000, 6000, "<b>a<b></b>"}});
  auto sameInSubViewer = list;
  ASSERT_TRUE(Finish(list, SubtitleFormat::SubRip));
  EXPECT_EQ((Ansi{"<b>ab</b>", "<i>xyz</i><i>wv</i>", "<u>opennever closed", beyond,
                  "<s>x</s>", "<b>a</b>"}),
            list.Text);
  ASSERT_TRUE(Finish(sameInSubViewer));
  EXPECT_EQ("<b>a<b>b</b>", sameInSubViewer.Text[0]);
}

TEST(ApplySubtitleTags, WideTexts) {
  TimedEntries<char16_t> list;
  list.Add(0, 1000, u"|\u0430||\u0431");
  list.Add(1000, 2000, u"|\u0430||\u0431");
  ASSERT_TRUE(ApplySubtitleTags(list, SubtitleFormat::SubRip, 2200));
  ASSERT_EQ(1u, list.Count());
  EXPECT_EQ(u"\u0430|\u0431", list.Text[0]);
  EXPECT_EQ(2000, list.End[0]);
}

TEST(HasValidTimes, NegativeOrBackwards) {
  EXPECT_TRUE(HasValidTimes(Make({{0, 1000, "a"}, {1000, 1000, "b"}})));
  EXPECT_FALSE(HasValidTimes(Make({{-500, 1000, "a"}})));
  EXPECT_FALSE(HasValidTimes(Make({{0, 1000, "a"}, {3000, 2999, "b"}})));
}

TEST(DisplayCopy, StyleGroupsRemoved) {
  EXPECT_EQ("Hello {ac", DisplayCopy(std::string("{y:i}Hello {a{b}c"), SubtitleFormat::MicroDvd));
  EXPECT_EQ("a}b {", DisplayCopy(std::string("a}{x}b {"), SubtitleFormat::MicroDvd));
  EXPECT_EQ("x|y", DisplayCopy(std::string("<i>x</i>|<font c=1>y"), SubtitleFormat::SubRip));
  EXPECT_EQ("{x}<i>", DisplayCopy(std::string("{x}<i>"), SubtitleFormat::Ssa));
  EXPECT_EQ(u"\u0430", DisplayCopy(std::u16string(u"<b>\u0430</b>"), SubtitleFormat::SubRip));
}

TEST(DisplayData, LinesAndDurations) {
  EXPECT_EQ((Ansi{"a", "", "b"}), SplitScreenLines(std::string("a||b")));
  EXPECT_EQ((Ansi{""}), SplitScreenLines(std::string()));
  const auto list = Make({{0, 1000, "twenty characters.."}, {1000, 9000, "0123456789"},
                          {9000, 20000, "a|b"}});
  const Ansi copies = {"twenty characters..|", "0123456789", "a|b"};
  // 20 characters get 2231 ms, cut to the 1000 ms before the next start;
  // "|" counts as a character.
  EXPECT_EQ((Times{1000, 1584, 1130}), DisplayDurations(list, copies, 2200));
  // At 1000 ms longer texts get less time: 20 characters 814 ms.
  EXPECT_EQ((Times{814, 892, 947}), DisplayDurations(list, copies, 1000));
}

}  // namespace
}  // namespace lc::subtitles
