#include "playlist/playlist_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lc::playlist {
namespace {

using Lines = std::vector<std::string>;

TEST(PlaylistFile, EarlierFileLoadsWithItsAnsiNames) {
  // As earlier versions wrote it: Windows-1252 bytes, CR LF, no header.
  const std::string bytes =
      "C:\\Movies\\Film.avi\r\nC:\\Movies\\Film.srt\r\n"
      "D:\\Clips\\Caf\xE9 \x96 Nuit.mpg\r\nNo subtitle\r\n";
  const PlaylistFileContents contents = ParsePlaylistBytes(bytes, 0);
  ASSERT_TRUE(contents.readable);
  EXPECT_EQ(contents.movies, (Lines{"C:\\Movies\\Film.avi", "D:\\Clips\\Caf\xC3\xA9 \xE2\x80\x93 Nuit.mpg"}));
  EXPECT_EQ(contents.subtitles, (Lines{"C:\\Movies\\Film.srt", "No subtitle"}));
  EXPECT_TRUE(contents.linesBeyondLimit.empty());
}

TEST(PlaylistFile, LinesAreTakenAsTheyStand) {
  struct Case {
    const char* bytes;
    Lines movies;
    Lines subtitles;
  };
  const Case cases[] = {
      // Three lines: the second entry gets "No subtitle".
      {"a.avi\r\na.srt\r\nb.avi\r\n", {"a.avi", "b.avi"}, {"a.srt", "No subtitle"}},
      // Lone LF endings and a last line without an ending.
      {"a.avi\nNo subtitle\nb.avi\nb.sub", {"a.avi", "b.avi"}, {"No subtitle", "b.sub"}},
      // Empty lines are empty paths; blanks and quotes stay.
      {"\r\n\r\n\"c d.avi\" \r\nx\r\n", {"", "\"c d.avi\" "}, {"", "x"}},
      {"", {}, {}},
  };
  for (const Case& c : cases) {
    const PlaylistFileContents contents = ParsePlaylistBytes(c.bytes, 0);
    EXPECT_TRUE(contents.readable) << c.bytes;
    EXPECT_EQ(contents.movies, c.movies) << c.bytes;
    EXPECT_EQ(contents.subtitles, c.subtitles) << c.bytes;
  }
}

TEST(PlaylistFile, WritesTwoCrLfLinesPerEntryInAnsi) {
  const Lines movies = {"C:\\Films\\\xC3\x84rger.avi", "C:\\Films\\Plain.mkv"};
  const Lines subtitles = {"C:\\Films\\\xC3\x84rger.srt", "No subtitle"};
  const std::string bytes = FormatPlaylistBytes(movies, subtitles);
  EXPECT_EQ(bytes, "C:\\Films\\\xC4rger.avi\r\nC:\\Films\\\xC4rger.srt\r\nC:\\Films\\Plain.mkv\r\nNo subtitle\r\n");
  const PlaylistFileContents back = ParsePlaylistBytes(bytes, 0);
  EXPECT_EQ(back.movies, movies);
  EXPECT_EQ(back.subtitles, subtitles);
}

TEST(PlaylistFile, NamesWithoutAnAnsiFormAreWrittenAsUtf8AndReadBack) {
  const Lines movies = {"C:\\\xE6\x98\xA0\xE7\x94\xBB\\\xE6\x98\xA0\xE7\x94\xBB.avi", "C:\\Caf\xC3\xA9.avi"};
  const Lines subtitles = {"No subtitle", "C:\\\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE.srt"};
  const std::string bytes = FormatPlaylistBytes(movies, subtitles);
  EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(bytes.substr(3), movies[0] + "\r\nNo subtitle\r\n" + movies[1] + "\r\n" + subtitles[1] + "\r\n");
  const PlaylistFileContents back = ParsePlaylistBytes(bytes, 0);
  EXPECT_EQ(back.movies, movies);
  EXPECT_EQ(back.subtitles, subtitles);
}

TEST(PlaylistFile, ExtraLinesFollowTheEntries) {
  EXPECT_EQ(FormatPlaylistBytes({"a.avi"}, {"No subtitle"}, {"z.avi", "z.srt"}),
            "a.avi\r\nNo subtitle\r\nz.avi\r\nz.srt\r\n");
}

TEST(PlaylistFile, AtMost2000LinesCountingTheEntriesAlreadyListed) {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) {
    const std::string n = std::to_string(i);
    bytes.append("m").append(n).append("\r\ns").append(n).append("\r\n");
  }

  const PlaylistFileContents whole = ParsePlaylistBytes(bytes, 0);
  EXPECT_EQ(whole.movies.size(), 1000u);
  EXPECT_TRUE(whole.linesBeyondLimit.empty());

  const PlaylistFileContents after600 = ParsePlaylistBytes(bytes, 600);
  ASSERT_EQ(after600.movies.size(), 400u);
  EXPECT_EQ(after600.movies.back(), "m399");
  EXPECT_EQ(after600.subtitles.back(), "s399");
  ASSERT_EQ(after600.linesBeyondLimit.size(), 1200u);
  EXPECT_EQ(after600.linesBeyondLimit.front(), "m400");

  const PlaylistFileContents after1000 = ParsePlaylistBytes(bytes, 1000);
  EXPECT_TRUE(after1000.movies.empty());
  EXPECT_TRUE(after1000.subtitles.empty());
  EXPECT_EQ(after1000.linesBeyondLimit.size(), 2000u);
}

TEST(PlaylistFile, BytesThatAreNoTextAreRefused) {
  const std::string binary("RIFF\x10\0\0\0AVI LIST\r\n", 18);
  const PlaylistFileContents contents = ParsePlaylistBytes(binary, 0);
  EXPECT_FALSE(contents.readable);
  EXPECT_TRUE(contents.movies.empty());
}

}  // namespace
}  // namespace lc::playlist
