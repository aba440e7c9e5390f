// The jump dialog's time: the text typed into its edit, parsed as the
// dialog's OK parses it, and the on-screen text after the jump.
// Contracts: a time is taken only from a text made of keys the edit
// accepts; it lies between 00:00:00 and 99:59:59 and is written back as the
// very text it came from; the on-screen text of the jump is well formed.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "tools/dialog_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lc::tools;
  if (size == 0) return 0;
  // The first byte picks the movie's length (milliseconds) and frame rate.
  constexpr std::int64_t kDurations[] = {0, 1, 5400000, 359999000, 9223372036854775807};
  constexpr double kRates[] = {25.0, 23.976, 0.0, 1000.0};
  const std::int64_t duration = kDurations[data[0] % 5];
  const double rate = kRates[data[0] / 5 % 4];
  const std::string text(lc::fuzz::AsText(data + 1, size - 1));

  const std::optional<std::int64_t> seconds = ParseJumpTime(text);
  if (!seconds) return 0;
  for (char c : text) LC_FUZZ_CHECK(JumpEditAccepts(static_cast<unsigned char>(c)));
  LC_FUZZ_CHECK(*seconds >= 0 && *seconds <= 99 * 3600 + 59 * 60 + 59);
  LC_FUZZ_CHECK(SecondsToHMS(*seconds) == text);

  const std::string osd = JumpOsdText(*seconds * 10000000, duration, data[0] & 128, rate);
  LC_FUZZ_CHECK(osd.size() > 6 && osd.substr(osd.size() - 2) == "%)");
  return 0;
}
