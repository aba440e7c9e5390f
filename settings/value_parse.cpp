#include "settings/value_parse.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace lc::settings {

std::optional<std::int64_t> ParseDecimal(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos == text.size()) return std::nullopt;
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;  // |INT64_MIN|
  std::uint64_t magnitude = 0;
  bool saturated = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return std::nullopt;
    if (saturated) continue;
    // Checked before the step, which could otherwise wrap past 2^64.
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (magnitude > (kLimit - digit) / 10) {
      saturated = true;
      continue;
    }
    magnitude = magnitude * 10 + digit;
    if (magnitude >= kLimit) saturated = true;
  }
  if (saturated) {
    return negative ? std::numeric_limits<std::int64_t>::min()
                    : std::numeric_limits<std::int64_t>::max();
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return negative ? -value : value;
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  const auto v = ParseDecimal(text);
  if (!v) return fallback;
  return ClampInt(*v, std::numeric_limits<std::int32_t>::min(),
                  std::numeric_limits<std::int32_t>::max());
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

bool StrToBoolDef(std::string_view text, bool fallback) {
  if (const auto v = ParseDecimal(text)) return *v != 0;
  if (SameTextAscii(text, "true")) return true;
  if (SameTextAscii(text, "false")) return false;
  return fallback;
}

std::int64_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
  if (value <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
  const double floor = std::floor(value);
  const double diff = value - floor;
  auto result = static_cast<std::int64_t>(floor);
  if (diff > 0.5 || (diff == 0.5 && (result & 1) != 0)) ++result;
  return result;
}

double StrToFloatDot(std::string_view text, double fallback) {
  if (text.empty()) return fallback;
  std::size_t pos = 0;
  const bool negative = text[0] == '-';
  if (negative) pos = 1;
  double mantissa = 0.0;  // every digit, the separator ignored
  int fractionDigits = 0;
  bool separatorSeen = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == ',' || c == '.') {
      if (separatorSeen) return fallback;
      separatorSeen = true;
    } else if (c >= '0' && c <= '9') {
      mantissa = mantissa * 10.0 + (c - '0');
      if (separatorSeen) ++fractionDigits;
    } else {
      return fallback;
    }
  }
  const double value = mantissa / std::pow(10.0, fractionDigits);
  if (!std::isfinite(value)) return fallback;
  return negative ? -value : value;
}

std::string FloatToText(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  std::string text(buf);
  for (char& c : text) {
    if (c == ',') c = '.';  // a C locale other than "C" must not leak in
  }
  if (text == "-0") text = "0";
  return text;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace lc::settings
