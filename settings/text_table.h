// The user-interface text table: every text the user sees, addressed by its
// array and fixed position. It starts with the built-in English texts and
// may be replaced as a whole from a language file (settings/language_file.h).
// Texts are UTF-8 (the language files are ANSI text, converted on load).
// Used on the GUI thread only.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>

namespace lc::settings {

struct TextTable {
  std::array<std::string, 69> TextMessages;    // message boxes and OSD texts
  std::array<std::string, 32> TextHints;       // hints and dialog titles
  std::array<std::string, 44> TextLabels;      // labels and state captions
  std::array<std::string, 15> TextButtons;     // text-button captions
  std::array<std::string, 12> TextOptionLists; // lists, items separated by a lone CR
  std::array<std::string, 4> TextTabs;         // configuration page names
  std::array<std::string, 15> TextCaptions;    // window titles
  std::array<std::string, 72> TextMenus;       // menu captions, key names
  std::string TextKeyHelp;                     // the key list, CR LF lines
  std::array<std::string, 4> TextFilters;      // file-dialog filter names
  // Texts added after the language-file layout was fixed. They are not among
  // the 268 lines of a language file: a file gives them in keyed comment
  // lines ("//TextNotices 1=..."), so every older file stays valid and keeps
  // the English ones, and older players skip the lines as comments.
  std::array<std::string, 8> TextNotices;

  bool operator==(const TextTable&) const = default;
};

inline constexpr std::size_t kTextCount = 268;

// The program-wide table.
TextTable& GlobalTextTable();

// Assigns the 268 built-in English texts.
void SetDefaultTexts(TextTable& table);

// One array of the table as the language file sees it: its entries and the
// longest text (in characters) taken from a file.
struct TextSection {
  const char* name;
  std::span<std::string> entries;
  std::size_t maxLength;
  bool isOptionList;
};

// The ten arrays in language-file order (TextSectionOrder): captions, hints,
// messages, labels, option lists, buttons, tabs, menus, filters, key help.
std::array<TextSection, 10> TextSectionOrder(TextTable& table);

// The keyed comment lines of a language file that carry TextNotices, and
// the longest such text taken from a file.
inline constexpr const char* kNoticeLinePrefix = "//TextNotices ";
inline constexpr std::size_t kMaxNoticeLength = 512;

// The text used as the value "No change" of FullscreenModeSwitch.
inline const std::string& NoChangeText(const TextTable& table) { return table.TextOptionLists[6]; }

}  // namespace lc::settings
