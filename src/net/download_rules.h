// The decisions of an HTTP download that need no network: how a URL is
// opened, how headers become sizes and dates, where a partial download lives
// and how its progress is split, and the texts a failed download reports.
// Pure, so that the host build tests them; every number here may come from a
// hostile server and is taken as it is, never trusted to be sane.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Content-Length when the header is absent or unreadable.
inline constexpr uint32_t kUnknownSize = 0xFFFFFFFFu;
// The largest read of one pass; the buffer has this size.
inline constexpr uint32_t kReadBufferSize = 8192;
// A body kept in memory (no target file) is small: information files.
inline constexpr uint32_t kMaxContentBytes = 16u << 20;

// The address to open: unchanged when it starts with a scheme
// ("letters://"), else with "http://" in front.
std::string UrlWithScheme(std::string_view url);

// The last segment of the URL, for texts ("/" and ":" both end a segment).
std::string DisplayName(std::string_view url);

// size / 10 within 1 ... kReadBufferSize: a small file still takes about ten
// steps of the progress bar.
uint32_t ChunkSize(uint32_t size);
// The progress bar's maximum: one step per chunk plus the starting one.
int ProgressMaximum(uint32_t size, uint32_t chunk);

// How many bytes the next read may ask for: a chunk, but never past the
// announced size, nor past what a 32-bit count or the memory cap can hold.
uint32_t NextReadSize(uint32_t size, uint32_t received, uint32_t chunk, bool to_memory);

// target + "." + (size + stamp) modulo 2^32: a new announcement of the file
// (other size or date) never continues an old partial file.
std::string TemporaryPath(std::string_view target, uint32_t size, uint32_t stamp);
// True when `found` (a file name without folder) is a leftover of an earlier
// download of `target_name`: that name, a dot and at least one character.
bool IsLeftoverName(std::string_view target_name, std::string_view found);

struct HttpDate {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};
// The packed file date (date high, time low 16 bits, two-second steps) of a
// parsed Last-Modified header; 0 when any field is out of range or the year
// lies outside 1980 ... 2107.
uint32_t PackedFileDate(const HttpDate& date);

// Meter units: kilobytes above 100 KB, megabytes above 10 MB.
bool UseKilobytes(uint32_t size);
bool UseMegabytes(uint32_t size);

inline constexpr const char* kInitErrorText = "Unable to initialize \"WinINet.dll\"";
inline constexpr const char* kAbortedText = "Download Aborted";
std::string OpenErrorText(std::string_view url);
std::string NotFoundText(std::string_view url);
// display + " --- Error downloading file", and " (reason)" when there is one.
std::string ReadErrorText(std::string_view display_name, std::string_view reason);
// The trace line of a failed download.
std::string DownloadTraceLine(uint32_t process_id, std::string_view error);
