// Language files for tests: a text as a language-file line, the file of a
// whole table, and a generated language for layout tests whose every text is
// about a third longer than the built-in one (as translations into many
// languages are), with its line breaks, TABs and list items where they were.
#pragma once

#include <string>

#include "settings/text_table.h"

namespace lc::settings::testing {

// Every run of characters between TABs, CRs and LFs grows by Percent of
// its length (rounded up) with its own first characters, blanks made "x",
// so the added letters join the run's last word (at 30 %, "Brightness"
// gives "BrightnessBri", "OK" gives "OKO").
inline std::string Lengthened(const std::string& Text, int Percent = 30) {
  std::string Out;
  std::string Run;
  const auto Flush = [&] {
    const std::size_t Extra = (Run.size() * Percent + 99) / 100;
    std::string Added = Run.substr(0, Extra);
    for (char& C : Added)
      if (C == ' ') C = 'x';
    Out += Run + Added;
    Run.clear();
  };
  for (char C : Text) {
    if (C == '\t' || C == '\r' || C == '\n') {
      Flush();
      Out += C;
    } else {
      Run += C;
    }
  }
  Flush();
  return Out;
}

// The built-in table with every text lengthened by Percent.
inline TextTable LongerTable(int Percent = 30) {
  TextTable Table;
  SetDefaultTexts(Table);
  for (TextSection& Section : TextSectionOrder(Table))
    for (std::string& Text : Section.entries) Text = Lengthened(Text, Percent);
  return Table;
}

// One text as a language-file line: CR LF and a lone CR written "\n", TAB
// "\t".
inline std::string LanguageFileLine(const std::string& Text) {
  std::string Line;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\r') {
      Line += "\\n";
      if (I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    } else if (Text[I] == '\t') {
      Line += "\\t";
    } else {
      Line += Text[I];
    }
  }
  return Line;
}

// The language file of Table: the translator's credit in a comment line,
// then the 268 texts in file order, one a line.
inline std::string LanguageFileText(TextTable Table, const std::string& Translator) {
  std::string Out = "// Translated by: " + Translator + "\r\n\r\n";
  for (const TextSection& Section : TextSectionOrder(Table))
    for (const std::string& Text : Section.entries) Out += LanguageFileLine(Text) + "\r\n";
  return Out;
}

}  // namespace lc::settings::testing
