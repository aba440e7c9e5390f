#include "dates/date_time.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace lc {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days from 1 January of year 1 to the given date (proleptic Gregorian).
std::int64_t DayNumber(int y, int m, int d) {
  const std::int64_t py = y - 1;
  std::int64_t days = py * 365 + py / 4 - py / 100 + py / 400;
  for (int i = 1; i < m; ++i) days += DaysInMonth(y, i);
  return days + d - 1;
}

const std::int64_t kEpoch = DayNumber(1899, 12, 30);

void DecodeDay(std::int64_t dayNumber, int& y, int& m, int& d) {
  y = static_cast<int>(dayNumber / 366) + 1;  // a lower bound
  while (DayNumber(y + 1, 1, 1) <= dayNumber) ++y;
  std::int64_t rest = dayNumber - DayNumber(y, 1, 1);
  for (m = 1; rest >= DaysInMonth(y, m); ++m) rest -= DaysInMonth(y, m);
  d = static_cast<int>(rest) + 1;
}

// Splits "a<sep>b<sep>c" into numbers of 1 to 4 digits.
std::optional<std::vector<int>> Numbers(std::string_view text, char sep) {
  std::vector<int> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(sep, start);
    const std::string_view piece = text.substr(start, end == std::string_view::npos ? end : end - start);
    if (piece.empty() || piece.size() > 4) return std::nullopt;
    int v = 0;
    for (char c : piece) {
      if (c < '0' || c > '9') return std::nullopt;
      v = v * 10 + (c - '0');
    }
    out.push_back(v);
    if (end == std::string_view::npos) return out;
    start = end + 1;
  }
}

std::optional<double> ParseTime(std::string_view text) {
  const auto n = Numbers(text, ':');
  if (!n || n->size() < 2 || n->size() > 3) return std::nullopt;
  const int h = (*n)[0], mi = (*n)[1], s = n->size() == 3 ? (*n)[2] : 0;
  if (h > 23 || mi > 59 || s > 59) return std::nullopt;
  return (h * 3600.0 + mi * 60.0 + s) / 86400.0;
}

// Splits a value into whole days (truncated toward zero) and the
// milliseconds of its time of day (the fraction, whatever the sign).
void Split(double value, std::int64_t& days, std::int64_t& ms) {
  // Outside 01/01/0001 .. 31/12/9999 the value counts as 0.
  if (!std::isfinite(value) || value < -693593.0 || value >= 2958466.0) value = 0;
  days = static_cast<std::int64_t>(std::trunc(value));
  ms = static_cast<std::int64_t>(std::llround(std::fabs(value - days) * kMsPerDay));
  if (ms >= kMsPerDay) {
    // A time rounded up to midnight belongs to the next calendar day, which
    // is one day later whatever the sign of the count.
    ms -= kMsPerDay;
    ++days;
  }
}

std::string FormatTime(std::int64_t ms) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", static_cast<int>(ms / 3600000),
                static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60));
  return buf;
}

}  // namespace

bool EncodeDate(int year, int month, int day, double& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return false;
  }
  result = static_cast<double>(DayNumber(year, month, day) - kEpoch);
  return true;
}

double CurrentDateTime() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
  const std::time_t now = static_cast<std::time_t>(ms / 1000);
  const std::tm* local = std::localtime(&now);
  double date = 0;
  if (!local || !EncodeDate(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, date)) return 0;
  return date + (local->tm_hour * 3600000.0 + local->tm_min * 60000.0 + local->tm_sec * 1000.0 + ms % 1000) /
                    kMsPerDay;
}

std::string DateTimeToText(double value) {
  std::int64_t days = 0, ms = 0;
  Split(value, days, ms);
  int y = 0, m = 0, d = 0;
  DecodeDay(days + kEpoch, y, m, d);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d, m, y);
  std::string text(buf);
  if (ms != 0) text.append(1, ' ').append(FormatTime(ms));
  return text;
}

double TextToDateTime(std::string_view text, double fallback) {
  const std::size_t blank = text.find(' ');
  const std::string_view dateText = text.substr(0, blank);
  const auto date = Numbers(dateText, '/');
  if (!date || date->size() != 3) return fallback;
  int year = (*date)[2];
  // Only a year of one or two digits takes a century: "0001" is year 1, as
  // DateTimeToText writes it.
  const std::size_t yearDigits = dateText.size() - dateText.rfind('/') - 1;
  if (yearDigits <= 2) year += year < 50 ? 2000 : 1900;
  double result = 0;
  if (!EncodeDate(year, (*date)[1], (*date)[0], result)) return fallback;
  if (blank == std::string_view::npos) return result;
  const auto time = ParseTime(text.substr(blank + 1));
  if (!time) return fallback;
  // Before 30/12/1899 the day count is negative and the time of day is its
  // fraction all the same: -1.25 is 29/12/1899 06:00.
  return result < 0 ? result - *time : result + *time;
}

std::string TimeToText(double value) {
  std::int64_t days = 0, ms = 0;
  Split(value, days, ms);
  return FormatTime(ms);
}

double TextToTime(std::string_view text, double fallback) { return ParseTime(text).value_or(fallback); }

}  // namespace lc
