// Settings the stub reads and writes: keys of INI files and registry values
// named by a full key path. Reads never fail outwardly: whatever is missing,
// empty or unreadable gives the caller's default.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "util/registry_path.h"

// The registry view the stub reads: the one of its own bitness. Callers of
// ReadRegString pass it as the view flag.
inline constexpr bool kUse64BitRegistryView = false;

// The value of `key` in `section` of the INI file, or the fallback when the
// section name is empty (the file is then not read), the key is missing or
// its value is empty. Values are cut at 10240 bytes.
std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& fallback);
// The value read as a decimal 64-bit integer; the fallback when missing or
// not a number.
int64_t ReadIniInt64(const std::string& file, const std::string& section, const std::string& key,
                     int64_t fallback);
// True when the system's INI writer reports success.
bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value);
bool WriteIniInt64(const std::string& file, const std::string& section, const std::string& key,
                   int64_t value);

// The system handle of a predefined root key.
HKEY RootKeyHandle(RegRoot root);

// The value `name` of the key at `path` (see SplitRegPath) as text (see
// RegValueText), or the fallback when the key or value cannot be read or the
// value is larger than 10241 bytes. `view64` reads the 64-bit view of the
// registry from a 32-bit process.
std::string ReadRegString(const std::string& path, const std::string& name, const std::string& fallback,
                          bool view64);
