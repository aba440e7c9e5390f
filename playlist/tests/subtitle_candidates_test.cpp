#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "playlist/subtitle_candidates.h"
#include "settings/tests/test_support.h"

namespace lc::playlist {
namespace {

using settings::testing::ScratchFolder;
using settings::testing::WriteBytes;

// A movie folder and a subtitle folder on disk; the silent check accepts
// every file not named in `rejected` and records what it was asked.
class CandidateFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(scratch_.path() / "movies");
    std::filesystem::create_directories(scratch_.path() / "subs");
    settings_.MediaExtensions = {"avi", "mkv"};
    settings_.SubtitleDirectory = Subs("");
  }
  std::string Movies(const std::string& name) const { return scratch_.File("movies") + Sep() + name; }
  std::string Subs(const std::string& name) const { return scratch_.File("subs") + Sep() + name; }
  static std::string Sep() {
    return std::string(1, static_cast<char>(std::filesystem::path::preferred_separator));
  }
  void Put(const std::string& path) { WriteBytes(path, "1\n00:00:01,000 --> 00:00:02,000\nx\n"); }

  EntryCandidates Gather(const std::string& movie, const std::string& own = "No subtitle") {
    checked_.clear();
    return GatherEntryCandidates(movie, own, settings_, folders_, [this](const std::string& path) {
      checked_.push_back(path);
      return rejected_.count(path) == 0;
    });
  }

  ScratchFolder scratch_;
  subtitles::SearchSettings settings_;
  subtitles::DiskFolders folders_;
  std::set<std::string> rejected_;
  std::vector<std::string> checked_;
};

TEST_F(CandidateFolders, SameNameBeforeCaseOnlyMatchInTheSubtitleFolder) {
  Put(Movies("Film.avi"));
  Put(Movies("Film.srt"));
  Put(Subs("film.srt"));
  const EntryCandidates c = Gather(Movies("Film.avi"));
  ASSERT_EQ(c.Paths.size(), 2u);
  EXPECT_EQ(c.Paths[0], Movies("Film.srt"));
  EXPECT_EQ(c.Paths[1], Subs("film.srt"));
  EXPECT_EQ(c.SelectedLine, 0);
  EXPECT_EQ(CandidateLines("No subtitle", c),
            (std::vector<std::string>{"No subtitle", "Film.srt", "film.srt"}));
}

TEST_F(CandidateFolders, PlaylistPointsForLettersEqualOnlyIgnoringCase) {
  // 150 points forward and 75 backward: FILM against Film gives 81.25,
  // which passes the threshold of 25 for a single candidate.
  Put(Movies("Film.avi"));
  Put(Movies("FILM.srt"));
  const EntryCandidates c = Gather(Movies("Film.avi"));
  ASSERT_EQ(c.Paths.size(), 1u);
  EXPECT_EQ(c.Paths[0], Movies("FILM.srt"));
}

TEST_F(CandidateFolders, LanguageSuffixOnlyWithFewMediaFilesAndCandidates) {
  Put(Movies("Film.avi"));
  Put(Movies("Film.en.srt"));  // about 66.7
  EXPECT_EQ(Gather(Movies("Film.avi")).Paths.size(), 1u);
  Put(Movies("Other.mkv"));  // two media files: threshold 75
  EXPECT_TRUE(Gather(Movies("Film.avi")).Paths.empty());
  std::filesystem::remove(scratch_.path() / "movies" / "Other.mkv");
  Put(Subs("a.txt"));
  Put(Subs("b.ssa"));  // three candidates: threshold about 75.26
  EXPECT_TRUE(Gather(Movies("Film.avi")).Paths.empty());
}

TEST_F(CandidateFolders, OwnSubtitleIsListedOnceFirstAndSelected) {
  Put(Movies("Film.avi"));
  Put(Movies("Film.srt"));
  Put(Movies("Film.sub"));
  // The entry's subtitle differs from the file only in letter case.
  const std::string own = Movies("FILM.SRT");
  const EntryCandidates c = Gather(Movies("Film.avi"), own);
  ASSERT_EQ(c.Paths.size(), 2u);
  EXPECT_EQ(c.Paths[0], own);
  EXPECT_EQ(c.Paths[1], Movies("Film.sub"));
  EXPECT_EQ(c.SelectedLine, 1);
  // The entry's own subtitle is offered without the check.
  EXPECT_EQ(checked_, (std::vector<std::string>{Movies("Film.sub")}));
}

TEST_F(CandidateFolders, AtMostFiveIncludingTheOwnSubtitle) {
  Put(Movies("Film.avi"));
  for (const char* name : {"Film.sub", "Film.srt", "Film.txt", "Film.ssa", "Film1.srt", "Film2.srt"}) {
    Put(Movies(name));
  }
  Put(Subs("own.srt"));
  const EntryCandidates c = Gather(Movies("Film.avi"), Subs("own.srt"));
  ASSERT_EQ(c.Paths.size(), 5u);
  EXPECT_EQ(c.Paths[0], Subs("own.srt"));
  // Equal scores keep the pattern order .sub, .srt, .txt, .ssa.
  EXPECT_EQ(c.Paths[1], Movies("Film.sub"));
  EXPECT_EQ(c.Paths[2], Movies("Film.srt"));
  EXPECT_EQ(c.Paths[3], Movies("Film.txt"));
  EXPECT_EQ(c.Paths[4], Movies("Film.ssa"));
  EXPECT_EQ(CandidateLines("No subtitle", c).size(), 6u);
}

TEST_F(CandidateFolders, RejectedFilesAreLeftOutAndTheNextOneTaken) {
  Put(Movies("Film.avi"));
  Put(Movies("Film.srt"));
  Put(Movies("Film.sub"));
  rejected_.insert(Movies("Film.sub"));
  const EntryCandidates c = Gather(Movies("Film.avi"));
  EXPECT_EQ(c.Paths, (std::vector<std::string>{Movies("Film.srt")}));
  EXPECT_EQ(checked_, (std::vector<std::string>{Movies("Film.sub"), Movies("Film.srt")}));
}

TEST_F(CandidateFolders, SubtitleFolderFirstDecidesEqualScores) {
  Put(Movies("Film.avi"));
  Put(Movies("Film.srt"));
  Put(Subs("Film.srt"));
  EXPECT_EQ(Gather(Movies("Film.avi")).Paths,
            (std::vector<std::string>{Movies("Film.srt"), Subs("Film.srt")}));
  settings_.SearchHereFirst = true;
  EXPECT_EQ(Gather(Movies("Film.avi")).Paths,
            (std::vector<std::string>{Subs("Film.srt"), Movies("Film.srt")}));
}

TEST_F(CandidateFolders, UnreachableMovieFolderOffersOnlyNoSubtitle) {
  Put(Subs("Film.srt"));
#ifdef _WIN32
  const std::string gone = "Q:\\gone\\Film.avi";  // a drive that is not ready
#else
  const std::string gone = scratch_.File("gone") + Sep() + "Film.avi";
#endif
  const EntryCandidates missing = Gather(gone, Subs("x.srt"));
  EXPECT_EQ(missing.Paths, (std::vector<std::string>{Subs("x.srt")}));
  EXPECT_EQ(missing.SelectedLine, 0);
  EXPECT_TRUE(missing.SearchedFolder.empty());
  EXPECT_EQ(CandidateLines("No subtitle", missing), (std::vector<std::string>{"No subtitle"}));
  const EntryCandidates bare = Gather("Film.avi");
  EXPECT_TRUE(bare.Paths.empty());
  EXPECT_TRUE(checked_.empty());
}

}  // namespace
}  // namespace lc::playlist
