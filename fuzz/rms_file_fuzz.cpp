// The remembered-settings file: its bytes through the loader, the table
// written back and loaded again. Contracts: at most kRmsMaxLoadedEntries
// entries; every field within its range; the text written is one the
// reader accepts; saving, loading and saving again gives the same file.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "settings/file_io.h"
#include "settings/rms_file.h"
#include "settings/text_encoding.h"

namespace {

using namespace lc::settings;

bool IsFontInstalled(const std::string& name) { return name == "Arial" || name == "Tahoma"; }

RmsTable Load(std::string_view bytes) {
  RmsTable table;
  ParseRmsLines(table, SplitLines(Windows1252Codec().ToUtf8(bytes)), TRmsEntry{}, IsFontInstalled);
  return table;
}

void CheckRanges(const TRmsEntry& e) {
  LC_FUZZ_CHECK(e.PanScan >= -50 && e.PanScan <= 100);
  LC_FUZZ_CHECK(e.AspectRatio == -1.0 || (e.AspectRatio >= 0.1 && e.AspectRatio <= 5.0));
  LC_FUZZ_CHECK(e.VideoImageXPosition >= -100 && e.VideoImageXPosition <= 100);
  LC_FUZZ_CHECK(e.VideoImageYPosition >= -100 && e.VideoImageYPosition <= 100);
  LC_FUZZ_CHECK(e.VideoWindowWidth >= 46 && e.VideoWindowWidth <= 8006);
  LC_FUZZ_CHECK(e.VideoWindowHeight >= 36 && e.VideoWindowHeight <= 6006);
  LC_FUZZ_CHECK(e.LastVideoPosition >= 0 && e.LastVideoPosition < 1);
  for (const std::string& b : e.BookMark) LC_FUZZ_CHECK(b.empty() || b.size() == 8);
  LC_FUZZ_CHECK(e.Brightness >= 0 && e.Brightness <= 10000);
  LC_FUZZ_CHECK(e.Contrast >= 0 && e.Contrast <= 20000);
  LC_FUZZ_CHECK(e.Hue >= -180 && e.Hue <= 180);
  LC_FUZZ_CHECK(e.Saturation >= 0 && e.Saturation <= 20000);
  LC_FUZZ_CHECK(e.AudioVolume >= 0 && e.AudioVolume <= 10000);
  LC_FUZZ_CHECK(IsFontInstalled(e.SubtitleFontName));
  LC_FUZZ_CHECK(e.SubtitleSize >= 10 && e.SubtitleSize <= 1000);
  LC_FUZZ_CHECK(e.SubtitleFontColor >= -16777215 && e.SubtitleFontColor <= 16777215);
  LC_FUZZ_CHECK(e.SubtitleFontStyle <= (kFontBold | kFontItalic));
  LC_FUZZ_CHECK(e.AverageVerticalDisplayZone >= 0 && e.AverageVerticalDisplayZone <= 50);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const RmsTable loaded = Load(lc::fuzz::AsText(data, size));
  LC_FUZZ_CHECK(loaded.size() <= kRmsMaxLoadedEntries);
  for (const TRmsEntry& e : loaded.entries()) CheckRanges(e);

  const std::string text = RmsToText(loaded);
  LC_FUZZ_CHECK(text.size() <= kMaxRmsFileBytes);
  const std::string saved = Windows1252Codec().FromUtf8(text);
  LC_FUZZ_CHECK(saved.size() <= kMaxRmsFileBytes);
  LC_FUZZ_CHECK(Windows1252Codec().FromUtf8(RmsToText(Load(saved))) == saved);
  return 0;
}
