// Name scores, the threshold and the search over a movie's folders.
#include "subtitles/search.h"

#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "subtitles/loader.h"
#include "tests/support/scratch.h"

namespace lc::subtitles {
namespace {

TEST(NameScore, AgainstTheMovieFilm) {
  EXPECT_FLOAT_EQ(100.0f, NameScore("Film", "Film"));
  EXPECT_FLOAT_EQ(87.5f, NameScore("film", "Film"));
  EXPECT_FLOAT_EQ(62.5f, NameScore("FILM", "Film"));
  EXPECT_NEAR(72.73, NameScore("Film.2", "Film"), 0.01);   // 800 / 11
  EXPECT_NEAR(66.67, NameScore("Film.en", "Film"), 0.01);  // 800 / 12
  EXPECT_FLOAT_EQ(50.0f, NameScore("fILM", "Film"));
  // The playlist's points for letters equal only in another case.
  const CaseOnlyPoints playlist{150, 75};
  EXPECT_FLOAT_EQ(93.75f, NameScore("film", "Film", playlist));
  EXPECT_FLOAT_EQ(81.25f, NameScore("FILM", "Film", playlist));
  EXPECT_FLOAT_EQ(100.0f, NameScore("Film", "Film", playlist));
}

TEST(NameScore, MiddlesAndEmptyNames) {
  // "Film part" against "Film": 800 points forward, nothing backward;
  // weight 8 + (9 - 5 + 2).
  EXPECT_NEAR(57.14, NameScore("Film part", "Film"), 0.01);
  // Same ends, different middles: 600 + 300 points, weight 6 + 3 + 2.
  EXPECT_NEAR(81.82, NameScore("AbcXdef", "AbcYdef"), 0.01);
  EXPECT_FLOAT_EQ(0.0f, NameScore("", "Film"));
  EXPECT_FLOAT_EQ(0.0f, NameScore("", ""));
  EXPECT_FLOAT_EQ(0.0f, NameScore("Other", "Film"));
  // Central European letters compare through the code page's lower case.
  // 900 + 450 points over a weight of 15.
  EXPECT_FLOAT_EQ(90.0f, NameScore("\xC5\xA0kola", "\xC5\xA1kola"));  // Š / š
}

TEST(ScoreThreshold, MediaFilesAndCandidates) {
  EXPECT_FLOAT_EQ(25.0f, ScoreThreshold(0, 0));
  EXPECT_FLOAT_EQ(25.0f, ScoreThreshold(1, 1));
  EXPECT_FLOAT_EQ(50.0f, ScoreThreshold(0, 2));
  EXPECT_NEAR(75.26, ScoreThreshold(1, 3), 0.01);
  EXPECT_NEAR(75.26, ScoreThreshold(0, 40), 0.01);
  EXPECT_FLOAT_EQ(75.0f, ScoreThreshold(2, 1));
}

TEST(BaseNameAndExtension, Basics) {
  EXPECT_EQ("Film.en", BaseName("Film.en.srt"));
  EXPECT_EQ("Film", BaseName("Film"));
  EXPECT_EQ("", BaseName(".srt"));
  EXPECT_TRUE(HasExtension("a.SRT", "srt"));
  EXPECT_TRUE(HasExtension("a.srt", "SRT"));
  EXPECT_TRUE(HasExtension("a.b.ssa", "ssa"));
  EXPECT_FALSE(HasExtension("a.srtx", "srt"));
  EXPECT_FALSE(HasExtension("asrt", "srt"));
  EXPECT_FALSE(HasExtension("srt", "srt"));
}

// Folders held in memory: folder name -> file names in listing order.
class FakeFolders : public SubtitleFolders {
 public:
  std::map<std::string, std::vector<std::string>> files;
  std::string readyDrives = "Cc";
  std::string current = "C:\\Current\\";
  bool DriveReady(char letter) const override {
    return readyDrives.find(letter) != std::string::npos;
  }
  bool FolderExists(const std::string& folder) const override { return files.count(folder) > 0; }
  std::vector<std::string> FileNames(const std::string& folder) const override {
    ++listings;
    const auto it = files.find(folder);
    return it == files.end() ? std::vector<std::string>{} : it->second;
  }
  std::string CurrentFolder() const override { return current; }
  mutable int listings = 0;
};

SearchSettings Settings(std::string subtitleDirectory, bool hereFirst = false) {
  return {std::move(subtitleDirectory), hereFirst, {"avi", "mkv", "mp4"}};
}

// Runs the search and records the paths it tried.
std::string Search(const std::string& movie, const SearchSettings& settings,
                   const FakeFolders& folders, std::vector<std::string>& tried,
                   const std::vector<std::string>& refused = {}) {
  return SearchSubtitle(movie, settings, folders, [&](const std::string& path) {
    tried.push_back(path);
    return std::find(refused.begin(), refused.end(), path) == refused.end();
  });
}

TEST(SearchSubtitle, FolderOrderAndTies) {
  FakeFolders disk;
  disk.files["C:\\Movies\\"] = {"Film.avi", "Film.srt", "notes.doc"};
  disk.files["C:\\Subs\\"] = {"Film.srt", "film.sub"};
  std::vector<std::string> tried;
  EXPECT_EQ("C:\\Movies\\Film.srt", Search("C:\\Movies\\Film.avi", Settings("C:\\Subs"), disk, tried));
  tried.clear();
  EXPECT_EQ("C:\\Subs\\Film.srt",
            Search("C:\\Movies\\Film.avi", Settings("C:\\Subs", true), disk, tried));
  // Refused candidates give way to the next best.
  tried.clear();
  EXPECT_EQ("C:\\Subs\\film.sub",
            Search("C:\\Movies\\Film.avi", Settings("C:\\Subs"), disk, tried,
                   {"C:\\Movies\\Film.srt", "C:\\Subs\\Film.srt"}));
  EXPECT_EQ((std::vector<std::string>{"C:\\Movies\\Film.srt", "C:\\Subs\\Film.srt",
                                      "C:\\Subs\\film.sub"}),
            tried);
}

// Many movies of one folder searched through the operation's view of the
// folders: each folder is listed once, the answers are the disk's own, and
// after Forget the folders are read afresh.
TEST(SearchSubtitle, TheFoldersOfOneOperationAreListedOnce) {
  FakeFolders disk;
  disk.files["C:\\M\\"] = {"a.avi", "b.avi", "c.avi", "a.srt", "c.en.srt", "c.srt"};
  disk.files["C:\\Subs\\"] = {"b.sub"};
  FolderListingCache cache(disk);
  std::vector<std::string> found;
  for (const char* movie : {"C:\\M\\a.avi", "C:\\M\\b.avi", "C:\\M\\c.avi", "C:\\M\\d.avi"}) {
    found.push_back(SearchSubtitle(movie, Settings("C:\\Subs"), cache, [](const std::string&) { return true; }));
  }
  EXPECT_EQ(found, (std::vector<std::string>{"C:\\M\\a.srt", "C:\\Subs\\b.sub", "C:\\M\\c.srt", ""}));
  EXPECT_EQ(disk.listings, 2);

  disk.files["C:\\M\\"].push_back("d.srt");
  const auto search = [&] {
    return SearchSubtitle("C:\\M\\d.avi", Settings("C:\\Subs"), cache, [](const std::string&) { return true; });
  };
  EXPECT_EQ(search(), "");
  cache.Forget();
  EXPECT_EQ(search(), "C:\\M\\d.srt");
  EXPECT_EQ(disk.listings, 4);
}

TEST(SearchSubtitle, ThresholdFollowsTheFolder) {
  FakeFolders disk;
  disk.files["C:\\M\\"] = {"Film.avi", "FILM.srt"};
  std::vector<std::string> tried;
  // One media file and one candidate: 62.5 reaches the threshold of 25.
  EXPECT_EQ("C:\\M\\FILM.srt", Search("C:\\M\\Film.avi", Settings(""), disk, tried));
  // Two media files raise it to 75.
  disk.files["C:\\M\\"] = {"Film.avi", "Other.MKV", "FILM.srt", "Film.en.srt"};
  tried.clear();
  EXPECT_EQ("", Search("C:\\M\\Film.avi", Settings(""), disk, tried));
  EXPECT_TRUE(tried.empty());
  // Three candidates and one media file: about 75.26, so 72.7 is not enough.
  disk.files["C:\\M\\"] = {"Film.avi", "Film.2.srt", "Film.en.srt", "x.txt"};
  EXPECT_EQ("", Search("C:\\M\\Film.avi", Settings(""), disk, tried));
  // A score equal to the threshold is enough: 50 with two candidates.
  disk.files["C:\\M\\"] = {"Film.avi", "fILM.srt", "x.txt"};
  EXPECT_EQ("C:\\M\\fILM.srt", Search("C:\\M\\Film.avi", Settings(""), disk, tried));
  disk.files["C:\\M\\"] = {"Film.avi", "Film.2.srt", "x.txt"};
  EXPECT_EQ("C:\\M\\Film.2.srt", Search("C:\\M\\Film.avi", Settings(""), disk, tried));
}

TEST(SearchSubtitle, PatternsFoldersAndDrives) {
  FakeFolders disk;
  disk.files["C:\\M\\"] = {"Film.srt", "Film.sub", "Film.ssa", "Film.txt", "Film.idx"};
  std::vector<std::string> tried;
  const std::vector<std::string> all = {"C:\\M\\Film.sub", "C:\\M\\Film.srt", "C:\\M\\Film.txt",
                                        "C:\\M\\Film.ssa"};
  Search("C:\\M\\Film.avi", Settings(""), disk, tried, all);
  EXPECT_EQ(all, tried);  // pattern order, equal scores
  // A drive that is not ready is passed over.
  disk.files["D:\\Subs\\"] = {"Film.srt"};
  tried.clear();
  EXPECT_EQ("", Search("D:\\Subs\\Film.avi", Settings(""), disk, tried));
  // A movie without a folder is looked for in the current folder.
  disk.files["C:\\Current\\"] = {"clip.srt"};
  EXPECT_EQ("C:\\Current\\clip.srt", Search("clip.mkv", Settings(""), disk, tried));
  // Folders not beginning with a letter must exist.
  disk.files["\\\\server\\share\\"] = {"Film.srt"};
  EXPECT_EQ("\\\\server\\share\\Film.srt",
            Search("C:\\Nowhere\\Film.avi", Settings("\\\\server\\share"), disk, tried));
  EXPECT_EQ("", Search("C:\\Nowhere\\Film.avi", Settings("\\\\other"), disk, tried));
  // A folder name without any separator gets "\\".
  disk.files["_subs\\"] = {"Film.srt"};
  EXPECT_EQ("_subs\\Film.srt", Search("C:\\Nowhere\\Film.avi", Settings("_subs"), disk, tried));
  // A folder written with "/" gets "/" at its end.
  disk.files["/data/subs/"] = {"Film.srt"};
  EXPECT_EQ("/data/subs/Film.srt",
            Search("C:\\Nowhere\\Film.avi", Settings("/data/subs"), disk, tried));
}

TEST(SearchSubtitle, OnDiskWithTheSilentCheck) {
  namespace fs = std::filesystem;
  const lctest::ScratchFolder scratch;
  const fs::path& dir = scratch.path();
  fs::create_directories(dir / "movies");
  std::ofstream(dir / "movies" / "Film.avi") << "x";
  // The best name is not a subtitle; the next one is.
  std::ofstream(dir / "movies" / "Film.txt") << "Dear diary,\nnothing today.\n";
  std::ofstream(dir / "movies" / "film.srt", std::ios::binary)
      << "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n";
  const std::string movie = (dir / "movies" / "Film.avi").string();
  const std::string found = SearchSubtitle(movie, {"", false, {"avi"}}, DiskFolders(),
                                           [](const std::string& path) {
                                             return CheckSubtitleFile(path);
                                           });
  EXPECT_EQ((dir / "movies" / "film.srt").string(), found);
}

}  // namespace
}  // namespace lc::subtitles
