// The playlist file (".lpl"): text lines ended by CR LF, two lines per
// entry: the movie path, then the subtitle path or "No subtitle". Nothing
// is quoted or escaped, there is no header and no trailer.
//
// The file is 8-bit text in the ANSI code page (settings/text_encoding.h).
// A list holding a name that the code page cannot spell is written as UTF-8
// text behind a UTF-8 byte-order mark instead, so that no name is lost; the
// reader takes both forms.
//
// This is the in-memory part: bytes in, entries out, and back. Reading the
// file and the rules of the list around it live in playlist/playlist.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lc::playlist {

inline constexpr const char* kNoSubtitle = "No subtitle";
// A file is read only when its size divided by 128 is at most 8192.
inline constexpr std::uint64_t kMaxPlaylistFileBytes = 8193ull * 128 - 1;
// At most this many lines make up a list (two per entry).
inline constexpr std::size_t kMaxPlaylistLines = 2000;

struct PlaylistFileContents {
  // false: not playlist text (a foreign encoding, or a NUL byte anywhere)
  bool readable = false;
  std::vector<std::string> movies;
  std::vector<std::string> subtitles;  // as long as `movies`
  // The lines beyond the line limit, as they stood (UTF-8).
  std::vector<std::string> linesBeyondLimit;
};

// Decodes the bytes of a playlist file that is read into a list already
// holding `entriesBefore` entries: lines are taken while their count,
// starting from two per entry before, stays at or below the line limit. An
// unpaired last movie gets "No subtitle".
PlaylistFileContents ParsePlaylistBytes(std::string_view bytes, std::size_t entriesBefore);

// The bytes of a playlist file holding the entries, then `extraLines`.
std::string FormatPlaylistBytes(const std::vector<std::string>& movies,
                                const std::vector<std::string>& subtitles,
                                const std::vector<std::string>& extraLines = {});

}  // namespace lc::playlist
