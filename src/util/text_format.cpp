// Formatters for sizes, dates and random numbers. Sizes go through snprintf,
// which reads "." as the decimal point because the stub never changes the C
// library's locale; the system's own separators are applied by callers only
// where a format names them (the date and time separators).
#include "util/text_format.h"

#include <chrono>
#include <cstdio>
#include <random>

#include "util/delimited_list.h"
#include "util/string_ops.h"

namespace {

constexpr std::string_view kMonthList = "||JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC|";
constexpr int64_t kSecondsPerDay = 86400;
// Days from 1 March of year 0 (proleptic Gregorian) to 30 December 1899.
constexpr int64_t kEpochDayShift = 693899;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::string TwoDigits(int value) { return IntToZeroPad(value, 2); }

std::string ClockText(const DateTimeParts& when, char separator) {
  return TwoDigits(when.hour) + separator + TwoDigits(when.minute) + separator +
         TwoDigits(when.second);
}

}  // namespace

std::string FormatMB(int64_t bytes) {
  const double mb = bytes <= 0 ? 0.0 : static_cast<double>(bytes) / 1048576.0;
  const char* format = mb > 10 ? "%.1f" : mb >= 1 ? "%.2f" : "%.3f";
  char text[64];
  std::snprintf(text, sizeof text, format, mb);
  return text;
}

DateTimeParts DateTimeFromSeconds(int64_t seconds) {
  const int64_t days = FloorDiv(seconds, kSecondsPerDay);
  const int64_t in_day = seconds - days * kSecondsPerDay;
  // Civil date from a day count in 400-year eras that start on 1 March, so
  // the leap day falls at the end of each year.
  const int64_t z = days + kEpochDayShift;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t day_of_era = z - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t mp = (5 * day_of_year + 2) / 153;
  DateTimeParts parts;
  parts.day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  parts.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  parts.year = static_cast<int>(year_of_era + era * 400 + (parts.month <= 2 ? 1 : 0));
  parts.hour = static_cast<int>(in_day / 3600);
  parts.minute = static_cast<int>(in_day / 60 % 60);
  parts.second = static_cast<int>(in_day % 60);
  return parts;
}

std::string DateText(const DateTimeParts& when) {
  return TwoDigits(when.day) + "-" + SUB::Item(kMonthList, when.month) + "-" +
         IntToZeroPad(when.year, 4);
}

std::string DateTimeText(const DateTimeParts& when, char time_separator) {
  return DateText(when) + " " + ClockText(when, time_separator);
}

std::string TimeStampText(const DateTimeParts& when, char date_separator, char time_separator) {
  const int short_year = ((when.year % 100) + 100) % 100;
  return TwoDigits(when.day) + date_separator + TwoDigits(when.month) + date_separator +
         TwoDigits(short_year) + " " + ClockText(when, time_separator);
}

std::string RandomText(int64_t high, int64_t low, const RandomBelow& random_below) {
  if (high < low) return std::to_string(low);
  const uint64_t span = static_cast<uint64_t>(high) - static_cast<uint64_t>(low) + 1;
  // A span of 0 means the full 64-bit range wrapped; every offset is valid then.
  const uint64_t offset = span == 0 ? random_below(UINT64_MAX) : random_below(span) % span;
  return std::to_string(static_cast<int64_t>(static_cast<uint64_t>(low) + offset));
}

std::string RandomText(int64_t high, int64_t low) {
  // Seeded on every call: callers want a fresh folder name, not a sequence.
  std::mt19937_64 generator(
      static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  return RandomText(high, low, [&generator](uint64_t bound) {
    return std::uniform_int_distribution<uint64_t>(0, bound - 1)(generator);
  });
}
