// The shell's DDE macros to the running player: the input's text split
// into lines as the DDE server splits a macro (at line feeds, a carriage
// return before one dropped), and the times the "/Play" rule compares.
// Contracts: a macro is a command only when the first line begins with it
// and its blank, and then its path is exactly the rest of that line; a
// "/Play" never replaces the playlist while a movie is being opened.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "player/system_macro.h"

namespace {

std::vector<std::string> MacroLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
    lines.emplace_back(text.substr(start, stop - start));
    start = end + 1;
  }
  return lines;
}

std::string_view CommandText(lc::MacroKind kind) {
  switch (kind) {
    case lc::MacroKind::Play: return "/Play ";
    case lc::MacroKind::AddFile: return "/AddFile ";
    case lc::MacroKind::AddFolder: return "/AddFolder ";
    case lc::MacroKind::None: break;
  }
  return {};
}

double Time(lc::fuzz::ByteReader& in) {
  const std::uint64_t bits = std::uint64_t{in.U32()} | std::uint64_t{in.U32()} << 32;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lc::fuzz::ByteReader in(data, size);
  const bool opening = in.Byte() & 1;
  const double now = Time(in), lastOpenEnd = Time(in);
  if (lc::PlayReplacesPlaylist(opening, now, lastOpenEnd)) LC_FUZZ_CHECK(!opening);

  const std::vector<std::string> lines = MacroLines(in.Bytes(in.Remaining()));
  const lc::SystemMacro macro = lc::ParseSystemMacro(lines);
  const std::string_view first = lines.empty() ? std::string_view() : std::string_view(lines.front());
  bool begins = false;
  for (lc::MacroKind kind : {lc::MacroKind::Play, lc::MacroKind::AddFile, lc::MacroKind::AddFolder}) {
    begins = begins || first.substr(0, CommandText(kind).size()) == CommandText(kind);
  }
  LC_FUZZ_CHECK((macro.Kind != lc::MacroKind::None) == begins);
  if (macro.Kind == lc::MacroKind::None) {
    LC_FUZZ_CHECK(macro.Path.empty());
  } else {
    LC_FUZZ_CHECK(std::string(CommandText(macro.Kind)) + macro.Path == first);
  }
  return 0;
}
