#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "settings/file_io.h"
#include "settings/rms_file.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_table.h"
#include "settings/unread_file.h"

namespace lc::settings {
namespace {

using testing::FakeHost;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::U8;
using testing::WriteBytes;
namespace fs = std::filesystem;
using Outcome = KeptCopy::Outcome;

// The files of a folder by name, with their bytes.
using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const fs::path& folder) {
  Snapshot files;
  for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
    const std::u8string name = e.path().filename().u8string(), path = e.path().u8string();
    files[std::string(name.begin(), name.end())] =
        e.is_regular_file() ? ReadBytes(std::string(path.begin(), path.end())) : "<folder>";
  }
  return files;
}

// A file name with the digits of a temporary file left out.
std::string Shape(const std::string& path) {
  std::string name = path.substr(path.find_last_of("\\/") + 1);
  const std::size_t tmp = name.find(".tmp");
  return tmp == std::string::npos ? name : name.substr(0, tmp + 4);
}

// Steps that record themselves (the file names' shapes) and the folder as
// it is just before each: what a cut at that instant leaves on the disk.
struct Recorder {
  static inline fs::path folder;
  static inline std::vector<std::string> steps;
  static inline std::vector<Snapshot> before;

  static bool Replace(const std::string& source, const std::string& target) {
    Note("replace " + Shape(source) + " " + Shape(target));
    return PortableFileSteps().replace(source, target);
  }
  static bool RenameNew(const std::string& source, const std::string& target) {
    Note("renameNew " + Shape(source) + " " + Shape(target));
    return PortableFileSteps().renameNew(source, target);
  }
  static bool Flush(const std::string& path) {
    Note("flush " + Shape(path));
    return PortableFileSteps().flush(path);
  }
  static void Note(const std::string& step) {
    before.push_back(Take(folder));
    steps.push_back(step);
  }

  explicit Recorder(const ScratchFolder& dir) {
    folder = dir.path();
    steps.clear();
    before.clear();
    SetFileSteps({&Replace, &RenameNew, &Flush});
  }
  ~Recorder() { SetFileSteps({}); }
};

using Steps = std::vector<std::string>;

// Each damage of the file gets a copy of its own: the same bytes again
// take the copy kept before, other bytes the next free name; a copy is
// never replaced, and the file itself stays where it is.
TEST(KeepUnreadFile, EveryDamageKeepsACopyOfItsOwn) {
  ScratchFolder dir;
  const std::string file = dir.File("x.ini");
  const struct {
    const char* bytes;
    const char* copy;
  } runs[] = {
      {"first", "x.ini.bad"},   {"first", "x.ini.bad"},    {"second", "x.ini.2.bad"},
      {"third", "x.ini.4.bad"},  // x.ini.3.bad is the user's own
      {"first", "x.ini.bad"},   {"", "x.ini.5.bad"},
  };
  WriteBytes(dir.File("x.ini.3.bad"), "the user's");
  for (const auto& run : runs) {
    SCOPED_TRACE(run.bytes);
    WriteBytes(file, run.bytes);
    EXPECT_EQ(AsideNameFor(file), dir.File(run.copy));
    const KeptCopy kept = KeepUnreadFile(file);
    EXPECT_EQ(kept.outcome, Outcome::Copied);
    EXPECT_EQ(kept.name, run.copy);
    EXPECT_EQ(StateAfterKeeping(kept), UnreadFile::None);
    EXPECT_EQ(ReadBytes(file), run.bytes);
    EXPECT_EQ(ReadBytes(dir.File(run.copy)), run.bytes);
  }
  EXPECT_EQ(Take(dir.path()), (Snapshot{{"x.ini", ""},
                                        {"x.ini.bad", "first"},
                                        {"x.ini.2.bad", "second"},
                                        {"x.ini.3.bad", "the user's"},
                                        {"x.ini.4.bad", "third"},
                                        {"x.ini.5.bad", ""}}));
}

