// The text under a download's progress bar: received and total size in the
// unit that suits the file, then the recent rate in KB per second. Pure: the
// caller passes the tick count (milliseconds) of each sample and the
// thousands separator it wants.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// value / unit with exactly one decimal ("." as decimal point, halves rounded
// away from zero) and ThousandsSep applied; a unit below 1 counts as 1.
std::string SizeText(int64_t value, int64_t unit, char separator = ',');

// Inserts `separator` every three characters counted leftwards from the first
// "." (or from the end); a leading sign does not count. A separator of "." or
// character 0 would make the number unreadable and is taken as ",".
std::string ThousandsSep(std::string_view text, char separator = ',');

class TBytesRate {
 public:
  // Megabyte mode wins over kilobyte mode; without either, plain byte counts.
  TBytesRate(bool kilobytes, bool megabytes, char thousands_separator = ',');

  void Reset();

  // "received/total UNIT", followed by "   -   RATE KB/Sec" once a rate exists.
  // Takes one sample (see RateText).
  std::string Text(uint32_t total, uint32_t received, uint32_t chunk, uint32_t now_ms);

  // Records a chunk received at `now_ms` and returns the rate over the last
  // four chunks in KB/s with two decimals; empty until five samples exist.
  // Recomputed at most every 500 ms; in between the last rate is returned.
  std::string RateText(uint32_t chunk, uint32_t now_ms);

 private:
  static constexpr size_t kSamples = 5;

  std::array<uint32_t, kSamples> ticks_{};  // oldest first
  std::array<uint32_t, kSamples> bytes_{};  // oldest first
  bool kilobytes_;
  bool megabytes_;
  char separator_;
  std::string rate_text_;
  uint32_t last_update_ = 0;
  // Counted rather than read from a zero tick entry: the tick count itself
  // may be 0 once every 49.7 days, and an injected clock may start there.
  size_t samples_ = 0;
  bool updated_ = false;
};
