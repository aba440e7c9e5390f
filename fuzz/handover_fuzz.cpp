// The text a second instance hands over: any bytes the receiving main
// window may get in WM_COPYDATA. Contracts: one piece per code-1 character,
// none containing it; the pieces joined again give the text up to its last
// code-1 character (cut as the sender cuts).
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "player/handover.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> pieces = lc::SplitHandoverText(data, size);
  const std::string_view text = lc::fuzz::AsText(data, size);
  LC_FUZZ_CHECK(pieces.size() == static_cast<std::size_t>(std::count(text.begin(), text.end(), '\x01')));
  for (const std::string& piece : pieces) LC_FUZZ_CHECK(piece.find('\x01') == std::string::npos);

  const std::size_t last = text.rfind('\x01');
  const std::string_view ended = last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
  const std::string joined = lc::BuildHandoverText(pieces);
  LC_FUZZ_CHECK(joined == ended.substr(0, lc::kMaxHandoverChars));
  if (ended.size() <= lc::kMaxHandoverChars) {
    LC_FUZZ_CHECK(lc::SplitHandoverText(joined.data(), joined.size()) == pieces);
  }
  return 0;
}
