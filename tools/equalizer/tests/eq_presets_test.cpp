// The presets file's reading rules, the dialog's list and the file's
// safety: a damaged file is never written over, but set aside.
#include "tools/equalizer/eq_presets.h"

#include <gtest/gtest.h>

#include "settings/file_io.h"
#include "tests/support/scratch.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace lc::tools {
namespace {

TEqPreset Values(std::initializer_list<int> V) {
  TEqPreset P{};
  int I = 0;
  for (int X : V) P[I++] = static_cast<std::int8_t>(X);
  return P;
}

TEST(EqRules, LabelsAndAmplifierVolumes) {
  EXPECT_EQ(20, EqLabelValue(-100));
  EXPECT_EQ(-20, EqLabelValue(100));
  EXPECT_EQ(0, EqLabelValue(0));
  EXPECT_EQ(-2, EqLabelValue(12));
  EXPECT_EQ(3, EqLabelValue(-13));
  EXPECT_EQ(100000, PreampVolume(-100));
  EXPECT_EQ(1000, PreampVolume(100));
  EXPECT_EQ(10000, PreampVolume(0));
  EXPECT_EQ(5623, PreampVolume(25));
  EXPECT_EQ(-100, PreampPositionFromVolume(100000));
  EXPECT_EQ(25, PreampPositionFromVolume(5623));
  EXPECT_EQ(0, PreampPositionFromVolume(0));
  EXPECT_EQ(0, PreampPositionFromVolume(-5));
  EXPECT_EQ(400, PreampPositionFromVolume(1));  // the smallest volume above none
}

TEST(EqPresetLines, TokensAreReadAsThePresetsFileSays) {
  auto P = ParsePresetLines({"Rock=10,20", "=1,2", "no equals", "A=b=1", "Loud=150,-300,x",
                             "P=1, 2", "Many=1,2,3,4,5,6,7,8,9,10,11,12,13,14", "Bad=1-2,--5,7"});
  ASSERT_EQ(6u, P.size());
  EXPECT_EQ("Rock", P[0].Name);
  EXPECT_EQ(Values({10, 20}), P[0].Values);
  EXPECT_EQ("A", P[1].Name);
  // "b" and "=" each end an empty token.
  EXPECT_EQ(Values({0, 0, 1}), P[1].Values);
  EXPECT_EQ(Values({100, -100}), P[2].Values);
  EXPECT_EQ(Values({1, 0, 2}), P[3].Values);
  EXPECT_EQ(Values({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}), P[4].Values);
  EXPECT_EQ(Values({0, 0, 7}), P[5].Values);
}

TEST(EqPresetLines, NamesAreNotTrimmedAndHugeNumbersClamp) {
  auto P = ParsePresetLines({" x =99999999999999999999,-99999999999999999999"});
  ASSERT_EQ(1u, P.size());
  EXPECT_EQ(" x ", P[0].Name);
  EXPECT_EQ(Values({100, -100}), P[0].Values);
}

TEST(EqPresetLines, WritingGivesTheFileFormat) {
  EXPECT_EQ("Pop=-5,0,1,2,3,4,5,6,7,8,100\r\nFlat=0,0,0,0,0,0,0,0,0,0,0\r\n",
            FormatPresetLines({{"Pop", Values({-5, 0, 1, 2, 3, 4, 5, 6, 7, 8, 100})}, {"Flat", {}}}));
}

TEST(PresetList, DefaultEntrySavesAndDeletes) {
  TPresetList L("Default");
  ASSERT_EQ(1, L.Count());
  EXPECT_EQ("(Default)", L.Entry(0).Name);
  EXPECT_EQ(-1, L.Delete(0));
  EXPECT_EQ(1, L.SaveAs("A", Values({1})));
  EXPECT_EQ(2, L.SaveAs("B", Values({2})));
  // The same name overwrites in place; the default's caption makes a new entry.
  EXPECT_EQ(1, L.SaveAs("A", Values({3})));
  EXPECT_EQ(Values({3}), L.Entry(1).Values);
  EXPECT_EQ(3, L.SaveAs("(Default)", Values({4})));
  EXPECT_EQ(4, L.Count());
  EXPECT_EQ(-1, L.SaveAs("", Values({5})));
  EXPECT_EQ(-1, L.SaveAs("x=y", Values({5})));
  EXPECT_EQ(-1, L.SaveAs("line\nbreak", Values({5})));
  EXPECT_EQ(4, L.Count());
  // The default entry and places beyond the list are never deleted.
  EXPECT_EQ(-1, L.Delete(0));
  EXPECT_EQ(-1, L.Delete(4));
  EXPECT_EQ(4, L.Count());
  EXPECT_EQ("(Default)", L.Entry(0).Name);
  // Deleting the last selects the new last; the only user preset left
  // selects the default.
  EXPECT_EQ(2, L.Delete(3));
  EXPECT_EQ(1, L.Delete(1));
  EXPECT_EQ("B", L.Entry(1).Name);
  EXPECT_EQ(0, L.Delete(1));
  EXPECT_EQ(1, L.Count());
  EXPECT_TRUE(L.Changed());
}

class PresetsFile : public ::testing::Test {
 protected:
  void Write(const std::string& Bytes) { lctest::WriteBytes(Path, Bytes); }
  std::string Read() { return lctest::ReadBytes(Path); }
  lctest::ScratchFolder Scratch;
  const std::string Path = Scratch.File("Presets.EQ");
};

// What a file holds decides how it is read: presets as the file writes
// them (fewer values, blank lines too) are read whole; lines the reader
// takes but not as they stand make it read in part; bytes that are no
// text, or text without a preset, are no presets file.
TEST_F(PresetsFile, TheReaderTellsWholePartAndDamage) {
  std::mt19937 Random(53);
  std::string Noise(2048, '\0');
  for (char& C : Noise) C = static_cast<char>(Random());
  ASSERT_NE(Noise.find('=', 1), std::string::npos);  // the reader would take "presets" from it
  const struct {
    const char* What;
    std::string Text;
    TPresetsFileState State;
    int Count;
  } Cases[] = {
      {"eleven values", "Rock=10,20,-100,0,0,0,0,0,0,0,100\r\n", TPresetsFileState::Loaded, 2},
      {"fewer values, a blank line", "Rock=10,20\r\n\r\nJazz=-5", TPresetsFileState::Loaded, 3},
      {"nothing", "", TPresetsFileState::Loaded, 1},
      {"a comment", "; mine\r\nRock=1\r\n", TPresetsFileState::PartlyRead, 2},
      {"a line without \"=\"", "Rock=1\r\nbroken line\r\n", TPresetsFileState::PartlyRead, 2},
      {"a line starting with \"=\"", "=1,2\r\nRock=1\r\n", TPresetsFileState::PartlyRead, 2},
      {"values out of range", "Loud=150,-300\r\n", TPresetsFileState::PartlyRead, 2},
      {"a value that is no number", "Rock=1,x,2\r\n", TPresetsFileState::PartlyRead, 2},
      {"blanks between values", "P=1, 2\r\n", TPresetsFileState::PartlyRead, 2},
      {"no values", "P=\r\n", TPresetsFileState::PartlyRead, 2},
      {"twelve values", "P=1,2,3,4,5,6,7,8,9,10,11,12\r\n", TPresetsFileState::PartlyRead, 2},
      {"random bytes", Noise, TPresetsFileState::Damaged, 1},
      {"a control character", "Rock=1\r\n\x1A", TPresetsFileState::Damaged, 1},
      {"text without a preset", "just words\r\n", TPresetsFileState::Damaged, 1},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    Write(C.Text);
    TPresetList L("Default");
    EXPECT_EQ(C.State, LoadPresetsFile(Path, L));
    EXPECT_EQ(C.Count, L.Count());
  }
}

// Opening and closing the dialog writes nothing, whatever the file held;
// a changed list is written, a file read in part first set aside byte for
// byte.
TEST_F(PresetsFile, OnlyAChangedListIsWrittenAndAFileReadInPartIsSetAsideFirst) {
  const std::string Whole = "Rock=10,20\r\n";
  const std::string Part = "; my presets\r\nRock=10,20,0,0,0,0,0,0,0,0,0\r\nbroken line\r\nLoud=150\r\n";
  for (const std::string& Bytes : {Whole, Part}) {
    Write(Bytes);
    TPresetList L("Default");
    TPresetsFileState State = LoadPresetsFile(Path, L);
    EXPECT_TRUE(SavePresetsFile(Path, L, State));
    EXPECT_EQ(Bytes, Read());
  }
  TPresetList Unread("Default");
  TPresetsFileState None = LoadPresetsFile(Scratch.File("none.EQ"), Unread);
  EXPECT_TRUE(SavePresetsFile(Scratch.File("none.EQ"), Unread, None));
  EXPECT_FALSE(std::filesystem::exists(Scratch.path() / "none.EQ"));

  TPresetList L("Default");
  TPresetsFileState State = LoadPresetsFile(Path, L);
  ASSERT_EQ(TPresetsFileState::PartlyRead, State);
  L.SaveAs("Jazz", Values({-1, -2}));
  EXPECT_TRUE(SavePresetsFile(Path, L, State));
  EXPECT_EQ(TPresetsFileState::SetAside, State);
  EXPECT_EQ(Part, lctest::ReadBytes(Path + ".bad"));
  EXPECT_EQ("Rock=10,20,0,0,0,0,0,0,0,0,0\r\nLoud=100,0,0,0,0,0,0,0,0,0,0\r\nJazz=-1,-2,0,0,0,0,0,0,0,0,0\r\n",
            Read());
  // The file it wrote is read whole.
  EXPECT_EQ(TPresetsFileState::Loaded, LoadPresetsFile(Path, L));
}

// A write-protected file is not written over: the save fails and the file
// stays.
TEST_F(PresetsFile, AProtectedFileFailsTheSaveAndStays) {
  Write("Rock=1\r\n");
  std::filesystem::permissions(Path, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
  TPresetList L("Default");
  TPresetsFileState State = LoadPresetsFile(Path, L);
  L.SaveAs("Mine", Values({5}));
  EXPECT_FALSE(SavePresetsFile(Path, L, State));
  EXPECT_EQ("Rock=1\r\n", Read());
  std::filesystem::permissions(Path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

// A folder that cannot be made (a file stands in its way) fails the save.
TEST_F(PresetsFile, AFolderThatCannotBeMadeFailsTheSave) {
  Write("Rock=1\r\n");
  const std::string Beneath = (std::filesystem::path(Path) / "new" / "Presets.EQ").string();
  TPresetList L("Default");
  TPresetsFileState State = TPresetsFileState::Missing;
  L.SaveAs("Mine", Values({5}));
  EXPECT_FALSE(SavePresetsFile(Beneath, L, State));
  EXPECT_EQ("Rock=1\r\n", Read());
}

TEST_F(PresetsFile, MissingFileGivesTheDefaultAloneAndIsCreatedInANewFolder) {
  TPresetList L("Default");
  const std::string Nested = (Scratch.path() / "new" / "Presets.EQ").string();
  TPresetsFileState State = LoadPresetsFile(Nested, L);
  EXPECT_EQ(TPresetsFileState::Missing, State);
  EXPECT_EQ(1, L.Count());
  L.SaveAs("Mine", Values({-100}));
  EXPECT_TRUE(SavePresetsFile(Nested, L, State));
  std::ifstream In(Nested, std::ios::binary);
  std::string Line;
  std::getline(In, Line);
  EXPECT_EQ("Mine=-100,0,0,0,0,0,0,0,0,0,0\r", Line);
}

// A damaged file stays while nothing changes; the first save of a changed
// list keeps a copy of it, byte for byte, under a name of its own (an older
// copy stays), and writes the list in its place.
TEST_F(PresetsFile, DamagedFileIsOfferedAsEmptyAndNeverWrittenOver) {
  const std::string Garbage("\x01\x02 binary \x7f\xfe no presets here\r\n");
  const std::string Utf16("\xFF\xFER\0o\0c\0k\0=\0" "1\0\r\0\n\0", 18);
  for (const std::string& Bytes : {Garbage, Utf16}) {
    Write(Bytes);
    lctest::WriteBytes(Path + ".bad", "an older copy");
    std::remove((Path + ".2.bad").c_str());
    TPresetList L("Default");
    TPresetsFileState State = LoadPresetsFile(Path, L);
    EXPECT_EQ(TPresetsFileState::Damaged, State);
    EXPECT_EQ(1, L.Count());
    EXPECT_TRUE(SavePresetsFile(Path, L, State));  // nothing to write
    EXPECT_EQ(Bytes, Read());
    L.SaveAs("New", Values({1}));
    EXPECT_TRUE(SavePresetsFile(Path, L, State));
    EXPECT_EQ(TPresetsFileState::SetAside, State);
    EXPECT_EQ("New=1,0,0,0,0,0,0,0,0,0,0\r\n", Read());
    EXPECT_EQ(Bytes, lctest::ReadBytes(Path + ".2.bad"));
    EXPECT_EQ("an older copy", lctest::ReadBytes(Path + ".bad"));
  }
}

// A file not read whole whose copy could not be kept (the disk refused
// the copy its name): the save of a changed list fails, and the file stays
// as it was, still to be kept aside by the next save.
TEST_F(PresetsFile, AFileThatCannotBeKeptAsideFailsTheSaveAndStays) {
  const std::string Damaged = "\x01\x02 no presets here\r\n", ReadInPart = "; mine\r\nRock=1\r\n";
  for (const std::string& Bytes : {Damaged, ReadInPart}) {
    SCOPED_TRACE(Bytes);
    Write(Bytes);
    TPresetList L("Default");
    TPresetsFileState State = LoadPresetsFile(Path, L);
    const TPresetsFileState ReadAs = State;
    L.SaveAs("New", Values({1}));
    settings::SetFileSteps({.renameNew = [](const std::string&, const std::string&) { return false; }});
    settings::KeptCopy Kept;
    const bool Saved = SavePresetsFile(Path, L, State, &Kept);
    settings::SetFileSteps({});
    EXPECT_FALSE(Saved);
    EXPECT_EQ(settings::KeptCopy::Outcome::NoCopy, Kept.outcome);
    EXPECT_EQ(ReadAs, State);
    EXPECT_EQ(Bytes, Read());
    EXPECT_FALSE(std::filesystem::exists(Path + ".bad"));
  }
}

// A name the code page cannot spell ("Ωmega") makes the file UTF-8 behind
// its mark; both forms read back.
TEST_F(PresetsFile, NamesOutsideTheCodePageAreKept) {
  TPresetList L("Default");
  TPresetsFileState State = LoadPresetsFile(Path, L);
  L.SaveAs("Caf\xC3\xA9", Values({2}));
  L.SaveAs("\xCE\xA9mega", Values({-3}));
  ASSERT_TRUE(SavePresetsFile(Path, L, State));
  EXPECT_EQ("\xEF\xBB\xBF" "Caf\xC3\xA9=2,0,0,0,0,0,0,0,0,0,0\r\n\xCE\xA9mega=-3,0,0,0,0,0,0,0,0,0,0\r\n", Read());
  TPresetList Back("Default");
  EXPECT_EQ(TPresetsFileState::Loaded, LoadPresetsFile(Path, Back));
  ASSERT_EQ(3, Back.Count());
  EXPECT_EQ("\xCE\xA9mega", Back.Entry(2).Name);
  Write("Caf\xE9=4\r\n");
  EXPECT_EQ(TPresetsFileState::Loaded, LoadPresetsFile(Path, Back));
  EXPECT_EQ("Caf\xC3\xA9", Back.Entry(1).Name);
}

TEST_F(PresetsFile, EmptyFileMeansNoPresets) {
  Write("");
  TPresetList L("Default");
  EXPECT_EQ(TPresetsFileState::Loaded, LoadPresetsFile(Path, L));
  EXPECT_EQ(1, L.Count());
}

}  // namespace
}  // namespace lc::tools
