// Texts shown to the user or written to traces: sizes in MB, dates in the
// stub's fixed formats and random decimal numbers for folder names. Pure; the
// Win32 caller supplies the local time and the locale's separators.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Bytes in MB with 1 decimal above 10 MB, 2 from 1 MB, else 3; negative
// counts as 0; "." as decimal point, no thousands separator.
std::string FormatMB(int64_t bytes);

struct DateTimeParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Splits a count of seconds since 30 December 1899 (the stub's clock, see
// NowSeconds) into calendar parts; negative counts go back before that day.
DateTimeParts DateTimeFromSeconds(int64_t seconds);

// "09-DEC-2026".
std::string DateText(const DateTimeParts& when);
// DateText, a blank, "HH:NN:SS" with the given time separator.
std::string DateTimeText(const DateTimeParts& when, char time_separator = ':');
// "dd/mm/yy HH:NN:SS" with the given date and time separators.
std::string TimeStampText(const DateTimeParts& when, char date_separator = '/',
                          char time_separator = ':');

// Returns a number from 0 to bound - 1; called only with bound >= 1.
using RandomBelow = std::function<uint64_t(uint64_t bound)>;
// Decimal text of low + a random number below high - low + 1; low itself when
// that span is empty or negative. Note the argument order: high first.
std::string RandomText(int64_t high, int64_t low, const RandomBelow& random_below);
// Same, with a generator seeded afresh from the clock on every call.
std::string RandomText(int64_t high, int64_t low);
