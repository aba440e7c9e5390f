// The command line's rules: its cases, playlist names, file names and
// extensions, the folder order and the numbered lines, and the general
// case's gathering of movies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/command_line.h"
#include "player/tests/command_line_fakes.h"

namespace {

using lc::CommandLineCase;
using lc::CommandLineEntry;
using Strings = std::vector<std::string>;

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.Files = {"C:\\m\\a.avi", "C:\\m\\b.MKV", "C:\\m\\notes.txt", "C:\\m\\list.lpl", "C:\\m\\noext"};
    fs.Folders = {"C:\\films"};
  }
  CommandLineCase Classify(const Strings& Args) { return lc::ClassifyCommandLine(Args, fs); }
  lc::testing::FakeFiles fs;
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

TEST(CommandLineNames, ExtensionsAreLowerCasedAfterTheLastDot) {
  EXPECT_EQ(lc::LowerExtensionOf("C:\\m\\b.MKV"), "mkv");
  EXPECT_EQ(lc::LowerExtensionOf("C:\\m\\a.b.Avi"), "avi");
  EXPECT_EQ(lc::LowerExtensionOf("C:\\m\\noext"), "");
  EXPECT_EQ(lc::LowerExtensionOf("C:\\m\\dot."), "");
}

TEST_F(CommandLine, FolderMoviesAreSortedByFileNameIgnoringCaseAndFolder) {
  Strings Paths = {"C:\\z\\c.avi", "C:\\a\\B.avi", "C:\\y\\a.avi", "C:\\b\\D.avi"};
  lc::SortByFileName(Paths, fs);
  EXPECT_EQ(Paths, (Strings{"C:\\y\\a.avi", "C:\\a\\B.avi", "C:\\z\\c.avi", "C:\\b\\D.avi"}));
  // Equal names keep their order.
  Strings Same = {"C:\\2\\x.avi", "C:\\1\\X.avi"};
  lc::SortByFileName(Same, fs);
  EXPECT_EQ(Same, (Strings{"C:\\2\\x.avi", "C:\\1\\X.avi"}));
  Strings Empty;
  lc::SortByFileName(Empty, fs);
  EXPECT_TRUE(Empty.empty());
}

TEST(CommandLineLines, NumbersArePaddedToTheDigitsOfTheCount) {
  EXPECT_EQ(lc::PlaylistLines({"C:\\a.avi", "D:\\x\\b.avi", "c.avi"}, true),
            (Strings{"1. a.avi", "2. b.avi", "3. c.avi"}));
  Strings Twelve;
  for (int I = 0; I < 12; ++I) Twelve.push_back("C:\\m\\f" + std::to_string(I) + ".avi");
  const Strings Padded = lc::PlaylistLines(Twelve, true);
  ASSERT_EQ(Padded.size(), 12u);
  EXPECT_EQ(Padded[0], "01. f0.avi");
  EXPECT_EQ(Padded[8], "09. f8.avi");
  EXPECT_EQ(Padded[9], "10. f9.avi");
  EXPECT_EQ(Padded[11], "12. f11.avi");
  EXPECT_EQ(lc::PlaylistLines(Twelve, false)[0], "1. f0.avi");
  EXPECT_TRUE(lc::PlaylistLines({}, true).empty());
}

TEST_F(CommandLine, GeneralCaseKeepsMediaFilesAndSortsFolders) {
  fs.Scans["C:\\films"] = {"C:\\films\\z.avi", "C:\\films\\sub\\A.mkv", "C:\\films\\m.avi"};
  fs.Subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  fs.Subtitles["C:\\films\\m.avi"] = "C:\\films\\m.sub";
  const Strings Media = {"avi", "mkv"};
  const Strings Args = {"C:\\m\\a.avi", "C:\\m\\notes.txt", "C:\\films", "C:\\gone.avi", "C:\\m\\noext",
                        "C:\\m\\b.MKV"};
  EXPECT_EQ(lc::GatherCommandLineMovies(Args, Media, true, fs),
            (std::vector<CommandLineEntry>{{"C:\\m\\a.avi", "C:\\m\\a.srt"},
                                           {"C:\\films\\sub\\A.mkv", "No subtitle"},
                                           {"C:\\films\\m.avi", "C:\\films\\m.sub"},
                                           {"C:\\films\\z.avi", "No subtitle"},
                                           {"C:\\m\\b.MKV", "No subtitle"}}));
  // Without the automatic subtitle search every subtitle is "No subtitle".
  const auto Plain = lc::GatherCommandLineMovies({"C:\\m\\a.avi"}, Media, false, fs);
  EXPECT_EQ(Plain, (std::vector<CommandLineEntry>{{"C:\\m\\a.avi", "No subtitle"}}));
  EXPECT_TRUE(lc::GatherCommandLineMovies({"C:\\m\\notes.txt"}, Media, true, fs).empty());
}

TEST_F(CommandLine, SubtitleOfASingleMovie) {
  fs.Subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  EXPECT_EQ(lc::SubtitleForMovie("C:\\m\\a.avi", true, fs), "C:\\m\\a.srt");
  EXPECT_EQ(lc::SubtitleForMovie("C:\\m\\a.avi", false, fs), "No subtitle");
  EXPECT_EQ(lc::SubtitleForMovie("C:\\m\\b.MKV", true, fs), "No subtitle");
}

}  // namespace
