// Pure path helpers on Windows-style paths (backslash or slash separators).
#pragma once

#include <string>
#include <string_view>

// The file name without its folder (after the last '\', '/' or ':').
std::string FileNamePart(std::string_view path);
// The file name without folder and without its last extension, or without
// every extension from the first dot when `all_extensions` is set.
std::string FileBaseName(std::string_view path, bool all_extensions);
// True for a plain file name that stays inside the folder it is joined to: no
// separators, no drive, not "." or "..", none of the characters Windows
// forbids in names, no control characters, no trailing dot or blank.
bool IsPlainFileName(std::string_view name);
