// Writes a text table as a language file (UTF-8): one line per text in
// the file's section order, line breaks as "\n" and TABs as "\t". The
// program itself never writes language files; the fuzz targets use this
// for their seeds and to check that a table the reader accepted reads back
// the same.
#pragma once

#include <string>

#include "settings/text_table.h"

namespace lc::fuzz {

// The line that stands for `text`, or false when no line can (a CR that is
// not the line break of its array, as a cut through a CR LF leaves).
inline bool LanguageLine(const std::string& text, bool isOptionList, std::string& line) {
  line.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\t') {
      line += "\\t";
    } else if (c == '\r' && isOptionList) {
      line += "\\n";
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      line += "\\n";
      ++i;
    } else if (c == '\r' || c == '\n') {
      return false;
    } else {
      line += c;
    }
  }
  return true;
}

// The whole file; false when a text has no line.
inline bool WriteLanguageText(settings::TextTable table, const std::string& header, std::string& out) {
  out = header;
  std::string line;
  for (const settings::TextSection& section : settings::TextSectionOrder(table)) {
    for (const std::string& text : section.entries) {
      if (!LanguageLine(text, section.isOptionList, line)) return false;
      out += line + "\r\n";
    }
  }
  return true;
}

}  // namespace lc::fuzz
