#include "settings/text_encoding.h"

#include <array>
#include <cstdint>

namespace lc::settings {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the five undefined
// bytes keep their own value, as the platform's conversion does.
constexpr std::array<char32_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every character of the code page lies below U+10000.
void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one code point at `pos` and advances it; an invalid sequence
// yields U+FFFD and advances by one byte.
char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  const int extra = b0 >= 0xF0 && b0 < 0xF5 ? 3
                    : b0 >= 0xE0 && b0 < 0xF0 ? 2
                    : b0 >= 0xC2 && b0 < 0xE0 ? 1
                                              : -1;
  if (extra < 0 || pos + extra >= s.size()) {
    ++pos;
    return 0xFFFD;
  }
  char32_t cp = b0 & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  pos += extra + 1;
  return cp;
}

class Codec1252 final : public AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) const override {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) {
      const auto b = static_cast<unsigned char>(c);
      AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh1252[b - 0x80] : char32_t{b});
    }
    return out;
  }

  std::string FromUtf8(std::string_view utf8) const override {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
      out += ToByte(DecodeUtf8(utf8, pos));
    }
    return out;
  }

 private:
  static char ToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh1252.size(); ++i) {
      if (kHigh1252[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '?';
  }
};

const AnsiCodec* g_codec = nullptr;

}  // namespace

const AnsiCodec& Windows1252Codec() {
  static const Codec1252 codec;
  return codec;
}

const AnsiCodec& CurrentAnsiCodec() { return g_codec ? *g_codec : Windows1252Codec(); }

void SetAnsiCodec(const AnsiCodec* codec) { g_codec = codec; }

std::string EncodeStoredText(std::string_view utf8) {
  const AnsiCodec& codec = CurrentAnsiCodec();
  const std::string ansi = codec.FromUtf8(utf8);
  // The code page spells the text exactly.
  if (codec.ToUtf8(ansi) == utf8) return ansi;
  std::string out(kUtf8Mark);
  out += utf8;
  return out;
}

std::string DecodeStoredText(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) return std::string(bytes.substr(kUtf8Mark.size()));
  return CurrentAnsiCodec().ToUtf8(bytes);
}

bool IsForeignText(std::string_view bytes) {
  const std::string_view head = bytes.substr(0, 4);
  if (head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF") return true;
  if (head == std::string_view("\0\0\xFE\xFF", 4)) return true;
  // UTF-16 without a mark: a first character below 256 gives one NUL in
  // the first two bytes. NULs further on (a tail of zeros a crash left)
  // do not make the text foreign.
  return head.size() >= 2 && (head[0] == '\0') != (head[1] == '\0');
}

std::size_t Utf8Length(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++count) DecodeUtf8(utf8, pos);
  return count;
}

std::string Utf8Left(std::string_view utf8, std::size_t maxChars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < maxChars && pos < utf8.size(); ++n) DecodeUtf8(utf8, pos);
  return std::string(utf8.substr(0, pos));
}

}  // namespace lc::settings
