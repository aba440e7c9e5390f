#include "player/handover.h"

#include <string_view>

#include "settings/text_encoding.h"

namespace lc {

namespace {

// Every argument followed by the character of code 1.
std::string JoinArgs(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) {
    text += arg;
    text += '\x01';
  }
  return text;
}

std::string CutAtLimit(std::string text) {
  if (text.size() > kMaxHandoverChars) text.resize(kMaxHandoverChars);
  return text;
}

}  // namespace

std::string BuildHandoverText(const std::vector<std::string>& args) { return CutAtLimit(JoinArgs(args)); }

std::vector<std::string> SplitHandoverText(const void* data, size_t size) {
  std::vector<std::string> pieces;
  if (!data || size == 0) return pieces;
  const char* bytes = static_cast<const char*>(data);
  std::string piece;
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] == '\x01') {
      pieces.push_back(piece);
      piece.clear();
    } else {
      piece += bytes[i];
    }
  }
  return pieces;
}

std::string EncodeHandoverText(const std::vector<std::string>& utf8Args) {
  return CutAtLimit(settings::EncodeStoredText(JoinArgs(utf8Args)));
}

std::vector<std::string> DecodeHandoverText(const void* data, size_t size) {
  std::vector<std::string> pieces = SplitHandoverText(data, size);
  const std::string_view mark = settings::kUtf8Mark;
  const bool utf8 = !pieces.empty() && std::string_view(pieces.front()).substr(0, mark.size()) == mark;
  if (utf8) {
    pieces.front().erase(0, mark.size());
  } else {
    for (std::string& piece : pieces) piece = settings::CurrentAnsiCodec().ToUtf8(piece);
  }
  return pieces;
}

}  // namespace lc
