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

// Number of code points of a UTF-8 text (invalid bytes count as one each).
std::size_t Utf8Length(std::string_view utf8);
// The first `maxChars` code points of a UTF-8 text.
std::string Utf8Left(std::string_view utf8, std::size_t maxChars);

}  // namespace lc::settings
