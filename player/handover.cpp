#include "player/handover.h"

namespace lc {

std::string BuildHandoverText(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) {
    text += arg;
    text += '\x01';
  }
  if (text.size() > kMaxHandoverChars) text.resize(kMaxHandoverChars);
  return text;
}

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

}  // namespace lc
