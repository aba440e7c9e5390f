// The profiles editor's decisions over the remembered-settings table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/profiles/profiles_rules.h"

namespace {

using lc::settings::RmsTable;
using lc::settings::TRmsEntry;

RmsTable TableOf(const std::vector<std::string>& names) {
  RmsTable t;
  for (const std::string& n : names) {
    TRmsEntry e;
    e.Name = n;
    e.PanScan = static_cast<int>(t.size());  // tells the entries apart
    t.Append(e);
  }
  return t;
}

std::vector<std::string> NamesOf(const RmsTable& t) {
  std::vector<std::string> out;
  for (const TRmsEntry& e : t.entries()) out.push_back(e.Name);
  return out;
}

TEST(DeleteRmsNames, RemovesTheFirstEntryMatchingEachNameIgnoringCase) {
  struct Case {
    std::vector<std::string> table, deleted, left;
    int removed;
  } cases[] = {
      {{"a.avi", "b.avi", "c.avi"}, {"b.avi"}, {"a.avi", "c.avi"}, 1},
      {{"Movie.avi", "MOVIE.AVI"}, {"movie.avi"}, {"MOVIE.AVI"}, 1},
      {{"Movie.avi", "MOVIE.AVI"}, {"MOVIE.AVI", "Movie.avi"}, {}, 2},
      {{"a.avi"}, {"missing.avi"}, {"a.avi"}, 0},
      {{"x.avi", "y.avi", "z.avi"}, {"z.avi", "x.avi"}, {"y.avi"}, 2},
      {{}, {"a.avi"}, {}, 0},
  };
  for (const Case& c : cases) {
    RmsTable t = TableOf(c.table);
    EXPECT_EQ(c.removed, lc::tools::DeleteRmsNames(t, c.deleted));
    EXPECT_EQ(c.left, NamesOf(t));
  }
}

TEST(DeleteRmsNames, LaterEntriesMoveUpWithAllTheirFields) {
  RmsTable t = TableOf({"a.avi", "b.avi", "c.avi"});
  t[2].BookMark[8] = "01:02:03";
  lc::tools::DeleteRmsNames(t, {"A.AVI"});
  ASSERT_EQ(2u, t.size());
  EXPECT_EQ(1, t[0].PanScan);
  EXPECT_EQ(2, t[1].PanScan);
  EXPECT_EQ("01:02:03", t[1].BookMark[8]);
}

TEST(CurrentLineAfterDelete, KeepsTheLineOrTakesTheNewLast) {
  struct Case {
    int remembered, remaining, expected;
  } cases[] = {{0, 5, 0}, {3, 5, 3}, {4, 4, 3}, {9, 2, 1}, {3, 1, 0}, {0, 0, -1}, {2, 0, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, lc::tools::CurrentLineAfterDelete(c.remembered, c.remaining))
        << c.remembered << " of " << c.remaining;
}

TEST(SkipCurrentAfterEditing, SetOnlyWhenThePlayingMoviesEntryIsGone) {
  const RmsTable t = TableOf({"Kept.avi"});
  EXPECT_FALSE(lc::tools::SkipCurrentAfterEditing(t, true, "kept.AVI", true));
  EXPECT_TRUE(lc::tools::SkipCurrentAfterEditing(t, true, "gone.avi", false));
  // Without an open movie the flag is left as it was.
  EXPECT_FALSE(lc::tools::SkipCurrentAfterEditing(t, false, "gone.avi", false));
  EXPECT_TRUE(lc::tools::SkipCurrentAfterEditing(t, false, "kept.avi", true));
}

}  // namespace
