// Language files: the 268 texts of the table, one per line, in
// TextSectionOrder, in the ANSI code page. Empty lines and lines that begin
// with "//" are skipped anywhere; "\n" stands for a line break (a lone CR in
// option lists, CR LF elsewhere) and "\t" for a TAB. A file is accepted only
// as a whole: a missing or unreadable file leaves the table as it was, a
// malformed one leaves the built-in English texts.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "settings/text_table.h"

namespace lc::settings {

// Larger files are rejected (a real one holds some 40 kilobytes).
inline constexpr std::uint64_t kMaxLanguageFileBytes = 4 << 20;

enum class LanguageLoadStatus { Accepted, Missing, CannotOpen, Rejected };

struct LanguageLoadResult {
  LanguageLoadStatus status = LanguageLoadStatus::Rejected;
  // The message to show; empty when nothing is to be shown (success, or a
  // missing or unreadable file when silent). A malformed file is reported
  // also when silent.
  std::string message;
};

// Reads `fileName` and, when it is accepted, replaces the texts of `table`;
// a malformed file makes `table` the built-in English texts; a missing or
// unreadable one leaves it untouched. Messages are built from `table`'s
// texts as they were before the call.
LanguageLoadResult ReadLanguageFile(const std::string& fileName, bool silent, TextTable& table);

// Fills `next` (a copy of the current table) from the text of a language
// file (UTF-8); false when the text is malformed, `next` then holding a
// partial mixture that the caller must discard.
bool ParseLanguageText(std::string_view text, TextTable& next);

using ShowMessageFunction = std::function<void(const std::string& text)>;

// Reads the file into `table`, shows its message (if any) through
// `showMessage`, and on success pushes the new texts into the windows
// (ApplyTexts). True when the file was accepted. On failure the windows
// keep the texts they show and the caller keeps its language setting; the
// table is as ReadLanguageFile leaves it.
bool LoadLanguageFile(const std::string& fileName, bool silent, TextTable& table,
                      const ShowMessageFunction& showMessage);

// Replaces "\n" and then "\t" (case-sensitive) in one text of a language
// file; `lineBreak` is what "\n" becomes.
std::string ReplaceTextEscapes(const std::string& text, const std::string& lineBreak);

}  // namespace lc::settings
