// Splitting of registry paths and the text of raw registry values.
#include "util/registry_path.h"

#include <array>

#include "util/string_ops.h"

namespace {

struct RootName {
  std::string_view long_name;
  std::string_view short_name;
  RegRoot root;
};

constexpr std::array<RootName, 6> kRootNames = {{
    {"HKEY_CLASSES_ROOT", "HKCR", RegRoot::kClassesRoot},
    {"HKEY_CURRENT_USER", "HKCU", RegRoot::kCurrentUser},
    {"HKEY_LOCAL_MACHINE", "HKLM", RegRoot::kLocalMachine},
    {"HKEY_USERS", "HKU", RegRoot::kUsers},
    {"HKEY_CURRENT_CONFIG", "HKCC", RegRoot::kCurrentConfig},
    {"HKEY_DYN_DATA", "HKDD", RegRoot::kDynData},
}};

}  // namespace

RegRoot RootKeyOf(std::string_view name) {
  for (const RootName& entry : kRootNames) {
    if (SameTextNoCase(name, entry.long_name) || SameTextNoCase(name, entry.short_name)) return entry.root;
  }
  return RegRoot::kCurrentUser;
}

RegPath SplitRegPath(std::string_view path) {
  const std::string trimmed = Trim(path);
  if (!StartsWith("HK", trimmed, true)) return {RegRoot::kCurrentUser, trimmed};
  const size_t slash = trimmed.find('\\');
  if (slash == std::string::npos) return {RootKeyOf(trimmed), {}};
  return {RootKeyOf(std::string_view(trimmed).substr(0, slash)), trimmed.substr(slash + 1)};
}

std::string RegValueText(uint32_t type, std::string_view bytes) {
  if (type == kRegTypeDword && bytes.size() == 4) {
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return std::to_string(value);
  }
  if (type == kRegTypeMultiSz && bytes.size() > 2) {
    while (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
    std::string text;
    for (const char c : bytes) {
      if (c == '\0') {
        text += "<0>";
      } else {
        text += c;
      }
    }
    return text;
  }
  return std::string(bytes.substr(0, bytes.find('\0')));
}
