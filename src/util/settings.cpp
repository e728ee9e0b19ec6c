// Win32 implementation of the INI and registry readers.
#include "util/settings.h"

#include <algorithm>
#include <vector>

#include "util/string_ops.h"
#include "util/system_text.h"
#include "util/trace.h"
#include "util/win32_handle.h"

namespace {

constexpr DWORD kIniBufferSize = 10241;
constexpr DWORD kRegBufferSize = 10241;
constexpr REGSAM kKeyRead = 0x20019;    // KEY_READ
constexpr REGSAM kWow64View64 = 0x100;  // KEY_WOW64_64KEY

std::string ReadIniValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& fallback) {
  std::vector<char> buffer(kIniBufferSize);
  const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                  buffer.data(), kIniBufferSize, file.c_str());
  // The reader gives 0 for a key that is present but empty; that reads as
  // missing.
  if (length == 0) return fallback;
  return std::string(buffer.data(), length);
}

}  // namespace

std::string ReadIniString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& fallback) {
  // Every setting lives in a named section; an empty name comes from a
  // caller with nothing to look up, and the file is left alone.
  if (section.empty()) return fallback;
  try {
    return ReadIniValue(file, section, key, fallback);
  } catch (...) {
    Trace("EXCEPTION --- Utils.ReadIniString()  " + LastErrorText());
  }
  return fallback;
}

int64_t ReadIniInt64(const std::string& file, const std::string& section, const std::string& key,
                     int64_t fallback) {
  return ParseInt64(ReadIniString(file, section, key, std::to_string(fallback))).value_or(fallback);
}

bool WriteIniString(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& value) {
  return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool WriteIniInt64(const std::string& file, const std::string& section, const std::string& key,
                   int64_t value) {
  return WriteIniString(file, section, key, std::to_string(value));
}

HKEY RootKeyHandle(RegRoot root) {
  // The system defines its root handles as these numbers sign-extended to
  // the width of a pointer.
  const auto number = static_cast<LONG>(static_cast<uint32_t>(root));
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(number));
}

std::string ReadRegString(const std::string& path, const std::string& name, const std::string& fallback,
                          bool view64) {
  const RegPath split = SplitRegPath(path);
  HKEY opened = nullptr;
  const REGSAM access = kKeyRead | (view64 ? kWow64View64 : 0);
  if (::RegOpenKeyExA(RootKeyHandle(split.root), split.sub_key.c_str(), 0, access, &opened) != ERROR_SUCCESS)
    return fallback;
  const RegKey key(opened);
  std::vector<char> buffer(kRegBufferSize);
  DWORD type = 0;
  DWORD size = kRegBufferSize;
  if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
    return fallback;
  return RegValueText(type, std::string_view(buffer.data(), std::min<DWORD>(size, kRegBufferSize)));
}
