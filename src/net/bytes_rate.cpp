// Transfer meter. Every figure is computed in integers so that the host and
// the Windows build print the same digits, whatever their printf rounds.
#include "net/bytes_rate.h"

#include <cstdio>
#include <numeric>

namespace {

constexpr uint32_t kRateRefreshMs = 500;

// num / den (den >= 1) rounded half away from zero to 1 or 2 decimals.
std::string FixedText(uint64_t num, uint64_t den, int decimals) {
  const uint64_t scale = decimals == 1 ? 10 : 100;
  uint64_t whole = num / den;
  uint64_t rest = num % den;
  // 2 * rest * scale must fit; only a divisor far beyond any file size gets
  // here, and halving both keeps the quotient to well within the last digit.
  while (den > UINT64_MAX / (2 * scale)) {
    den >>= 1;
    rest >>= 1;
  }
  uint64_t fraction = (2 * rest * scale + den) / (2 * den);
  if (fraction >= scale) {
    ++whole;  // cannot overflow: a remainder exists only when den > 1
    fraction -= scale;
  }
  char digits[8];
  std::snprintf(digits, sizeof digits, "%0*u", decimals, static_cast<unsigned>(fraction));
  return std::to_string(whole) + "." + digits;
}

void Shift(std::array<uint32_t, 5>& history, uint32_t value) {
  for (size_t i = 1; i < history.size(); ++i) history[i - 1] = history[i];
  history.back() = value;
}

}  // namespace

std::string ThousandsSep(std::string_view text, char separator) {
  if (separator == '.' || separator == '\0') separator = ',';
  const size_t point = text.find('.');
  const size_t end = point == std::string_view::npos ? text.size() : point;
  const size_t begin = !text.empty() && (text.front() == '-' || text.front() == '+') ? 1 : 0;
  if (end <= begin) return std::string(text);
  std::string result(text.substr(0, begin));
  for (size_t i = begin; i < end; ++i) {
    if (i > begin && (end - i) % 3 == 0) result += separator;
    result += text[i];
  }
  result.append(text.substr(end));
  return result;
}

std::string SizeText(int64_t value, int64_t unit, char separator) {
  const uint64_t divisor = unit < 1 ? 1 : static_cast<uint64_t>(unit);
  const bool negative = value < 0;
  // Two's complement negation in unsigned arithmetic also holds INT64_MIN.
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string text = FixedText(magnitude, divisor, 1);
  if (negative && text != "0.0") text.insert(0, 1, '-');
  return ThousandsSep(text, separator);
}

TBytesRate::TBytesRate(bool kilobytes, bool megabytes, char thousands_separator)
    : kilobytes_(kilobytes), megabytes_(megabytes), separator_(thousands_separator) {}

void TBytesRate::Reset() {
  ticks_.fill(0);
  bytes_.fill(0);
  rate_text_.clear();
  last_update_ = 0;
  samples_ = 0;
  updated_ = false;
}

std::string TBytesRate::RateText(uint32_t chunk, uint32_t now_ms) {
  Shift(ticks_, now_ms);
  Shift(bytes_, chunk);
  if (samples_ < kSamples) ++samples_;
  // Unsigned differences stay right across the wrap of the tick count.
  const uint32_t elapsed = now_ms - ticks_.front();
  const bool due = !updated_ || now_ms - last_update_ > kRateRefreshMs;
  if (samples_ == kSamples && elapsed != 0 && due) {
    // The oldest tick opens the window; the four chunks after it fill it.
    const uint64_t bytes = std::accumulate(bytes_.begin() + 1, bytes_.end(), uint64_t{0});
    last_update_ = now_ms;
    updated_ = true;
    // bytes / (elapsed / 1000) / 1024, at most about 2^34 * 1000: no overflow.
    rate_text_ = FixedText(bytes * 1000, uint64_t{elapsed} * 1024, 2);
  }
  return rate_text_;
}

std::string TBytesRate::Text(uint32_t total, uint32_t received, uint32_t chunk, uint32_t now_ms) {
  std::string text;
  if (megabytes_) {
    text = SizeText(received, 1048576, separator_) + "/" + SizeText(total, 1048576, separator_) + " MB";
  } else if (kilobytes_) {
    text = SizeText(received, 1024, separator_) + "/" + SizeText(total, 1024, separator_) + " KB";
  } else {
    text = std::to_string(received) + "/" + std::to_string(total) + " Bytes";
  }
  const std::string rate = RateText(chunk, now_ms);
  if (!rate.empty()) text += "   -   " + rate + " KB/Sec";
  return text;
}
