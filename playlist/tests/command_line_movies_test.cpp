// The movies a command line names: media files in the arguments' order,
// folders' movies sorted by file name, each with its subtitle.
#include "playlist/command_line_movies.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "playlist/tests/fakes.h"

namespace lc::playlist {
namespace {

using Strings = std::vector<std::string>;

class CommandLineMovies : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* F : {"C:\\m\\a.avi", "C:\\m\\b.MKV", "C:\\m\\notes.txt", "C:\\m\\noext", "C:\\films\\z.avi",
                          "C:\\films\\sub\\A.mkv", "C:\\films\\m.avi", "C:\\films\\.hidden\\h.avi"})
      fs.AddFile(F);
  }
  SubtitleSearch Search() {
    return [this](const std::string& Movie) {
      auto It = subtitles.find(Movie);
      return It == subtitles.end() ? std::string() : It->second;
    };
  }
  testing::FakeFileSystem fs;
  std::map<std::string, std::string> subtitles;
};

TEST_F(CommandLineMovies, MediaFilesKeepTheirOrderAndFoldersAreSorted) {
  subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  subtitles["C:\\films\\m.avi"] = "C:\\films\\m.sub";
  const Strings Media = {"avi", "mkv"};
  const Strings Args = {"C:\\m\\a.avi", "C:\\m\\notes.txt", "C:\\films", "C:\\gone.avi", "C:\\m\\noext",
                        "C:\\m\\b.MKV"};
  EXPECT_EQ(GatherCommandLineMovies(Args, Media, true, fs, Search()),
            (std::vector<CommandLineEntry>{{"C:\\m\\a.avi", "C:\\m\\a.srt"},
                                           {"C:\\films\\sub\\A.mkv", "No subtitle"},
                                           {"C:\\films\\m.avi", "C:\\films\\m.sub"},
                                           {"C:\\films\\z.avi", "No subtitle"},
                                           {"C:\\m\\b.MKV", "No subtitle"}}));
  // Without the automatic subtitle search every subtitle is "No subtitle".
  EXPECT_EQ(GatherCommandLineMovies({"C:\\m\\a.avi"}, Media, false, fs, Search()),
            (std::vector<CommandLineEntry>{{"C:\\m\\a.avi", "No subtitle"}}));
  EXPECT_TRUE(GatherCommandLineMovies({"C:\\m\\notes.txt"}, Media, true, fs, Search()).empty());
}

TEST_F(CommandLineMovies, SubtitleOfASingleMovie) {
  subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  EXPECT_EQ(SubtitleForMovie("C:\\m\\a.avi", true, Search()), "C:\\m\\a.srt");
  EXPECT_EQ(SubtitleForMovie("C:\\m\\a.avi", false, Search()), "No subtitle");
  EXPECT_EQ(SubtitleForMovie("C:\\m\\b.MKV", true, Search()), "No subtitle");
  EXPECT_EQ(SubtitleForMovie("C:\\m\\a.avi", true, nullptr), "No subtitle");
}

}  // namespace
}  // namespace lc::playlist