// A folder is never copied or moved, a file that is gone needs nothing, and
// a copy that cannot be made leaves no trace: the file stays, and its saves
// never write over it.
TEST(KeepUnreadFile, WhatCannotBeCopiedStays) {
  ScratchFolder dir;
  ASSERT_TRUE(CreateFolders(dir.File("x.rs")));
  const KeptCopy folder = KeepUnreadFile(dir.File("x.rs"));
  EXPECT_EQ(folder.outcome, Outcome::Folder);
  EXPECT_EQ(StateAfterKeeping(folder), UnreadFile::Stays);

  const KeptCopy gone = KeepUnreadFile(dir.File("gone.ini"));
  EXPECT_EQ(gone.outcome, Outcome::Gone);
  EXPECT_EQ(StateAfterKeeping(gone), UnreadFile::None);

  WriteBytes(dir.File("x.lpl"), "damaged");
  SetFileSteps({.renameNew = [](const std::string&, const std::string&) { return false; }});
  const KeptCopy refused = KeepUnreadFile(dir.File("x.lpl"));
  SetFileSteps({});
  EXPECT_EQ(refused.outcome, Outcome::NoCopy);
  EXPECT_EQ(StateAfterKeeping(refused), UnreadFile::Stays);
  SetFileSteps({.flush = [](const std::string&) { return false; }});
  EXPECT_EQ(KeepUnreadFile(dir.File("x.lpl")).outcome, Outcome::NoCopy);
  SetFileSteps({});
  EXPECT_EQ(Take(dir.path()), (Snapshot{{"x.rs", "<folder>"}, {"x.lpl", "damaged"}}));
}

// The notice says what became of the file: the name of its copy, or why it
// stays as it is.
TEST(UnreadFileMessage, TellsWhatBecameOfTheFile) {
  TextTable texts;
  SetDefaultTexts(texts);
  const std::string path = "C:\\Users\\me\\AppData\\Roaming\\Lumacraft\\Lumacraft.rs";
  const std::string head = "Error reading from \"" + path + "\"!\r\n";
  EXPECT_EQ(UnreadFileMessage(texts, path, {Outcome::Copied, "Lumacraft.rs.2.bad"}),
            head + "It is kept as \"Lumacraft.rs.2.bad\".");
  EXPECT_EQ(UnreadFileMessage(texts, path, {Outcome::Folder, ""}),
            head + "It is a folder: it stays where it is, and nothing is written in its place.");
  EXPECT_EQ(UnreadFileMessage(texts, path, {Outcome::NoCopy, ""}),
            head + "No copy of it could be kept: it stays as it is, and nothing is written in its place.");
  EXPECT_EQ(UnreadFileMessage(texts, path, {Outcome::Gone, ""}), "");
}

// What a notice says will become of a file is what does: a file not read
// is kept aside under the next free name when a preset is saved, a folder
// stays; a close that could not save one file speaks of it, of several of
// them.
TEST(UnreadFileMessage, SaysWhatWillBecomeOfTheFile) {
  TextTable texts;
  SetDefaultTexts(texts);
  ScratchFolder dir;
  const std::string file = dir.File("Presets.EQ"), folder = dir.File("Folder.EQ");
  WriteBytes(file, "\x01\x02");
  WriteBytes(file + ".bad", "an older copy");
  ASSERT_TRUE(CreateFolders(folder));
  EXPECT_EQ(SetAsideMessage(texts, file, 3),
            "Error reading from \"" + file + "\"!\r\nWhen a preset is saved, it is kept as \"Presets.EQ.2.bad\".");
  EXPECT_EQ(SetAsideMessage(texts, folder, 3),
            "Error reading from \"" + folder +
                "\"!\r\nIt is a folder: it stays where it is, and nothing is written in its place.");
  EXPECT_EQ(NotSavedMessage(texts, {{"C:\\Data\\Lumacraft.ini"}}),
            "Can't write in \"Lumacraft.ini\"!\r\n"
            "It is left as it was: what changed in this run could not be saved in it.");
  EXPECT_EQ(NotSavedMessage(texts, {{"C:\\Data\\Lumacraft.rs"}, {"C:\\Data\\Lumacraft.ini"}}),
            "Can't write in \"Lumacraft.rs\"!\r\nCan't write in \"Lumacraft.ini\"!\r\n"
            "They are left as they were: what changed in this run could not be saved in them.");
  EXPECT_EQ(NotSavedMessage(texts, {{"C:\\Data\\Lumacraft.rs", true}, {"C:\\Data\\Lumacraft.ini"}}),
            "Can't write in \"Lumacraft.rs\"!\r\n"
            "Another player was saving it and did not finish within 10 seconds.\r\n"
            "Can't write in \"Lumacraft.ini\"!\r\n"
            "They are left as they were: what changed in this run could not be saved in them.");
}

