#include "playlist/playlist_file.h"

#include "settings/file_io.h"
#include "settings/text_encoding.h"

namespace lc::playlist {

PlaylistFileContents ParsePlaylistBytes(std::string_view bytes, std::size_t entriesBefore) {
  PlaylistFileContents contents;
  if (settings::IsForeignText(bytes) || bytes.find('\0') != std::string_view::npos) return contents;
  contents.readable = true;
  std::size_t n = 2 * entriesBefore;
  for (std::string& line : settings::SplitLines(settings::DecodeStoredText(bytes))) {
    if (++n > kMaxPlaylistLines) {
      contents.linesBeyondLimit.push_back(std::move(line));
    } else if (n % 2 == 1) {
      contents.movies.push_back(std::move(line));
    } else {
      contents.subtitles.push_back(std::move(line));
    }
  }
  if (contents.movies.size() > contents.subtitles.size()) contents.subtitles.emplace_back(kNoSubtitle);
  return contents;
}

std::string FormatPlaylistBytes(const std::vector<std::string>& movies,
                                const std::vector<std::string>& subtitles,
                                const std::vector<std::string>& extraLines) {
  std::string text;
  for (std::size_t i = 0; i < movies.size(); ++i) {
    text += movies[i];
    text += "\r\n";
    text += i < subtitles.size() ? subtitles[i] : std::string(kNoSubtitle);
    text += "\r\n";
  }
  for (const std::string& line : extraLines) {
    text += line;
    text += "\r\n";
  }
  return settings::EncodeStoredText(text);
}

}  // namespace lc::playlist
