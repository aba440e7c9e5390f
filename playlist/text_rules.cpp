#include "playlist/text_rules.h"

namespace lc::playlist {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

// Folds letters byte-wise: ASCII, the two-byte forms of U+00C0..U+00DE
// (U+00D7 is no letter) and of U+0100..U+017F, where an even code point is
// the capital of the odd one after it, or the odd one of the even one after
// it (U+0130, U+0131, U+0138, U+0149, U+0178 and U+017F keep their form).
class PortableCollation final : public Collation {
 public:
  std::string Lower(std::string_view text) const override {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
      auto& c = reinterpret_cast<unsigned char&>(out[i]);
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<unsigned char>(c + 32);
      } else if (i + 1 < out.size() && (c == 0xC3 || c == 0xC4 || c == 0xC5)) {
        auto& next = reinterpret_cast<unsigned char&>(out[i + 1]);
        const unsigned cp = ((c & 0x1Fu) << 6) | (next & 0x3Fu);
        unsigned lower = cp;
        if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) lower = cp + 0x20;
        if (cp >= 0x100 && cp <= 0x17F && KeepsEvenOdd(cp) && cp % 2 == CapitalParity(cp)) lower = cp + 1;
        c = static_cast<unsigned char>(0xC0 | (lower >> 6));
        next = static_cast<unsigned char>(0x80 | (lower & 0x3F));
        ++i;
      }
    }
    return out;
  }

  int CompareNoCase(std::string_view a, std::string_view b) const override {
    return Lower(a).compare(Lower(b));
  }

 private:
  // U+0139..U+0148 and U+0179..U+017E put the capital on odd code points.
  static unsigned CapitalParity(unsigned cp) {
    return (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E) ? 1 : 0;
  }
  static bool KeepsEvenOdd(unsigned cp) {
    return cp != 0x130 && cp != 0x131 && cp != 0x138 && cp != 0x149 && cp != 0x178 && cp != 0x17F;
  }
};

const Collation* g_collation = nullptr;

}  // namespace

const Collation& CurrentCollation() {
  static const PortableCollation portable;
  return g_collation ? *g_collation : portable;
}

void SetCollation(const Collation* collation) { g_collation = collation; }

std::string LowerText(std::string_view text) { return CurrentCollation().Lower(text); }

bool SameTextNoCase(std::string_view a, std::string_view b) { return LowerText(a) == LowerText(b); }

std::string FileNamePart(std::string_view path) {
  std::size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(i));
}

std::string FolderPart(std::string_view path) {
  std::size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(0, i));
}

std::string ExtensionOf(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return {};
  return LowerText(path.substr(dot + 1));
}

bool EndsWithSeparator(std::string_view path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

std::string WithSeparator(std::string_view folder) {
  std::string out(folder);
  if (!EndsWithSeparator(out)) out += '\\';
  return out;
}

}  // namespace lc::playlist
