// The equalizer presets file ("Presets.EQ"): its bytes as lines through
// the preset reader, the presets written back and read again. Contracts:
// every value within -100..100 and every name one the dialog may save
// under; writing what was read and reading it back gives the same presets.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "settings/file_io.h"
#include "settings/text_encoding.h"
#include "tools/equalizer/eq_presets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lc::tools;
  const lc::settings::AnsiCodec& codec = lc::settings::Windows1252Codec();
  const auto read = ParsePresetLines(lc::settings::SplitLines(codec.ToUtf8(lc::fuzz::AsText(data, size))));
  for (const TNamedPreset& p : read) {
    LC_FUZZ_CHECK(ValidPresetName(p.Name));
    for (std::int8_t v : p.Values) LC_FUZZ_CHECK(v >= -100 && v <= 100);
  }
  const std::string written = codec.FromUtf8(FormatPresetLines(read));
  const auto again = ParsePresetLines(lc::settings::SplitLines(codec.ToUtf8(written)));
  LC_FUZZ_CHECK(again.size() == read.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    LC_FUZZ_CHECK(again[i].Name == read[i].Name && again[i].Values == read[i].Values);
  }
  return 0;
}
