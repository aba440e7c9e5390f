// Text encodings of the settings, language and remembered-settings files.
//
// Inside the program every string of this folder (settings values, paths,
// user-interface texts, movie names) is UTF-8 in a std::string. The files
// themselves are 8-bit text in the system's ANSI code page; the conversion
// happens only at the file boundary, through the AnsiCodec installed here.
// The portable default treats the ANSI code page as Windows-1252; the Windows
// start-up installs the real code page (settings/win/settings_win.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lc::settings {

// Converts between the ANSI code page of the files and UTF-8.
class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  // Bytes of the file (any value) to UTF-8; never fails.
  virtual std::string ToUtf8(std::string_view ansi) const = 0;
  // UTF-8 to file bytes; characters without an ANSI form become '?'.
  virtual std::string FromUtf8(std::string_view utf8) const = 0;
};

// The codec used by every file reader and writer of this folder.
const AnsiCodec& CurrentAnsiCodec();
// Installs a codec (it must outlive its use); nullptr restores the default.
void SetAnsiCodec(const AnsiCodec* codec);

// The portable Windows-1252 codec.
const AnsiCodec& Windows1252Codec();

// The stored files (settings, remembered settings, presets, playlists) are
// 8-bit text in the ANSI code page as long as the code page spells every
// character they hold; otherwise they are UTF-8 behind a UTF-8 byte-order
// mark, so that no name is lost. Readers take both forms.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// The bytes of a stored file holding the UTF-8 text.
std::string EncodeStoredText(std::string_view utf8);
// The UTF-8 text of a stored file's bytes.
std::string DecodeStoredText(std::string_view bytes);
// Bytes in an encoding no reader of the stored files takes: a UTF-16 or
// UTF-32 byte-order mark, or UTF-16 without one (a NUL in exactly one of
// the first two bytes).
bool IsForeignText(std::string_view bytes);

// Number of code points of a UTF-8 text (invalid bytes count as one each).
std::size_t Utf8Length(std::string_view utf8);
// The first `maxChars` code points of a UTF-8 text.
std::string Utf8Left(std::string_view utf8, std::size_t maxChars);

}  // namespace lc::settings
