// Pure rules of the HTTP download.
#include "net/download_rules.h"

#include <algorithm>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::string UrlWithScheme(std::string_view url) {
  // A scheme as RFC 3986 spells it, followed by "//": "localhost:8080/x"
  // names a host with a port, not a scheme "localhost".
  size_t i = 0;
  if (!url.empty() && IsAsciiLetter(url[0])) {
    i = 1;
    while (i < url.size() &&
           (IsAsciiLetter(url[i]) || IsAsciiDigit(url[i]) || url[i] == '+' || url[i] == '-' || url[i] == '.'))
      ++i;
    if (url.substr(i, 3) == "://") return std::string(url);
  }
  return "http://" + std::string(url);
}

std::string DisplayName(std::string_view url) {
  const size_t last = url.find_last_of("/\\:");
  return std::string(last == std::string_view::npos ? url : url.substr(last + 1));
}

uint32_t ChunkSize(uint32_t size) { return std::clamp<uint32_t>(size / 10, 1, kReadBufferSize); }

int ProgressMaximum(uint32_t size, uint32_t chunk) {
  const uint64_t steps = (uint64_t{size} + chunk - 1) / std::max<uint32_t>(chunk, 1);
  return static_cast<int>(std::min<uint64_t>(steps + 1, 0x7FFFFFFF));
}

uint32_t NextReadSize(uint32_t size, uint32_t received, uint32_t chunk, bool to_memory) {
  // Without a Content-Length the body may be endless: the 32-bit count of
  // received bytes is the bound (one less, so that it never wraps to a size
  // that looks complete).
  const uint32_t limit = to_memory ? std::min(size, kMaxContentBytes) : size;
  const uint32_t bound = limit == kUnknownSize ? kUnknownSize - 1 : limit;
  if (received >= bound) return 0;
  return std::min(chunk, bound - received);
}

std::string TemporaryPath(std::string_view target, uint32_t size, uint32_t stamp) {
  return std::string(target) + "." + std::to_string(static_cast<uint32_t>(size + stamp));
}

bool IsLeftoverName(std::string_view target_name, std::string_view found) {
  if (target_name.empty() || found.size() < target_name.size() + 2) return false;
  for (size_t i = 0; i < target_name.size(); ++i)
    if (LowerAscii(found[i]) != LowerAscii(target_name[i])) return false;
  return found[target_name.size()] == '.';
}

uint32_t PackedFileDate(const HttpDate& d) {
  if (d.year < 1980 || d.year > 2107 || d.month < 1 || d.month > 12 || d.day < 1 ||
      d.day > DaysInMonth(d.year, d.month) || d.hour < 0 || d.hour > 23 || d.minute < 0 || d.minute > 59 ||
      d.second < 0 || d.second > 59 || d.milliseconds < 0 || d.milliseconds > 999)
    return 0;
  const uint32_t date = static_cast<uint32_t>(((d.year - 1980) << 9) | (d.month << 5) | d.day);
  const uint32_t time = static_cast<uint32_t>((d.hour << 11) | (d.minute << 5) | (d.second / 2));
  return (date << 16) | time;
}

bool UseKilobytes(uint32_t size) { return size > 102400; }
bool UseMegabytes(uint32_t size) { return size > 10485760; }

std::string OpenErrorText(std::string_view url) {
  return "Unable to open Internet Connection: " + std::string(url);
}

std::string NotFoundText(std::string_view url) { return std::string(url) + " --- File Not Found !"; }

std::string ReadErrorText(std::string_view display_name, std::string_view reason) {
  std::string text = std::string(display_name) + " --- Error downloading file";
  if (!reason.empty()) text += " (" + std::string(reason) + ")";
  return text;
}

std::string DownloadTraceLine(uint32_t process_id, std::string_view error) {
  return std::to_string(process_id) + " HTTP_DownloadFile_Incremental: " + std::string(error);
}
