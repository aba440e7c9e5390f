#include "player/system_macro.h"

#include <gtest/gtest.h>

namespace {

using lc::MacroKind;

TEST(SystemMacro, CommandsAtTheStartOfTheFirstLine) {
  struct Case {
    std::vector<std::string> lines;
    MacroKind kind;
    const char* path;
  };
  const Case cases[] = {
      {{"/Play C:\\Movies\\a b.avi"}, MacroKind::Play, "C:\\Movies\\a b.avi"},
      {{"/AddFile D:\\x.mkv"}, MacroKind::AddFile, "D:\\x.mkv"},
      {{"/AddFolder E:\\Films"}, MacroKind::AddFolder, "E:\\Films"},
      {{"/AddFile "}, MacroKind::AddFile, ""},
      {{"/Play  two blanks"}, MacroKind::Play, " two blanks"},
      // Only the first line counts.
      {{"/Play first.avi", "/AddFile second.avi"}, MacroKind::Play, "first.avi"},
      {{"nothing", "/Play second.avi"}, MacroKind::None, ""},
      // Without the blank, with leading blanks, in other letters: ignored.
      {{"/Play"}, MacroKind::None, ""},
      {{"/PlayC:\\a.avi"}, MacroKind::None, ""},
      {{" /Play C:\\a.avi"}, MacroKind::None, ""},
      {{"/play C:\\a.avi"}, MacroKind::None, ""},
      {{"/AddFolderX"}, MacroKind::None, ""},
      {{""}, MacroKind::None, ""},
      {{}, MacroKind::None, ""},
  };
  for (const Case& c : cases) {
    const lc::SystemMacro m = lc::ParseSystemMacro(c.lines);
    const std::string first = c.lines.empty() ? "<none>" : c.lines[0];
    EXPECT_EQ(c.kind, m.Kind) << first;
    EXPECT_EQ(c.path, m.Path) << first;
  }
}

TEST(SystemMacro, ABurstOfPlayMacrosBecomesOnePlaylist) {
  const double day = 45000.0;          // some date
  const double ms = 1.0 / 86400000.0;  // one millisecond in days
  EXPECT_TRUE(lc::PlayReplacesPlaylist(false, day + 1001 * ms, day));
  EXPECT_TRUE(lc::PlayReplacesPlaylist(false, day, 0));  // nothing opened yet
  EXPECT_FALSE(lc::PlayReplacesPlaylist(false, day + 999 * ms, day));
  EXPECT_FALSE(lc::PlayReplacesPlaylist(false, day + 10 * ms, day));
  // Strictly more than 1000 ms: 1000 itself joins the list (the times are
  // whole milliseconds apart, 0.25 ms of rounding either way).
  EXPECT_FALSE(lc::PlayReplacesPlaylist(false, 1000.0 / 86400000.0, 0.0));
  // While a movie opens, always appended.
  EXPECT_FALSE(lc::PlayReplacesPlaylist(true, day + 5000 * ms, day));
}

}  // namespace
