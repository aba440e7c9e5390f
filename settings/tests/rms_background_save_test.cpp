// Saves of the remembered settings on the worker, and what one run's
// successive saves write over another player's entries, saved either way.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "settings/file_io.h"
#include "settings/rms_background_save.h"
#include "settings/rms_file.h"
#include "settings/rms_merge.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::LoadedRmsFile;
using testing::ReadBytes;
using testing::WriteBytes;

TRmsEntry Entry(const std::string& name, int pan, double accessed) {
  TRmsEntry e;
  e.Name = name;
  e.PanScan = pan;
  e.LastAccessed = accessed;
  return e;
}

// "name:pan" for each entry of the file, in order.
std::string FileShows(const std::string& file) {
  RmsTable now;
  ParseRmsLines(now, SplitLines(ReadBytes(file)), TRmsEntry{}, nullptr);
  std::string shown;
  for (const TRmsEntry& e : now.entries()) shown += e.Name + ":" + std::to_string(e.PanScan) + " ";
  return shown;
}

// Takes in the save under way once it has ended (Collect); whether one
// was, and written.
bool Taken(RmsBackgroundSave& saves, RmsTable& table, RmsFileState& state) {
  bool written = false;
  while (saves.Busy() && !saves.Collect(table, state, 7, &written)) std::this_thread::yield();
  return written;
}

// A save asked while one is under way is made after it, from the table as
// it stands then: an entry changed and one deleted in between reach the
// file by the second save; the names deleted since the first was asked are
// kept for the second, which forgets them.
TEST(RmsBackgroundSave, ASaveAskedWhileOneRunsFollowsItWithTheTableAsItStandsThen) {
  LoadedRmsFile loaded("[a.avi]\r\nPanScan=1\r\n[b.avi]\r\nPanScan=2\r\n");
  auto& [dir, file, mine, state] = loaded;
  RmsBackgroundSave saves;
  mine.Store(Entry("c.avi", 3, 5));
  saves.Start(mine, state, file, "", 5);
  mine.Store(Entry("c.avi", 4, 6));
  mine.Remove(static_cast<std::size_t>(mine.Find("a.avi")));
  saves.Start(mine, state, file, "", 6);
  EXPECT_TRUE(saves.Busy());
  EXPECT_TRUE(Taken(saves, mine, state));
  EXPECT_EQ(mine.Deleted(), std::vector<std::string>{"a.avi"});
  EXPECT_TRUE(saves.Busy()) << "the second save runs once the first was taken in";
  EXPECT_TRUE(Taken(saves, mine, state));
  EXPECT_FALSE(saves.Busy());
  EXPECT_TRUE(mine.Deleted().empty());
  EXPECT_EQ(FileShows(file), "b.avi:2 c.avi:4 ");
  EXPECT_FALSE(RmsChangedSince(mine, state.Synced));
  // The closing waits for the save under way and makes the one asked
  // meanwhile itself.
  mine.Store(Entry("d.avi", 5, 9));
  saves.Start(mine, state, file, "", 9);
  saves.Start(mine, state, file, "", 9);
  saves.Finish(mine, state);
  EXPECT_FALSE(saves.Busy());
  EXPECT_EQ(FileShows(file), "b.avi:2 c.avi:4 d.avi:5 ");
}

// One run saves twice; between its saves another player stored a newer
// copy of an entry the first save wrote, then stored again an entry the
// first save deleted. The second save (of another change) keeps both of
// the other player's entries: what the first save wrote is this run's
// record of what it saved. The same whether the saves run on the calling
// thread or on the worker.
TEST(RmsBackgroundSave, ASecondSaveKeepsWhatAnotherPlayerStoredAfterTheFirst) {
  using Save = std::function<void(RmsTable&, const std::string&, RmsFileState&, double)>;
  const struct {
    const char* way;
    Save save;
  } ways[] = {
      {"on the calling thread",
       [](RmsTable& t, const std::string& file, RmsFileState& s, double now) {
         EXPECT_TRUE(RmsSaveToHdd(t, file, "", s, now));
       }},
      {"on the worker",
       [](RmsTable& t, const std::string& file, RmsFileState& s, double now) {
         RmsBackgroundSave saves;
         saves.Start(t, s, file, "", now);
         saves.Finish(t, s);
       }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.way);
    LoadedRmsFile loaded("[a.avi]\r\nPanScan=1\r\n[gone.avi]\r\nPanScan=2\r\n");
    auto& [dir, file, mine, state] = loaded;
    mine.Store(Entry("a.avi", 5, 10));
    mine.Remove(static_cast<std::size_t>(mine.Find("gone.avi")));
    w.save(mine, file, state, 10);
    ASSERT_EQ(FileShows(file), "a.avi:5 ");
    // The other player, later.
    WriteBytes(file, "[a.avi]\r\nPanScan=9\r\n[gone.avi]\r\nPanScan=7\r\n");
    mine.Store(Entry("new.avi", 3, 12));
    w.save(mine, file, state, 12);
    EXPECT_EQ(FileShows(file), "a.avi:9 gone.avi:7 new.avi:3 ");
  }
}

// Another player's save as this one's lock finds it: let go at once, or
// held past the wait (the lock gives up); and how many waits were made.
std::atomic<int> g_waits{0};
std::atomic<bool> g_othersSaveHung{false};
void* WaitForOthersSave(const std::string&) {
  ++g_waits;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  static char held;
  return g_othersSaveHung ? nullptr : &held;
}
void LetGo(void*) {}

// The close's save while another player's save holds the file: it waits
// for it once, whether the wait is its own or that of a save under way on
// the worker, and when that wait runs out it writes nothing and says why.
// A save under way that got the lock is followed by the close's own.
TEST(RmsBackgroundSave, TheCloseWaitsForAnotherPlayersSaveOnce) {
  const struct {
    const char* what;
    bool underWay, hung;
    int waits;
    bool saved;
    const char* shows;
  } cases[] = {
      {"a save under way finds it held", true, true, 1, false, "a.avi:1 "},
      {"the close's own save finds it held", false, true, 1, false, "a.avi:1 "},
      {"a save under way gets it", true, false, 2, true, "a.avi:1 b.avi:2 c.avi:3 "},
      {"the close's own save gets it", false, false, 1, true, "a.avi:1 c.avi:3 "},
  };
  const FileSteps before = CurrentFileSteps();
  SetFileSteps({.lockSave = &WaitForOthersSave, .unlockSave = &LetGo});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    LoadedRmsFile loaded("[a.avi]\r\nPanScan=1\r\n");
    auto& [dir, file, mine, state] = loaded;
    g_othersSaveHung = c.hung;
    g_waits = 0;
    RmsBackgroundSave saves;
    if (c.underWay) {
      mine.Store(Entry("b.avi", 2, 5));
      saves.Start(mine, state, file, "", 5);
    }
    mine.Store(Entry("c.avi", 3, 6));
    EXPECT_EQ(saves.FinishAndSave(mine, state, file, "", 6), c.saved);
    EXPECT_EQ(state.HeldByAnother, c.hung);
    EXPECT_EQ(g_waits, c.waits);
    EXPECT_EQ(FileShows(file), c.shows);
  }
  SetFileSteps(before);
}

}  // namespace
}  // namespace lc::settings
