// Language files: their bytes through the reader into a copy of the
// built-in table. Contracts: an accepted table keeps every text within its
// array's limit, never empty, and every option list with its number of
// items; written back as a language file it reads back the same.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "fuzz/language_writer.h"
#include "settings/language_file.h"
#include "settings/text_encoding.h"
#include "settings/text_table.h"

namespace {

using namespace lc::settings;

const TextTable& English() {
  static const TextTable table = [] {
    TextTable t;
    SetDefaultTexts(t);
    return t;
  }();
  return table;
}

void CheckAccepted(TextTable& table) {
  TextTable english = English();
  const auto expected = TextSectionOrder(english);
  const auto sections = TextSectionOrder(table);
  for (std::size_t s = 0; s < sections.size(); ++s) {
    for (std::size_t i = 0; i < sections[s].entries.size(); ++i) {
      const std::string& text = sections[s].entries[i];
      LC_FUZZ_CHECK(!text.empty());
      LC_FUZZ_CHECK(Utf8Length(text) <= sections[s].maxLength);
      if (sections[s].isOptionList) {
        const std::string& before = expected[s].entries[i];
        LC_FUZZ_CHECK(std::count(text.begin(), text.end(), '\r') ==
                      std::count(before.begin(), before.end(), '\r'));
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TextTable table = English();
  if (!ParseLanguageText(Windows1252Codec().ToUtf8(lc::fuzz::AsText(data, size)), table)) return 0;
  CheckAccepted(table);

  std::string written;
  if (!lc::fuzz::WriteLanguageText(table, "// Translated by: a fuzzer\r\n", written)) return 0;
  TextTable reread = English();
  LC_FUZZ_CHECK(ParseLanguageText(written, reread));
  LC_FUZZ_CHECK(reread == table);
  return 0;
}
