#include "playlist/recent_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playlist/tests/fakes.h"

namespace lc::playlist {
namespace {

using testing::FakeFileSystem;

TEST(RecentFiles, ANameMovesToTheFrontInItsOwnLetterCase) {
  RecentFileList recent = {"d:\\1.avi", "d:\\2.avi", "d:\\3.avi", "c:\\a.avi", "d:\\5.avi"};
  AddToRecentFiles(recent, "C:\\A.avi");
  EXPECT_EQ(recent, (RecentFileList{"C:\\A.avi", "d:\\1.avi", "d:\\2.avi", "d:\\3.avi", "d:\\5.avi"}));
}

TEST(RecentFiles, ANewNamePushesTheLastOneOut) {
  RecentFileList recent = {"1", "2", "3", "4", "5"};
  AddToRecentFiles(recent, "6");
  EXPECT_EQ(recent, (RecentFileList{"6", "1", "2", "3", "4"}));
  AddToRecentFiles(recent, "6");
  EXPECT_EQ(recent, (RecentFileList{"6", "1", "2", "3", "4"}));
  AddToRecentFiles(recent, "4");
  EXPECT_EQ(recent, (RecentFileList{"4", "6", "1", "2", "3"}));
}

TEST(RecentFiles, GapsCloseUpBeforeTheNameIsPlaced) {
  RecentFileList recent = {"", "a", "", "b", ""};
  AddToRecentFiles(recent, "c");
  EXPECT_EQ(recent, (RecentFileList{"c", "a", "b", "", ""}));
  RecentFileList empty{};
  AddToRecentFiles(empty, "x");
  EXPECT_EQ(empty, (RecentFileList{"x", "", "", "", ""}));
  // Every gap closes, so a listed name is found wherever it stood.
  RecentFileList twoGaps = {"", "", "a", "b", "c"};
  AddToRecentFiles(twoGaps, "A");
  EXPECT_EQ(twoGaps, (RecentFileList{"A", "b", "c", "", ""}));
}

class NextPartTest : public ::testing::Test {
 protected:
  // The names of every file the lookup asked about.
  class AskingFiles : public FakeFileSystem {
   public:
    bool FileExists(const std::string& path) const override {
      asked.push_back(path);
      return FakeFileSystem::FileExists(path);
    }
    mutable std::vector<std::string> asked;
  };
  AskingFiles files;
};

TEST_F(NextPartTest, TrailingNumbersCountUpInTheirWidth) {
  struct Case {
    const char* movie;
    const char* next;
  };
  const Case cases[] = {
      {"C:\\m\\Movie CD1.avi", "C:\\m\\Movie CD2.avi"}, {"C:\\m\\Film 009.avi", "C:\\m\\Film 010.avi"},
      {"C:\\m\\Film 09.avi", "C:\\m\\Film 10.avi"},     {"C:\\m\\Film 99.avi", "C:\\m\\Film 100.avi"},
      {"C:\\m\\Part99999.avi", "C:\\m\\Part100000.avi"}, {"Show1", "Show2"},
  };
  for (const Case& c : cases) {
    files.AddFile(c.next);
    files.asked.clear();
    EXPECT_EQ(FindNextPartFile(files, c.movie), c.next) << c.movie;
    EXPECT_EQ(files.asked, (std::vector<std::string>{c.next})) << c.movie;
  }
  files.asked.clear();
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Film 1.avi"), "");  // Film 2.avi is not there
  EXPECT_EQ(files.asked, (std::vector<std::string>{"C:\\m\\Film 2.avi"}));
}

TEST_F(NextPartTest, SixDigitsGiveNoNextPartAtOnce) {
  files.AddFile("C:\\m\\Part123457.avi");
  files.AddFile("C:\\m\\Pbrt123456.avi");
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Part123456.avi"), "");
  EXPECT_TRUE(files.asked.empty());
}

TEST_F(NextPartTest, RomanPartsAndLetters) {
  files.AddFile("C:\\m\\Show II.avi");
  files.AddFile("C:\\m\\Show III.avi");
  files.AddFile("C:\\m\\PartB.avi");
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Show I.avi"), "C:\\m\\Show II.avi");
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Show II.avi"), "C:\\m\\Show III.avi");
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\PartA.avi"), "C:\\m\\PartB.avi");
  files.asked.clear();
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Show I.avi.avi"), "");  // "Show I.avi": no blank before the I
  files.asked.clear();
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Show I"), "");
  // The next letter first, then only the roman rule.
  EXPECT_EQ(files.asked, (std::vector<std::string>{"C:\\m\\Show J", "C:\\m\\Show II"}));
}

TEST_F(NextPartTest, OtherNamesTryEachLetterAndDigitRaised) {
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Movie.avi"), "");
  EXPECT_EQ(files.asked, (std::vector<std::string>{"C:\\m\\Movif.avi", "C:\\m\\Movje.avi", "C:\\m\\Mowie.avi",
                                                   "C:\\m\\Mpvie.avi"}));
  files.asked.clear();
  // A last "Z" is no letter to raise; a 9 carries into the digit before
  // it; a 9 after a letter, a "z" and capitals are passed over.
  EXPECT_EQ(FindNextPartFile(files, "a9b19z-Z.mpg"), "");
  EXPECT_EQ(files.asked, (std::vector<std::string>{"a9b20z-Z.mpg", "a9b29z-Z.mpg", "a9c19z-Z.mpg",
                                                   "b9b19z-Z.mpg"}));
  files.asked.clear();
  // A 9 after punctuation carries nowhere: only the last letter is raised.
  EXPECT_EQ(FindNextPartFile(files, "A-9B.avi"), "");
  EXPECT_EQ(files.asked, (std::vector<std::string>{"A-9C.avi"}));
  files.asked.clear();
  EXPECT_EQ(FindNextPartFile(files, "x89yz.avi"), "");
  EXPECT_EQ(files.asked, (std::vector<std::string>{"x89zz.avi", "x90yz.avi", "x99yz.avi", "y89yz.avi"}));
  files.AddFile("C:\\m\\Mowie.avi");
  files.AddFile("C:\\m\\Mpvie.avi");
  EXPECT_EQ(FindNextPartFile(files, "C:\\m\\Movie.avi"), "C:\\m\\Mowie.avi");
}

}  // namespace
}  // namespace lc::playlist
