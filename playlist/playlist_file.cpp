#include "playlist/playlist_file.h"

#include "settings/file_io.h"
#include "settings/text_encoding.h"

namespace lc::playlist {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool SpelledInAnsi(const std::string& text) {
  const settings::AnsiCodec& codec = settings::CurrentAnsiCodec();
  return codec.ToUtf8(codec.FromUtf8(text)) == text;
}

}  // namespace

PlaylistFileContents ParsePlaylistBytes(std::string_view bytes, std::size_t entriesBefore) {
  PlaylistFileContents contents;
  if (bytes.find('\0') != std::string_view::npos) return contents;
  contents.readable = true;
  const bool utf8 = bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark;
  if (utf8) bytes.remove_prefix(kUtf8Mark.size());
  std::size_t n = 2 * entriesBefore;
  for (std::string& raw : settings::SplitLines(bytes)) {
    std::string line = utf8 ? std::move(raw) : settings::CurrentAnsiCodec().ToUtf8(raw);
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
  std::vector<const std::string*> lines;
  lines.reserve(2 * movies.size() + extraLines.size());
  for (std::size_t i = 0; i < movies.size(); ++i) {
    lines.push_back(&movies[i]);
    lines.push_back(i < subtitles.size() ? &subtitles[i] : nullptr);
  }
  for (const std::string& line : extraLines) lines.push_back(&line);

  bool ansi = true;
  for (const std::string* line : lines) {
    if (line && !SpelledInAnsi(*line)) {
      ansi = false;
      break;
    }
  }
  std::string out = ansi ? std::string() : std::string(kUtf8Mark);
  const settings::AnsiCodec& codec = settings::CurrentAnsiCodec();
  for (const std::string* line : lines) {
    const std::string& text = line ? *line : std::string(kNoSubtitle);
    out += ansi ? codec.FromUtf8(text) : text;
    out += "\r\n";
  }
  return out;
}

}  // namespace lc::playlist
