// Readable names of the compression codes a movie's streams carry: the
// video four-character codes (the bitmap header's biCompression, first
// character in the low byte) and the WAVE format tags. Texts are 8-bit,
// some with tab characters between their parts. Portable.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lc::tools {

struct TVideoCodecRow {
  std::uint32_t Code;
  const char* Text;
};

struct TAudioCodecRow {
  std::uint16_t Tag;
  const char* Text;
};

// The tables, sorted by key (video_codecs.cpp, audio_codecs.cpp).
std::span<const TVideoCodecRow> VideoCodecTable();
std::span<const TAudioCodecRow> AudioCodecTable();

// The table's text for Code, compared whole and case-sensitively; else
// "Unknown (" + the four characters (low byte first) + ")" when the top
// byte is not zero, else "Unknown (" + Code in decimal + ")".
std::string GetVideoCodecName(std::uint32_t Code);

// The table's text for Tag; else "Unknown (" + the tag's two bytes as
// characters, low byte first + ")" for 256 .. 65535, else "Unknown (" +
// Tag in decimal + ")".
std::string GetAudioCodecName(std::uint32_t Tag);

}  // namespace lc::tools
