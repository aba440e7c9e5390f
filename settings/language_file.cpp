#include "settings/language_file.h"

#include <algorithm>
#include <vector>

#include "settings/file_io.h"
#include "settings/text_apply.h"
#include "settings/text_encoding.h"

namespace lc::settings {
namespace {

bool IsSkipped(const std::string& line) { return line.empty() || line.compare(0, 2, "//") == 0; }

std::string FileNameOnly(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out += to;
  }
  out.append(text, pos, std::string::npos);
  return out;
}

// Takes a keyed "//TextNotices N=text" line into `next`; any other comment,
// or a key out of range, is a comment.
void TakeNoticeLine(const std::string& line, TextTable& next) {
  const std::string_view prefix = kNoticeLinePrefix;
  if (line.compare(0, prefix.size(), prefix) != 0) return;
  const std::size_t equals = line.find('=', prefix.size());
  if (equals == std::string::npos || equals == prefix.size() || equals - prefix.size() > 3) return;
  std::size_t index = 0;
  for (std::size_t i = prefix.size(); i < equals; ++i) {
    if (line[i] < '0' || line[i] > '9') return;
    index = index * 10 + static_cast<std::size_t>(line[i] - '0');
  }
  if (index >= next.TextNotices.size() || equals + 1 == line.size()) return;
  next.TextNotices[index] = Utf8Left(ReplaceTextEscapes(line.substr(equals + 1), "\r\n"), kMaxNoticeLength);
}

}  // namespace

bool ParseLanguageText(std::string_view text, TextTable& next) {
  const std::vector<std::string> lines = SplitLines(text);
  for (const std::string& line : lines) TakeNoticeLine(line, next);
  std::size_t n = 0;
  for (TextSection& section : TextSectionOrder(next)) {
    const std::string lineBreak = section.isOptionList ? "\r" : "\r\n";
    for (std::string& entry : section.entries) {
      while (n < lines.size() && IsSkipped(lines[n])) ++n;
      if (n == lines.size()) return false;
      std::string text = Utf8Left(ReplaceTextEscapes(lines[n++], lineBreak), section.maxLength);
      if (section.isOptionList &&
          std::count(text.begin(), text.end(), '\r') != std::count(entry.begin(), entry.end(), '\r')) {
        return false;
      }
      entry = std::move(text);
    }
  }
  return std::all_of(lines.begin() + static_cast<std::ptrdiff_t>(n), lines.end(), IsSkipped);
}

std::string ReplaceTextEscapes(const std::string& text, const std::string& lineBreak) {
  return ReplaceAll(ReplaceAll(text, "\\n", lineBreak), "\\t", "\t");
}

LanguageLoadResult ReadLanguageFile(const std::string& fileName, bool silent, TextTable& table) {
  LanguageLoadResult result;
  std::string bytes;
  const ReadStatus status = ReadFileBytes(fileName, kMaxLanguageFileBytes, bytes);
  if (status == ReadStatus::Missing) {
    result.status = LanguageLoadStatus::Missing;
    if (!silent) {
      result.message = table.TextMessages[10] + " \"" + fileName + "\" " + table.TextMessages[11];
    }
    return result;
  }
  if (status == ReadStatus::Unreadable) {
    result.status = LanguageLoadStatus::CannotOpen;
    if (!silent) result.message = table.TextMessages[7] + " \"" + fileName + "\"!";
    return result;
  }
  TextTable next = table;
  if (status == ReadStatus::Ok &&
      ParseLanguageText(CurrentAnsiCodec().ToUtf8(bytes), next)) {
    table = std::move(next);
    result.status = LanguageLoadStatus::Accepted;
    return result;
  }
  // A malformed file leaves the built-in texts, not the language it was
  // meant to replace; the windows keep what they show.
  SetDefaultTexts(table);
  result.status = LanguageLoadStatus::Rejected;
  result.message = "Error while loading\r\n\"" + FileNameOnly(fileName) + "\"!";
  return result;
}

bool LoadLanguageFile(const std::string& fileName, bool silent, TextTable& table,
                      const ShowMessageFunction& showMessage) {
  const LanguageLoadResult result = ReadLanguageFile(fileName, silent, table);
  if (!result.message.empty() && showMessage) showMessage(result.message);
  if (result.status != LanguageLoadStatus::Accepted) return false;
  ApplyTexts(table);
  return true;
}

}  // namespace lc::settings
