// Pure path helpers on Windows-style paths (backslash or slash separators),
// and the write-chunking rule of the file utilities, kept here so that the
// host build can test them without Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Tells whether a byte opens a double-byte character of the code page in use.
// The Win32 layer passes the system's answer; pure callers keep the default.
using LeadBytePredicate = bool (*)(unsigned char);
inline bool NeverLeadByte(unsigned char) { return false; }

// The file name without its folder (after the last '\', '/' or ':').
std::string FileNamePart(std::string_view path);
// The file name without folder and without its last extension, or without
// every extension from the first dot when `all_extensions` is set.
std::string FileBaseName(std::string_view path, bool all_extensions);
// True for a plain file name that stays inside the folder it is joined to: no
// separators, no drive, not "." or "..", none of the characters Windows
// forbids in names, no control characters, no trailing dot or blank.
bool IsPlainFileName(std::string_view name);

// The text to ask for a volume's free space: with `drive_root`, or for a path
// of fewer than 3 characters, the drive root ("C:\"); otherwise the path cut
// before its first backslash from the fourth character on, so "C:\A\B" gives
// "C:\A". Slashes count as backslashes. Empty for an empty path.
std::string VolumeRootOf(std::string_view path, bool drive_root);

// Removes one trailing backslash from a folder longer than 2 characters
// (unless it is the trail byte of a double-byte character), then appends one
// when `add` is set: "C:\" without `add` gives "C:", "C:" with `add` "C:\".
std::string SetTrailingBackslash(std::string_view folder, bool add,
                                 LeadBytePredicate is_lead_byte = NeverLeadByte);

// Collapses doubled backslashes inside a path. A UNC path keeps its two
// leading backslashes (three become two), a doubled backslash at the very end
// stays, and so does the second backslash of a run that follows the path's
// first character when the path begins and ends with that same character.
std::string CleanPath(std::string_view path, LeadBytePredicate is_lead_byte = NeverLeadByte);

// Content above this many bytes is written in chunks, so that no single
// write call has to move a huge buffer.
inline constexpr uint64_t kWholeWriteLimit = 1048576;

// len / parts when that is above 1024, but at most `max`; otherwise the
// smaller of 1024 and len.
uint64_t WriteChunkSize(uint64_t len, uint64_t parts, uint64_t max);

// Writes `len` bytes through `write(offset, count)`, which returns how many
// bytes it wrote: at once up to kWholeWriteLimit bytes, above that in chunks
// of WriteChunkSize(len, 10, kWholeWriteLimit) until done or until a write
// writes nothing. Returns the bytes written.
uint64_t WriteInChunks(uint64_t len, const std::function<uint64_t(uint64_t offset, uint64_t count)>& write);
