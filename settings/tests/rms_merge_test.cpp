// Several players saving one remembered-settings file: what each save
// keeps of the others' entries.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/file_io.h"
#include "settings/rms_file.h"
#include "settings/rms_merge.h"
#include "settings/tests/test_support.h"
#include "settings/unread_file.h"

namespace lc::settings {
namespace {

using testing::LoadedRmsFile;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

TRmsEntry Entry(const std::string& name, int pan, double accessed = 1) {
  TRmsEntry e;
  e.Name = name;
  e.PanScan = pan;
  e.LastAccessed = accessed;
  return e;
}

RmsTable TableOf(const std::vector<TRmsEntry>& entries) {
  RmsTable t;
  for (const TRmsEntry& e : entries) t.Append(e);
  return t;
}

// "name:pan" for each entry, in order.
std::vector<std::string> Shown(const std::vector<TRmsEntry>& entries) {
  std::vector<std::string> shown;
  for (const TRmsEntry& e : entries) shown.push_back(e.Name + ":" + std::to_string(e.PanScan));
  return shown;
}

// This run read a:1 and b:2; then it acts on its table, another player
// wrote the file as `theirs` meanwhile, and the save writes `expected`.
TEST(MergeRms, ThisRunsChangesOverWhatTheFileHoldsNow) {
  const struct {
    const char* what;
    std::function<void(RmsTable&)> act;
    std::vector<TRmsEntry> theirs;
    bool whole;
    std::vector<std::string> expected;
  } cases[] = {
      {"nothing changed here: the file as it is", [](RmsTable&) {},
       {Entry("b", 7), Entry("c", 3)}, true, {"b:7", "c:3"}},
      {"an entry changed here wins over theirs", [](RmsTable& t) { t.Store(Entry("A", 5, 2)); },
       {Entry("a", 9), Entry("b", 2)}, true, {"A:5", "b:2"}},
      {"a new entry comes after the file's", [](RmsTable& t) { t.Store(Entry("x", 4, 2)); },
       {Entry("a", 1), Entry("b", 2), Entry("y", 6)}, true, {"a:1", "b:2", "y:6", "x:4"}},
      {"an entry deleted here stays deleted", [](RmsTable& t) { t.Remove(1); },
       {Entry("a", 1), Entry("b", 8)}, true, {"a:1"}},
      {"deleted, then stored again", [](RmsTable& t) { t.Clear(); t.Store(Entry("b", 5, 2)); },
       {Entry("a", 1), Entry("b", 8), Entry("c", 3)}, true, {"b:5", "c:3"}},
      {"deleted by the other player", [](RmsTable&) {}, {Entry("a", 1)}, true, {"a:1"}},
      {"the file lost entries to damage", [](RmsTable& t) { t.Store(Entry("x", 4, 2)); },
       {Entry("b", 7)}, false, {"b:7", "a:1", "x:4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RmsTable mine = TableOf({Entry("a", 1), Entry("b", 2)});
    const RmsTable synced = mine;
    c.act(mine);
    EXPECT_EQ(Shown(MergeRms(mine, synced, TableOf(c.theirs), c.whole)), c.expected);
  }
}

// A file that stays (a folder in its place) keeps this run's changes out:
// there is something it could not save only when this run changed or
// deleted an entry it had read, or added one.
TEST(MergeRms, WhatThisRunChangedSinceItsLastSave) {
  const struct {
    const char* what;
    std::function<void(RmsTable&)> act;
    bool changed;
  } cases[] = {
      {"nothing", [](RmsTable&) {}, false},
      {"an entry stored again as it was", [](RmsTable& t) { t.Store(Entry("a", 1)); }, false},
      {"an entry changed", [](RmsTable& t) { t.Store(Entry("a", 5)); }, true},
      {"an entry added", [](RmsTable& t) { t.Store(Entry("x", 1)); }, true},
      {"an entry deleted", [](RmsTable& t) { t.Remove(0); }, true},
      {"all deleted", [](RmsTable& t) { t.Clear(); }, true},
      {"an entry added, then deleted", [](RmsTable& t) { t.Store(Entry("x", 1)); t.Remove(2); }, false},
  };
  for (const auto& c : cases) {
    RmsTable mine = TableOf({Entry("a", 1), Entry("b", 2)});
    const RmsTable synced = mine;
    c.act(mine);
    EXPECT_EQ(RmsChangedSince(mine, synced), c.changed) << c.what;
  }
}

// The file grows beyond 200 entries only as far as it held more already:
// past that, the least recently accessed entry (the first of equally old
// ones) makes room for each new one, wherever the oldest are listed.
TEST(MergeRms, NewEntriesReplaceTheLeastRecentlyAccessedBeyondTheLimit) {
  const struct {
    std::size_t inFile, newHere;
    std::size_t kept;
    std::size_t oldestFrom;  // the oldest are this entry and every 50th after it
  } cases[] = {{199, 1, 200, 0}, {199, 3, 200, 0}, {200, 1, 200, 0}, {300, 2, 300, 0}, {10, 5, 15, 0},
               {200, 1, 200, 1}, {199, 3, 200, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.inFile) + " + " + std::to_string(c.newHere) + ", oldest from " +
                 std::to_string(c.oldestFrom));
    std::vector<TRmsEntry> theirs;
    // The oldest are accessed at 1, the others at 2.
    const auto name = [](std::size_t i) { return std::string("m").append(std::to_string(i)); };
    for (std::size_t i = 0; i < c.inFile; ++i) theirs.push_back(Entry(name(i), 0, i % 50 == c.oldestFrom ? 1 : 2));
    RmsTable mine;
    for (std::size_t i = 0; i < c.newHere; ++i) mine.Store(Entry("new" + std::to_string(i), 0, 3));
    const RmsTable merged = TableOf(MergeRms(mine, RmsTable{}, TableOf(theirs), true));
    ASSERT_EQ(merged.size(), c.kept);
    EXPECT_EQ(merged[merged.size() - 1].Name, "new" + std::to_string(c.newHere - 1));
    // The oldest go in the order they are listed; the next oldest stays.
    const std::size_t dropped = c.inFile + c.newHere - c.kept;
    for (std::size_t k = 0; k < dropped; ++k) EXPECT_EQ(merged.Find(name(50 * k + c.oldestFrom)), -1) << k;
    if (c.inFile > 50 * dropped + c.oldestFrom) {
      EXPECT_GE(merged.Find(name(50 * dropped + c.oldestFrom)), 0);
    }
  }
}

// Two players read the same file at their start; each plays a movie of
// its own and saves, one deletes an entry: the file ends with both movies
// and without the deleted entry, whichever saves last.
TEST(RmsSave, TwoPlayersKeepEachOthersEntries) {
  ScratchFolder dir;
  const std::string file = dir.File("x.rs");
  // A font this machine does not have is kept as the file names it.
  WriteBytes(file, "[old.avi]\r\nPanScan=1\r\nSubtitleFontName=Not Here\r\n[gone.avi]\r\nPanScan=2\r\n");
  RmsTable first, second;
  RmsFileState firstState, secondState;
  RmsLoadFromHdd(first, file, TRmsEntry{}, nullptr, firstState);
  RmsLoadFromHdd(second, file, TRmsEntry{}, nullptr, secondState);
  first.Store(Entry("a.avi", 11, 10));
  ASSERT_TRUE(RmsSaveToHdd(first, file, "", firstState, 10));
  second.Store(Entry("b.avi", 22, 11));
  second.Remove(static_cast<std::size_t>(second.Find("gone.avi")));
  ASSERT_TRUE(RmsSaveToHdd(second, file, "", secondState, 11));
  first.Store(Entry("a.avi", 12, 12));
  ASSERT_TRUE(RmsSaveToHdd(first, file, "", firstState, 12));
  RmsTable now;
  ParseRmsLines(now, SplitLines(ReadBytes(file)), TRmsEntry{}, nullptr);
  EXPECT_EQ(Shown(now.entries()), (std::vector<std::string>{"old.avi:1", "a.avi:12", "b.avi:22"}));
  EXPECT_NE(ReadBytes(file).find("\r\nSubtitleFontName=Not Here\r\n"), std::string::npos);

  // Deleting every entry deletes the file once no other player's is left.
  first.Clear();
  second.Clear();
  ASSERT_TRUE(RmsSaveToHdd(first, file, "", firstState, 13));
  EXPECT_TRUE(FileExists(file));  // b.avi is the second player's
  ASSERT_TRUE(RmsSaveToHdd(second, file, "", secondState, 14));
  EXPECT_FALSE(FileExists(file));
}

// A file damaged since this run read it is not written until a copy of it
// is kept aside (and the user told); the save then keeps what could be
// read of it. The same damage found again by the next saves is no news.
TEST(RmsSave, AFileDamagedMeanwhileIsKeptAsideBeforeItIsWritten) {
  LoadedRmsFile loaded("[a.avi]\r\nPanScan=1\r\n");
  auto& [dir, file, mine, state] = loaded;
  const std::string damaged = "[b.avi]\r\nPanScan=2\r\n" + std::string(20, '\0') + "\r\n[c.avi\r\nPanScan=3\r\n";
  WriteBytes(file, damaged);
  mine.Store(Entry("x.avi", 4, 2));
  EXPECT_TRUE(RmsSaveToHdd(mine, file, "", state, 2));
  EXPECT_TRUE(state.DamageFound);
  EXPECT_EQ(state.Unread, UnreadFile::NotTold);
  EXPECT_EQ(ReadBytes(file), damaged);
  EXPECT_TRUE(RmsSaveToHdd(mine, file, "", state, 3));  // not told yet
  EXPECT_EQ(ReadBytes(file), damaged);

  std::string told;
  state.Unread = KeepAsideAndTell(TextTable{}, file, told);
  ASSERT_EQ(state.Unread, UnreadFile::None);
  EXPECT_TRUE(RmsSaveToHdd(mine, file, "", state, 4));
  EXPECT_EQ(ReadBytes(file + ".bad"), damaged);
  RmsTable now;
  EXPECT_TRUE(ParseRmsLines(now, SplitLines(ReadBytes(file)), TRmsEntry{}, nullptr));
  EXPECT_EQ(Shown(now.entries()), (std::vector<std::string>{"b.avi:2", "a.avi:1", "x.avi:4"}));
}

}  // namespace
}  // namespace lc::settings
