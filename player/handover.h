// The text a second instance hands to the running one: every command-line
// argument followed by the character of code 1, in 8-bit characters of the
// system code page, at most kMaxHandoverChars characters. When the code
// page cannot spell an argument, the text is UTF-8 behind the UTF-8
// byte-order mark instead, as the data files are (settings/text_encoding.h).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lc {

inline constexpr size_t kMaxHandoverChars = 9252;

// Joins the arguments, each followed by "\x01", and cuts the result at
// kMaxHandoverChars characters.
std::string BuildHandoverText(const std::vector<std::string>& args);

// The receiving side: the pieces of the `size` bytes at `data` that are
// each ended by "\x01", in order; bytes after the last "\x01" are dropped.
// Reads nothing beyond `size` bytes, and nothing at all when `data` is null
// or `size` is 0.
std::vector<std::string> SplitHandoverText(const void* data, size_t size);

// The text for UTF-8 arguments: 8-bit text of the code page, or the mark
// and UTF-8 text when the code page cannot spell one of them; cut at
// kMaxHandoverChars bytes.
std::string EncodeHandoverText(const std::vector<std::string>& utf8Args);
// The receiving side in UTF-8: the pieces of SplitHandoverText, taken as
// UTF-8 behind the mark, else converted from the code page.
std::vector<std::string> DecodeHandoverText(const void* data, size_t size);

}  // namespace lc
