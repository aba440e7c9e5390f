// Conversions of setting texts shared by the settings file and the
// remembered-settings file. None of them throws: a text that does not
// convert yields the given default, a number too large for its type
// saturates (and is then clamped by the caller).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lc::settings {

// A decimal integer: optional "+" or "-", then one or more digits, nothing
// else (no blanks). Values beyond the 64-bit range saturate.
std::optional<std::int64_t> ParseDecimal(std::string_view text);

// ParseDecimal saturated into the 32-bit range, or `fallback`.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// The Boolean rule: a decimal number is False when zero and True otherwise;
// "True" and "False" in any letter case; anything else gives `fallback`.
bool StrToBoolDef(std::string_view text, bool fallback);

// "0" or "1".
inline std::string BoolToStr(bool value) { return value ? "1" : "0"; }

// Rounds half to even, as the platform's class library does; saturates to
// the 64-bit range and gives 0 for NaN.
std::int64_t RoundHalfEven(double value);

inline std::int32_t ClampInt(std::int64_t value, std::int32_t lo, std::int32_t hi) {
  return static_cast<std::int32_t>(value < lo ? lo : value > hi ? hi : value);
}

// Parses a decimal number written with "," or "." as the separator; an
// optional leading "-"; only digits and at most one separator otherwise.
// A lone "-" or a lone separator gives 0. Anything else gives `fallback`.
double StrToFloatDot(std::string_view text, double fallback);

// Shortest text of a double with up to 15 significant digits and "." as the
// decimal separator ("1.78", "-1", "2").
std::string FloatToText(double value);

// ASCII case-insensitive comparison (used for names in the ANSI sense; bytes
// above 127 compare as they are).
bool SameTextAscii(std::string_view a, std::string_view b);

// The text with ASCII letters in lower or upper case; other bytes as they
// are.
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);

}  // namespace lc::settings
