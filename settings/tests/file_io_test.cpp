#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/file_io.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::U8;
using testing::WriteBytes;
namespace fs = std::filesystem;

std::string g_lastTemporary;

// A replace step that fails and remembers the temporary file it was given,
// so the test learns the name an interrupted save leaves behind.
bool RecordAndFail(const std::string& source, const std::string&) {
  g_lastTemporary = source;
  return false;
}

// Writes a file whose last write lies `ageSeconds` in the past.
void WriteAged(const std::string& path, int ageSeconds) {
  WriteBytes(path, "x");
  fs::last_write_time(U8(path), fs::file_time_type::clock::now() - std::chrono::seconds(ageSeconds));
}

TEST(SweepTemporaryFiles, DeletesOnlyOldLeftoversOfTheGivenFile) {
  ScratchFolder dir;
  const std::string target = dir.File("Lumacraft.ini");
  WriteBytes(target, "[Configuration]\r\n");
  SetReplaceFileFunction(RecordAndFail);
  EXPECT_FALSE(WriteFileReplacing(target, "new"));
  SetReplaceFileFunction(nullptr);
  ASSERT_FALSE(g_lastTemporary.empty());
  // What a crash between the write and the replace leaves.
  WriteAged(g_lastTemporary, 3600);
  WriteAged(target + ".tmp12-3", 120);
  WriteAged(target + ".tmp9-1", 10);          // a save running elsewhere
  WriteAged(target + ".tmp", 3600);           // not our shape
  WriteAged(target + ".tmpab-1", 3600);
  WriteAged(target + ".tmp1-2x", 3600);
  WriteAged(target + ".tmp-1", 3600);
  WriteAged(dir.File("Other.ini.tmp1-1"), 3600);
  WriteAged(dir.File("Lumacraft.in.tmp1-1"), 3600);

  EXPECT_EQ(SweepTemporaryFiles(target), 2);
  EXPECT_FALSE(fs::exists(U8(g_lastTemporary)));
  EXPECT_FALSE(fs::exists(U8(target + ".tmp12-3")));
  for (const std::string& kept : {target, target + ".tmp9-1", target + ".tmp", target + ".tmpab-1",
                                  target + ".tmp1-2x", target + ".tmp-1", dir.File("Other.ini.tmp1-1"),
                                  dir.File("Lumacraft.in.tmp1-1")}) {
    EXPECT_TRUE(fs::exists(U8(kept))) << kept;
  }
  EXPECT_EQ(SweepTemporaryFiles(target, std::chrono::seconds(0)), 1) << "the young one";
  EXPECT_EQ(SweepTemporaryFiles(dir.File("missing/x.ini")), 0);
  // A leftover a minute old goes; numbers may hold any digit.
  WriteAged(target + ".tmp10-20", 60);
  EXPECT_EQ(SweepTemporaryFiles(target), 1);
  EXPECT_FALSE(fs::exists(U8(target + ".tmp10-20")));
}

// Several files of one folder (and one of another) swept in one call: the
// old leftovers of each go, everything else stays.
TEST(SweepTemporaryFiles, SweepsTheLeftoversOfSeveralFilesAtOnce) {
  ScratchFolder dir;
  fs::create_directory(U8(dir.File("sub")));
  const std::string ini = dir.File("Lumacraft.ini"), list = dir.File("Lumacraft.lpl"),
                    other = dir.File("sub/Presets.EQ");
  WriteAged(ini + ".tmp1-1", 3600);
  WriteAged(list + ".tmp2-2", 3600);
  WriteAged(list + ".tmp3-3", 5);           // a save running elsewhere
  WriteAged(other + ".tmp4-4", 3600);
  WriteAged(dir.File("Lumacraft.rs.tmp5-5"), 3600);  // not asked for
  WriteAged(dir.File("Presets.EQ.tmp6-6"), 3600);    // asked for in sub/ only

  EXPECT_EQ(SweepTemporaryFiles(std::vector<std::string>{ini, list, other, dir.File("missing/x.ini")}), 3);
  for (const std::string& gone : {ini + ".tmp1-1", list + ".tmp2-2", other + ".tmp4-4"})
    EXPECT_FALSE(fs::exists(U8(gone))) << gone;
  for (const std::string& kept : {list + ".tmp3-3", dir.File("Lumacraft.rs.tmp5-5"), dir.File("Presets.EQ.tmp6-6")})
    EXPECT_TRUE(fs::exists(U8(kept))) << kept;
}

// The reader's answers for what it meets in a folder: a file within, at
// and beyond the limit, an empty one, a missing one, and a folder, empty
// and with files in it, whatever limit is given.
TEST(ReadFileBytes, FilesFoldersAndTheLimit) {
  ScratchFolder dir;
  WriteBytes(dir.File("four.txt"), "abcd");
  WriteBytes(dir.File("empty.txt"), "");
  fs::create_directories(U8(dir.File("empty folder")));
  fs::create_directories(U8(dir.File("full folder")));
  WriteBytes(dir.File("full folder/a.txt"), std::string(5000, 'a'));
  const struct {
    const char* name;
    std::uint64_t limit;
    ReadStatus status;
    const char* bytes;
  } cases[] = {
      {"four.txt", 4, ReadStatus::Ok, "abcd"},
      {"four.txt", 3, ReadStatus::TooLarge, ""},
      {"empty.txt", 0, ReadStatus::Ok, ""},
      {"none.txt", 100, ReadStatus::Missing, ""},
      {"empty folder", 0, ReadStatus::Unreadable, ""},
      {"empty folder", 1u << 30, ReadStatus::Unreadable, ""},
      {"full folder", 1, ReadStatus::Unreadable, ""},
      {"full folder", 1u << 30, ReadStatus::Unreadable, ""},
  };
  for (const auto& c : cases) {
    std::string bytes = "left over";
    EXPECT_EQ(ReadFileBytes(dir.File(c.name), c.limit, bytes), c.status) << c.name << " within " << c.limit;
    EXPECT_EQ(bytes, c.bytes) << c.name << " within " << c.limit;
  }
}

}  // namespace
}  // namespace lc::settings
