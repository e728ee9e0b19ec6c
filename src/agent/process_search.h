// Finding running processes by their executable's full path.
#pragma once

#include <string>

// True when a running process's executable is `path` (compared trimmed and
// ignoring case).
bool IsProcessRunning(const std::string& path);
