// The command line's rules: its cases, playlist names, and the general
// case's gathering of movies with their subtitles.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "player/command_line.h"
#include "playlist/tests/fakes.h"

namespace {

using lc::CommandLineCase;
using lc::CommandLineEntry;
using Strings = std::vector<std::string>;

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* F : {"C:\\m\\a.avi", "C:\\m\\b.MKV", "C:\\m\\notes.txt", "C:\\m\\list.lpl", "C:\\m\\noext",
                          "C:\\films\\z.avi", "C:\\films\\sub\\A.mkv", "C:\\films\\m.avi", "C:\\films\\.hidden\\h.avi"})
      fs.AddFile(F);
  }
  CommandLineCase Classify(const Strings& Args) { return lc::ClassifyCommandLine(Args, fs); }
  lc::SubtitleSearch Search() {
    return [this](const std::string& Movie) {
      auto It = subtitles.find(Movie);
      return It == subtitles.end() ? std::string() : It->second;
    };
  }
  lc::playlist::testing::FakeFileSystem fs;
  std::map<std::string, std::string> subtitles;
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

TEST_F(CommandLine, GeneralCaseKeepsMediaFilesAndSortsFolders) {
  subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  subtitles["C:\\films\\m.avi"] = "C:\\films\\m.sub";
  const Strings Media = {"avi", "mkv"};
  const Strings Args = {"C:\\m\\a.avi", "C:\\m\\notes.txt", "C:\\films", "C:\\gone.avi", "C:\\m\\noext",
                        "C:\\m\\b.MKV"};
  EXPECT_EQ(lc::GatherCommandLineMovies(Args, Media, true, fs, Search()),
            (std::vector<CommandLineEntry>{{"C:\\m\\a.avi", "C:\\m\\a.srt"},
                                           {"C:\\films\\sub\\A.mkv", "No subtitle"},
                                           {"C:\\films\\m.avi", "C:\\films\\m.sub"},
                                           {"C:\\films\\z.avi", "No subtitle"},
                                           {"C:\\m\\b.MKV", "No subtitle"}}));
  // Without the automatic subtitle search every subtitle is "No subtitle".
  EXPECT_EQ(lc::GatherCommandLineMovies({"C:\\m\\a.avi"}, Media, false, fs, Search()),
            (std::vector<CommandLineEntry>{{"C:\\m\\a.avi", "No subtitle"}}));
  EXPECT_TRUE(lc::GatherCommandLineMovies({"C:\\m\\notes.txt"}, Media, true, fs, Search()).empty());
}

TEST_F(CommandLine, SubtitleOfASingleMovie) {
  subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  EXPECT_EQ(lc::SubtitleForMovie("C:\\m\\a.avi", true, Search()), "C:\\m\\a.srt");
  EXPECT_EQ(lc::SubtitleForMovie("C:\\m\\a.avi", false, Search()), "No subtitle");
  EXPECT_EQ(lc::SubtitleForMovie("C:\\m\\b.MKV", true, Search()), "No subtitle");
  EXPECT_EQ(lc::SubtitleForMovie("C:\\m\\a.avi", true, nullptr), "No subtitle");
}

}  // namespace
