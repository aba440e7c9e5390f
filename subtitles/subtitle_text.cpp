#include "subtitles/subtitle_text.h"

#include <algorithm>

namespace lc::subtitles {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one strict UTF-8 sequence at `pos`. On success stores the code
// point and its byte count; an invalid sequence gives false.
bool DecodeSequence(std::string_view s, std::size_t pos, char32_t& cp, std::size_t& length) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) {
    cp = b0;
    length = 1;
    return true;
  }
  std::size_t extra;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3;
    min = 0x10000;
  } else {
    return false;
  }
  if (s.size() - pos <= extra) return false;
  char32_t value = b0 & (0x3F >> extra);
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) return false;
    value = (value << 6) | (b & 0x3F);
  }
  if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  cp = value;
  length = extra + 1;
  return true;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

template <class Char>
void DropTrailingEmpty(std::vector<std::basic_string<Char>>& lines) {
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
}

// Splits a text at LF, CR LF and every other CR. With `crsBeforeLf` a run
// of CRs right before an LF ends one line with it. Empty lines at the end
// are dropped.
template <class Char>
std::vector<std::basic_string<Char>> SplitAtLineEnds(std::basic_string_view<Char> text,
                                                     bool crsBeforeLf) {
  const Char cr = Char('\r');
  const Char lf = Char('\n');
  std::vector<std::basic_string<Char>> lines;
  lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), lf)) + 1);
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != cr && text[i] != lf) continue;
    lines.emplace_back(text.substr(begin, i - begin));
    if (text[i] == cr) {
      std::size_t next = i + 1;
      while (crsBeforeLf && next < text.size() && text[next] == cr) ++next;
      if (next < text.size() && text[next] == lf) {
        i = next;
      } else {
        // Each CR of the run ends a line of its own.
        lines.resize(lines.size() + (next - i - 1));
        i = next - 1;
      }
    }
    begin = i + 1;
  }
  if (begin < text.size()) lines.emplace_back(text.substr(begin));
  DropTrailingEmpty(lines);
  return lines;
}

}  // namespace

bool IsMultiByteUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp;
    std::size_t length;
    if (!DecodeSequence(bytes, pos, cp, length)) return false;
    multiByte = multiByte || length > 1;
    pos += length;
  }
  return multiByte;
}

SubtitleEncoding ChooseEncoding(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    return SubtitleEncoding::Utf16Le;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) return SubtitleEncoding::Utf8Bom;
  return IsMultiByteUtf8(bytes) ? SubtitleEncoding::Utf8 : SubtitleEncoding::Ansi;
}

bool ExceedsSizeBeforeDecoding(SubtitleEncoding encoding, std::uint64_t size) {
  switch (encoding) {
    case SubtitleEncoding::Utf16Le:
      return (size - 2) / 2 > kMaxWideChars;
    case SubtitleEncoding::Utf8Bom:
      return size - 3 > 3 * std::uint64_t{kMaxWideChars};
    case SubtitleEncoding::Utf8:
      return size > 3 * std::uint64_t{kMaxWideChars};
    case SubtitleEncoding::Ansi:
      break;
  }
  return size / 128 * 128 > kMaxAnsiBytes;
}

std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t cp;
    std::size_t length;
    if (DecodeSequence(bytes, pos, cp, length)) {
      AppendUtf16(out, cp);
      pos += length;
    } else {
      out += static_cast<char16_t>(kReplacement);
      ++pos;
    }
  }
  return out;
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
  std::u16string out(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return out;
}

std::vector<std::string> SplitAnsiLines(std::string_view text) {
  return SplitAtLineEnds(text.substr(0, text.find('\x1A')), true);
}

std::vector<std::u16string> SplitWideLines(std::u16string_view text) {
  return SplitAtLineEnds(text, false);
}

}  // namespace lc::subtitles