// Every new file is on the disk before it takes its name: a cut after the
// rename never leaves an empty or partial file there.
TEST(FileSteps, ANewFileIsFlushedBeforeItTakesItsName) {
  ScratchFolder dir;
  const std::string file = dir.File("x.ini");
  Recorder recorder(dir);
  ASSERT_TRUE(WriteFileReplacing(file, "new"));
  EXPECT_EQ(recorder.steps, (Steps{"flush x.ini.tmp", "replace x.ini.tmp x.ini"}));
  recorder.steps.clear();
  ASSERT_EQ(KeepUnreadFile(file).outcome, Outcome::Copied);
  EXPECT_EQ(recorder.steps, (Steps{"flush x.ini.tmp", "renameNew x.ini.tmp x.ini.bad"}));
}

// A damaged file is read, kept aside and replaced by the first save. A cut
// (a kill, a power cut) at any step of that leaves the user's bytes either
// under the file's own name, where the next start reads them and finds
// them damaged again (so the user is told again), or in a copy aside next
// to the new file: never only in a temporary file, never nowhere.
TEST(UnreadFiles, ACutAtAnyStepLeavesTheBytesWhereTheNextStartFindsThem) {
  const std::string damagedRms = "PanScan=50\r\n[kept.avi]\r\nPanScan=9\r\n";
  const std::string damagedIni = "Configuration]\r\nOsdSize=300\r\n";
  FakeHost host;
  const struct {
    const char* name;
    std::string bytes;
    // Reads the file as a start does (true when the user is to be told),
    // keeps it aside and saves; `next` reads the file of a folder again.
    std::function<void(const std::string& file)> run;
    std::function<bool(const std::string& file)> unreadAtNextStart;
  } flows[] = {
      {"x.rs", damagedRms,
       [](const std::string& file) {
         RmsTable table;
         RmsFileState state;
         RmsLoadFromHdd(table, file, TRmsEntry{}, nullptr, state);
         ASSERT_EQ(state.Unread, UnreadFile::NotTold);
         state.Unread = StateAfterKeeping(KeepUnreadFile(file));
         ASSERT_TRUE(RmsSaveToHdd(table, file, "", state, 1));
       },
       [](const std::string& file) {
         RmsTable table;
         RmsFileState state;
         RmsLoadFromHdd(table, file, TRmsEntry{}, nullptr, state);
         return state.Unread == UnreadFile::NotTold;
       }},
      {"x.ini", damagedIni,
       [&host](const std::string& file) {
         SettingsStore s;
         SetDefaultSettings(s, host.screenWidth, host.screenHeight);
         s.ConfigTaken = true;
         LoadSettingsFile(s, host, file);
         ASSERT_EQ(s.ConfigUnread, UnreadFile::NotTold);
         s.ConfigUnread = StateAfterKeeping(KeepUnreadFile(file));
         SaveConfiguration(s, host, file, "", "No change");
         ASSERT_FALSE(s.ConfigWriteError);
       },
       [&host](const std::string& file) {
         SettingsStore s;
         SetDefaultSettings(s, host.screenWidth, host.screenHeight);
         LoadSettingsFile(s, host, file);
         return s.ConfigUnread == UnreadFile::NotTold;
       }},
  };
  for (const auto& flow : flows) {
    SCOPED_TRACE(flow.name);
    ScratchFolder dir;
    WriteBytes(dir.File(flow.name), flow.bytes);
    std::vector<Snapshot> cuts;
    {
      Recorder recorder(dir);
      flow.run(dir.File(flow.name));
      cuts = recorder.before;
      EXPECT_EQ(recorder.steps.size(), 4u);
    }
    cuts.push_back(Take(dir.path()));  // after the last step
    const std::string copy = std::string(flow.name) + ".bad";
    for (std::size_t i = 0; i < cuts.size(); ++i) {
      SCOPED_TRACE("cut before step " + std::to_string(i));
      const Snapshot& left = cuts[i];
      ASSERT_EQ(left.count(flow.name), 1u) << "nothing under the file's own name";
      // The next start, on what the cut left.
      ScratchFolder next;
      for (const auto& [name, bytes] : left) WriteBytes(next.File(name), bytes);
      if (left.at(flow.name) == flow.bytes) {
        EXPECT_TRUE(flow.unreadAtNextStart(next.File(flow.name))) << "the user would not be told";
      } else {
        ASSERT_EQ(left.count(copy), 1u) << "replaced, with no copy aside";
        EXPECT_EQ(left.at(copy), flow.bytes);
        EXPECT_FALSE(flow.unreadAtNextStart(next.File(flow.name)));
      }
    }
    EXPECT_NE(cuts.back().at(flow.name), flow.bytes) << "never replaced";
  }
}

}  // namespace
}  // namespace lc::settings
