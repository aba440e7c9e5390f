#include "subtitles/loader.h"

#include "settings/file_io.h"
#include "subtitles/finish.h"
#include "subtitles/line_tests.h"
#include "subtitles/parse.h"
#include "subtitles/repair.h"
#include "subtitles/subtitle_text.h"

namespace lc::subtitles {
namespace {

LoadResult Failed(LoadFailure failure, SubtitleFormat detected = SubtitleFormat::Unknown) {
  LoadResult result;
  result.Failure = failure;
  result.DetectedFormat = detected;
  return result;
}

std::u16string ToWide(const std::string& ansi, const settings::AnsiCodec& codec) {
  return DecodeUtf8(codec.ToUtf8(ansi));
}

// Moves a finished list into the subtitle with its display data.
template <class Char>
void Publish(TimedEntries<Char>& list, SubtitleFormat format, const LoadOptions& options,
             Subtitle& out) {
  std::vector<std::basic_string<Char>> copies;
  copies.reserve(list.Count());
  for (const auto& text : list.Text) copies.push_back(DisplayCopy(text, format));
  out.Format = format;
  out.Durations = DisplayDurations(list, copies, options.AverageDisplayTime);
  out.Start = std::move(list.Start);
  out.End = std::move(list.End);
  if constexpr (std::is_same_v<Char, char16_t>) {
    out.IsWide = true;
    for (const auto& copy : copies) out.EntryLinesW.push_back(SplitScreenLines(copy));
    out.TextW = std::move(list.Text);
  } else {
    const settings::AnsiCodec& codec =
        options.Codec ? *options.Codec : settings::CurrentAnsiCodec();
    for (const auto& copy : copies) {
      out.EntryLines.push_back(SplitScreenLines(copy));
      std::vector<std::u16string> wide;
      for (const auto& line : out.EntryLines.back()) wide.push_back(ToWide(line, codec));
      out.EntryLinesW.push_back(std::move(wide));
    }
    out.Text = std::move(list.Text);
  }
}

template <class Char>
LoadResult LoadLines(Lines<Char>& lines, const LoadOptions& options) {
  if (!IsPlainText(lines)) return Failed(LoadFailure::NotText);
  const SubtitleFormat format = DetectSubtitleFormat(lines);
  if (format == SubtitleFormat::Unknown) return Failed(LoadFailure::UnknownType);
  if (!RepairSubtitleLines(lines, format)) return Failed(LoadFailure::SeriousErrors, format);
  auto list = BuildSubtitleList(lines, format, {options.FrameRate, options.AverageDisplayTime});
  lines.clear();
  if (!list) return Failed(LoadFailure::SeriousErrors, format);
  if (list->Count() == 0) return Failed(LoadFailure::UnknownType, format);
  if (!ApplySubtitleTags(*list, format, options.AverageDisplayTime) || !HasValidTimes(*list)) {
    return Failed(LoadFailure::SeriousErrors, format);
  }
  LoadResult result;
  result.DetectedFormat = format;
  Publish(*list, format, options, result.Loaded);
  return result;
}

}  // namespace

LoadResult LoadSubtitleBytes(std::string_view bytes, const LoadOptions& options) {
  if (bytes.size() > kMaxFileBytes) return Failed(LoadFailure::TooBig);
  const SubtitleEncoding encoding = ChooseEncoding(bytes);
  if (ExceedsSizeBeforeDecoding(encoding, bytes.size())) return Failed(LoadFailure::TooBig);
  if (encoding == SubtitleEncoding::Ansi) {
    Lines<char> lines = SplitAnsiLines(bytes);
    return LoadLines(lines, options);
  }
  std::u16string text = encoding == SubtitleEncoding::Utf16Le ? DecodeUtf16Le(bytes.substr(2))
                        : encoding == SubtitleEncoding::Utf8Bom ? DecodeUtf8(bytes.substr(3))
                                                                : DecodeUtf8(bytes);
  if (text.size() > kMaxWideChars) return Failed(LoadFailure::TooBig);
  Lines<char16_t> lines = SplitWideLines(text);
  text = {};
  return LoadLines(lines, options);
}

LoadResult LoadSubtitleFile(const std::string& path, const LoadOptions& options) {
  std::string bytes;
  switch (settings::ReadFileBytes(path, kMaxFileBytes, bytes)) {
    case settings::ReadStatus::Ok:
      return LoadSubtitleBytes(bytes, options);
    case settings::ReadStatus::Missing:
      return Failed(LoadFailure::Missing);
    case settings::ReadStatus::TooLarge:
      return Failed(LoadFailure::TooBig);
    case settings::ReadStatus::Unreadable:
    case settings::ReadStatus::Foreign:  // only stored files are judged so
    case settings::ReadStatus::Damaged:
      break;
  }
  return Failed(LoadFailure::CannotOpen);
}

bool CheckSubtitleFile(const std::string& path, const LoadOptions& options) {
  return LoadSubtitleFile(path, options).Ok();
}

namespace {

template <class Char>
std::vector<std::size_t> JoinedLengths(const std::vector<std::vector<std::basic_string<Char>>>& entries) {
  std::vector<std::size_t> lengths;
  lengths.reserve(entries.size());
  for (const auto& lines : entries) {
    std::size_t length = lines.empty() ? 0 : lines.size() - 1;
    for (const auto& line : lines) length += line.size();
    lengths.push_back(length);
  }
  return lengths;
}

}  // namespace

void RecomputeDisplayDurations(Subtitle& subtitle, int averageDisplayTime) {
  std::vector<std::size_t> lengths =
      subtitle.IsWide ? JoinedLengths(subtitle.EntryLinesW) : JoinedLengths(subtitle.EntryLines);
  // A list whose display data do not match its entries is left as it is.
  if (lengths.size() != subtitle.Count()) return;
  subtitle.Durations = DisplayDurations(subtitle.Start, lengths, averageDisplayTime);
}

std::string LoadFailureMessage(LoadFailure failure, const std::string& fileName,
                               const settings::TextTable& texts) {
  const auto& m = texts.TextMessages;
  const std::string quoted = "\"" + fileName + "\"";
  switch (failure) {
    case LoadFailure::CannotOpen:
      return m[3] + " " + quoted + " " + m[4];
    case LoadFailure::TooBig:
      return m[5] + " " + quoted + " " + m[6];
    case LoadFailure::NotText:
      return m[59];
    case LoadFailure::UnknownType:
      return m[8];
    case LoadFailure::SeriousErrors:
      return m[9];
    case LoadFailure::None:
    case LoadFailure::Missing:
      break;
  }
  return {};
}

SubtitleLoad LoadSubtitleWithMessage(const std::string& path, bool silent,
                                     const LoadOptions& options,
                                     const settings::TextTable& texts) {
  SubtitleLoad load{LoadSubtitleFile(path, options), {}};
  if (!silent) load.Message = LoadFailureMessage(load.Result.Failure, path, texts);
  return load;
}

}  // namespace lc::subtitles
