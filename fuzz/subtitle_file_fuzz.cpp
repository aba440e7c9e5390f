// Subtitle files of every format and encoding: their bytes through the
// whole load (plain-text test, detection, repair, parsing, finishing,
// display data), at a frame rate the input picks. Contracts: a failed load
// leaves nothing; a loaded list has every time given, each entry ending
// after it starts and no later than the next one starts, no empty screen
// line at either end of a text nor two "|" in a row (SubRip's tag removal
// aside), and its display data for every entry, its display time at least
// 1 ms and cut at the next start; no line of a SubRip or SubViewer text is
// one the format takes for a time line; loading the same bytes again gives
// the same subtitle; a load fails as too big exactly when the file is past
// the caps of its encoding.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "subtitles/finish.h"
#include "subtitles/line_tests.h"
#include "subtitles/loader.h"
#include "subtitles/subtitle_text.h"

namespace {

using namespace lc::subtitles;

// The separators are tidied before SubRip's nested style tags are removed,
// and a removed tag may leave a "|" at the end or two in a row
// ("a<b>|<b>", "<b>a|<b>|b"); the first character never goes.
template <class Text>
void CheckText(const Text& text, bool subRip) {
  using Char = typename Text::value_type;
  const Char bar = static_cast<Char>('|');
  LC_FUZZ_CHECK(text.empty() || text.front() != bar);
  if (subRip) return;
  LC_FUZZ_CHECK(text.empty() || text.back() != bar);
  for (std::size_t i = 1; i < text.size(); ++i) LC_FUZZ_CHECK(text[i - 1] != bar || text[i] != bar);
}

// A SubRip or SubViewer text is made of the file's lines between two time
// lines, joined by "|"; a time line among them is a cue lost, shown inside
// the one before. A "|" or "[br]" inside a line, or a style tag removed
// from it, can leave a piece that looks like a time line though the line
// was not one: `checkable` is false for inputs holding "|", "[" or "<".
template <class Text>
void CheckNoTimeLine(const Text& text, SubtitleFormat format) {
  using Char = typename Text::value_type;
  for (const Text& piece : SplitScreenLines(text)) {
    const std::basic_string_view<Char> line(piece);
    LC_FUZZ_CHECK(format == SubtitleFormat::SubRip ? !IsSrtTimeLine(line)
                                                   : !IsSubViewerTimeLine(line));
  }
}

void CheckLoaded(const LoadResult& result, bool checkable) {
  const Subtitle& s = result.Loaded;
  if (!result.Ok()) {
    LC_FUZZ_CHECK(s.Count() == 0);
    return;
  }
  const std::size_t n = s.Count();
  LC_FUZZ_CHECK(n > 0);
  LC_FUZZ_CHECK(s.Format == result.DetectedFormat && s.Format != SubtitleFormat::Unknown);
  LC_FUZZ_CHECK(s.End.size() == n && s.Durations.size() == n && s.EntryLinesW.size() == n);
  LC_FUZZ_CHECK(s.IsWide ? s.TextW.size() == n && s.Text.empty() && s.EntryLines.empty()
                         : s.Text.size() == n && s.TextW.empty() && s.EntryLines.size() == n);
  for (std::size_t i = 0; i < n; ++i) {
    LC_FUZZ_CHECK(s.Start[i] >= 0 && s.Start[i] < s.End[i]);
    LC_FUZZ_CHECK(s.Durations[i] >= 1);
    if (i + 1 < n) {
      LC_FUZZ_CHECK(s.End[i] <= s.Start[i + 1]);
      LC_FUZZ_CHECK(s.Durations[i] <= s.Start[i + 1] - s.Start[i]);
    }
    const bool subRip = s.Format == SubtitleFormat::SubRip;
    const bool timeLines = checkable && (subRip || s.Format == SubtitleFormat::SubViewer);
    if (s.IsWide) {
      CheckText(s.TextW[i], subRip);
      if (timeLines) CheckNoTimeLine(s.TextW[i], s.Format);
    } else {
      CheckText(s.Text[i], subRip);
      if (timeLines) CheckNoTimeLine(s.Text[i], s.Format);
    }
  }
}

// The caps of a subtitle file: 8-bit text of at most 1,048,576 bytes
// counted in whole 128-byte blocks, UTF-16 or UTF-8 text of at most
// 1,048,576 characters (UTF-16 code units) once decoded. No encoding makes
// more characters than bytes, so a file of at most that many bytes is
// within them.
bool PastTheCaps(std::string_view bytes) {
  constexpr std::uint64_t kCap = 1048576;
  if (bytes.size() <= kCap) return false;
  switch (ChooseEncoding(bytes)) {
    case SubtitleEncoding::Ansi: return bytes.size() / 128 * 128 > kCap;
    case SubtitleEncoding::Utf16Le: return (bytes.size() - 2) / 2 > kCap;
    case SubtitleEncoding::Utf8Bom: return DecodeUtf8(bytes.substr(3)).size() > kCap;
    case SubtitleEncoding::Utf8: return DecodeUtf8(bytes).size() > kCap;
  }
  return false;
}

bool Same(const Subtitle& a, const Subtitle& b) {
  return a.Format == b.Format && a.IsWide == b.IsWide && a.Start == b.Start && a.End == b.End &&
         a.Text == b.Text && a.TextW == b.TextW && a.Durations == b.Durations &&
         a.EntryLines == b.EntryLines && a.EntryLinesW == b.EntryLinesW;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the MicroDVD frame rate and the display time.
  constexpr double kRates[] = {25.0, 23.976, 29.97, 0.5, 1000.0, 24.0, 30.0, 60.0};
  LoadOptions options;
  options.FrameRate = kRates[data[0] % 8];
  options.AverageDisplayTime = data[0] & 8 ? 1000 : 9999;
  const std::string_view bytes = lc::fuzz::AsText(data + 1, size - 1);
  const LoadResult first = LoadSubtitleBytes(bytes, options);
  LC_FUZZ_CHECK((first.Failure == LoadFailure::TooBig) == PastTheCaps(bytes));
  CheckLoaded(first, bytes.find_first_of("|[<") == bytes.npos);
  const LoadResult again = LoadSubtitleBytes(bytes, options);
  LC_FUZZ_CHECK(again.Failure == first.Failure && Same(again.Loaded, first.Loaded));
  return 0;
}
