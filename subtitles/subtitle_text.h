// Reading a subtitle file's bytes into raw lines: the choice of encoding,
// the size limits, the decoding and the split into lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lc::subtitles {

enum class SubtitleEncoding {
  Ansi,     // 8-bit text in the ANSI code page
  Utf16Le,  // FF FE and an even size
  Utf8Bom,  // EF BB BF
  Utf8,     // no mark, but valid UTF-8 holding multi-byte characters
};

// A wide text may hold this many UTF-16 code units; an 8-bit file this many
// bytes, counted in whole 128-byte blocks.
inline constexpr std::size_t kMaxWideChars = 1048576;
inline constexpr std::uint64_t kMaxAnsiBytes = 1048576;
// No file larger than this can fit any encoding (three UTF-8 bytes per
// UTF-16 code unit at most, plus the mark): it is refused unread.
inline constexpr std::uint64_t kMaxFileBytes = 3 * kMaxWideChars + 3;

// The encoding of a file from its bytes. A file without a mark is UTF-8
// only when every byte belongs to a valid UTF-8 sequence (no overlong form,
// no surrogate, nothing above U+10FFFF) and at least one sequence is longer
// than one byte; any other file without a mark is ANSI.
SubtitleEncoding ChooseEncoding(std::string_view bytes);

// True when the bytes are valid UTF-8 with at least one multi-byte sequence.
bool IsMultiByteUtf8(std::string_view bytes);

// True when a file of `size` bytes in `encoding` is beyond the limits
// without decoding it (a UTF-8 file is measured again once decoded).
bool ExceedsSizeBeforeDecoding(SubtitleEncoding encoding, std::uint64_t size);

// UTF-8 to UTF-16; each byte of an invalid sequence becomes U+FFFD.
std::u16string DecodeUtf8(std::string_view bytes);
// Little-endian byte pairs to UTF-16 code units (a last odd byte is dropped).
std::u16string DecodeUtf16Le(std::string_view bytes);

// The raw lines of an 8-bit text: LF, CR LF and a lone CR each end a line,
// and the character 26 ends the text. CRs right before an LF end one line
// with it ("a\r\r\n" is one line: files written twice with CR LF hold
// them). Empty lines at the end are dropped.
std::vector<std::string> SplitAnsiLines(std::string_view text);
// The raw lines of a wide text: CR LF, LF and a lone CR each end a line.
// Empty lines at the end are dropped.
std::vector<std::u16string> SplitWideLines(std::u16string_view text);

}  // namespace lc::subtitles
