// Date-time values as the program keeps them: days since 30 December 1899
// as a double, the fraction being the time of day (the player's moments,
// the remembered settings' dates). Texts are fixed and locale-independent:
// "dd/mm/yyyy hh:nn:ss" and "hh:nn:ss". Portable.
#pragma once

#include <string>
#include <string_view>

namespace lc {

// Days since 30/12/1899 of a calendar date; false for an invalid date.
bool EncodeDate(int year, int month, int day, double& result);

// The local date and time now, to the millisecond.
double CurrentDateTime();

// "dd/mm/yyyy hh:nn:ss"; only the date when the time is exactly midnight.
std::string DateTimeToText(double value);

// Reads "d/m/y" with an optional blank and "h:n" or "h:n:s" after it
// (a year of one or two digits counts from 1950, one of three or four is
// taken as written); `fallback` for anything else.
double TextToDateTime(std::string_view text, double fallback);

// The time of day of `value` as "hh:nn:ss" (milliseconds dropped).
std::string TimeToText(double value);

// Reads "h:n" or "h:n:s" (hours 0..23) as a fraction of a day; `fallback`
// for anything else.
double TextToTime(std::string_view text, double fallback);

}  // namespace lc
