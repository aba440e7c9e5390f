// Playlist files: their bytes read into a list that already holds some
// entries (the input's first byte picks how many), written back and read
// again. Contracts: every movie has its subtitle; lines are taken while
// the list stays within its line limit and the rest is kept as it stood;
// writing what was read and reading it back gives the same entries.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "playlist/playlist_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lc::playlist;
  if (size == 0) return 0;
  constexpr std::size_t kBefore[] = {0, 1, 999, 1000, 7};
  const std::size_t before = kBefore[data[0] % 5];
  const PlaylistFileContents read = ParsePlaylistBytes(lc::fuzz::AsText(data + 1, size - 1), before);
  if (!read.readable) return 0;
  LC_FUZZ_CHECK(read.movies.size() == read.subtitles.size());
  LC_FUZZ_CHECK(2 * (before + read.movies.size()) <= kMaxPlaylistLines + 1);
  LC_FUZZ_CHECK(read.linesBeyondLimit.empty() || 2 * (before + read.movies.size()) >= kMaxPlaylistLines);

  const std::string written = FormatPlaylistBytes(read.movies, read.subtitles);
  const PlaylistFileContents again = ParsePlaylistBytes(written, 0);
  LC_FUZZ_CHECK(again.readable);
  LC_FUZZ_CHECK(again.movies == read.movies && again.subtitles == read.subtitles);
  LC_FUZZ_CHECK(FormatPlaylistBytes(again.movies, again.subtitles) == written);
  return 0;
}
