// The settings file: its bytes through the reader as the start-up reads
// them, every value converted and clamped into a store, then written back.
// Contracts: only the 96 keys are read; every clamped value lies in its
// range; saving, loading and saving again gives the same file.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_encoding.h"

namespace {

using namespace lc::settings;

const testing::FakeHost& Host() {
  static const testing::FakeHost host;
  return host;
}

// Converts the values of a file that matched at least one key, as the
// start-up does, into a store holding the defaults.
SettingsStore Convert(const std::vector<std::string>& values) {
  SettingsStore store;
  SetDefaultSettings(store, Host().screenWidth, Host().screenHeight);
  ConvertLoadedValues(store, Host(), values);
  return store;
}

void CheckRanges(const SettingsStore& store) {
  for (const SettingDef& d : SettingsTable()) {
    if (d.kind == SettingKind::Int && d.clamped) {
      LC_FUZZ_CHECK(store.*d.intField >= d.min && store.*d.intField <= d.max);
    }
  }
  LC_FUZZ_CHECK(store.CpuPriority >= 0 && store.CpuPriority <= 3);
  LC_FUZZ_CHECK(store.SubtitleFontStyle == 0 || store.SubtitleFontStyle == kFontBold ||
                store.SubtitleFontStyle == kFontItalic ||
                store.SubtitleFontStyle == (kFontBold | kFontItalic));
  for (std::int32_t v : store.EqualizerSettings) LC_FUZZ_CHECK(v >= -100 && v <= 100);
  LC_FUZZ_CHECK(store.FileAssociation.size() == store.MediaExtensions.size());
  LC_FUZZ_CHECK(Utf8Length(store.FullscreenModeSwitch) <= 256);
  LC_FUZZ_CHECK(Utf8Length(store.LastUsedLanguage) <= 256);
}

// The file bytes a store is saved as.
std::string SavedBytes(const SettingsStore& store) {
  const std::vector<std::string> values = BuildConfigValues(store, Host(), kNoChange);
  LC_FUZZ_CHECK(values.size() == static_cast<std::size_t>(kConfigKeyCount));
  return Windows1252Codec().FromUtf8(ConfigText(ConfigKeyNames(), values));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = lc::fuzz::AsText(data, size);
  const AnsiCodec& codec = Windows1252Codec();
  const std::string text = codec.ToUtf8(bytes);
  // Every byte of the code page survives the trip through UTF-8.
  LC_FUZZ_CHECK(codec.FromUtf8(text) == bytes);

  std::vector<std::string> values;
  ParseConfigText(text, ConfigKeyNames(), values);
  LC_FUZZ_CHECK(values.size() <= static_cast<std::size_t>(kConfigKeyCount));
  if (values.empty()) return 0;  // no line matched a key: nothing changes

  const SettingsStore loaded = Convert(values);
  CheckRanges(loaded);
  const std::string saved = SavedBytes(loaded);

  std::vector<std::string> reread;
  ParseConfigText(codec.ToUtf8(saved), ConfigKeyNames(), reread);
  LC_FUZZ_CHECK(reread.size() == static_cast<std::size_t>(kConfigKeyCount));
  LC_FUZZ_CHECK(SavedBytes(Convert(reread)) == saved);
  return 0;
}
