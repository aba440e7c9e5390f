// The command line's rules: its cases and playlist names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/command_line.h"
#include "playlist/tests/fakes.h"

namespace {

using lc::CommandLineCase;
using Strings = std::vector<std::string>;

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* F : {"C:\\m\\a.avi", "C:\\m\\b.MKV", "C:\\m\\notes.txt", "C:\\m\\list.lpl", "C:\\m\\noext",
                          "C:\\films\\z.avi", "C:\\films\\sub\\A.mkv", "C:\\films\\m.avi", "C:\\films\\.hidden\\h.avi"})
      fs.AddFile(F);
  }
  CommandLineCase Classify(const Strings& Args) { return lc::ClassifyCommandLine(Args, fs); }
  lc::playlist::testing::FakeFileSystem fs;
};

TEST_F(CommandLine, CasesByTheArguments) {
  EXPECT_EQ(Classify({}), CommandLineCase::Nothing);
  EXPECT_EQ(Classify({""}), CommandLineCase::Nothing);
  EXPECT_EQ(Classify({"", "C:\\m\\a.avi"}), CommandLineCase::Nothing);
  EXPECT_EQ(Classify({"/AddFile", "C:\\m\\a.avi"}), CommandLineCase::AddFile);
  EXPECT_EQ(Classify({"/AddFolder", "C:\\films"}), CommandLineCase::AddFolder);
  // The switches are compared exactly, case included.
  EXPECT_EQ(Classify({"/addfile", "C:\\m\\a.avi"}), CommandLineCase::General);
  EXPECT_EQ(Classify({"/AddFile"}), CommandLineCase::Missing);
  EXPECT_EQ(Classify({"C:\\m\\a.avi", "C:\\m\\b.MKV"}), CommandLineCase::General);
  EXPECT_EQ(Classify({"C:\\m\\a.avi"}), CommandLineCase::SingleFile);
  EXPECT_EQ(Classify({"C:\\m\\list.lpl"}), CommandLineCase::SingleFile);
  EXPECT_EQ(Classify({"C:\\films"}), CommandLineCase::General);
  EXPECT_EQ(Classify({"C:\\gone.avi"}), CommandLineCase::Missing);
}

TEST(CommandLineNames, PlaylistFilesEndInLplWhateverTheCase) {
  EXPECT_TRUE(lc::IsPlaylistFileName("C:\\a\\list.lpl"));
  EXPECT_TRUE(lc::IsPlaylistFileName("C:\\a\\LIST.LPL"));
  EXPECT_TRUE(lc::IsPlaylistFileName(".lpl"));
  EXPECT_FALSE(lc::IsPlaylistFileName("C:\\a\\list.lpl.avi"));
  // The first ".lpl" must be the one at the end.
  EXPECT_FALSE(lc::IsPlaylistFileName("C:\\x.lpl\\list.lpl"));
  EXPECT_FALSE(lc::IsPlaylistFileName("C:\\a\\list.lp"));
  EXPECT_FALSE(lc::IsPlaylistFileName("lpl"));
}

}  // namespace
