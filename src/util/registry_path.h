// Registry paths and values as the stub's settings name them: a full key path
// that starts with a root name ("HKLM\Software\X", "HKEY_CURRENT_USER\..."),
// or a bare sub-key of the current user's root. Pure, so that the host build
// can test how paths split and how raw values become text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The predefined root keys, numbered as the system numbers its HKEY values
// (the Win32 layer turns them into handles).
enum class RegRoot : uint32_t {
  kClassesRoot = 0x80000000u,
  kCurrentUser = 0x80000001u,
  kLocalMachine = 0x80000002u,
  kUsers = 0x80000003u,
  kCurrentConfig = 0x80000005u,
  kDynData = 0x80000006u,
};

// Value types whose text differs from a plain string.
inline constexpr uint32_t kRegTypeDword = 4;    // REG_DWORD
inline constexpr uint32_t kRegTypeMultiSz = 7;  // REG_MULTI_SZ

// The root of a name such as "HKLM" or "HKEY_LOCAL_MACHINE", ignoring case;
// every other name means the current user's root.
RegRoot RootKeyOf(std::string_view name);

struct RegPath {
  RegRoot root = RegRoot::kCurrentUser;
  std::string sub_key;
};

// Splits a trimmed path at its first backslash when it begins with "HK"; any
// other path is a sub-key of the current user's root as a whole.
RegPath SplitRegPath(std::string_view path);

// The text of a value read as `type` with the given bytes: a 4-byte DWORD as
// unsigned decimal; a multi-string of more than 2 bytes without its trailing
// zero bytes and with "<0>" for each zero byte between its strings; anything
// else up to its first zero byte.
std::string RegValueText(uint32_t type, std::string_view bytes);
