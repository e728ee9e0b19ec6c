// Pure path helpers shared by the stub and the builder.
#include "util/path_ops.h"

#include <algorithm>

#include "util/string_ops.h"

std::string FileNamePart(std::string_view path) {
  const size_t cut = path.find_last_of("\\/:");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FileBaseName(std::string_view path, bool all_extensions) {
  std::string name = FileNamePart(path);
  const size_t dot = all_extensions ? name.find('.') : name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  for (unsigned char c : name) {
    if (c < 32) return false;
    if (std::string_view("<>:\"/\\|?*").find(char(c)) != std::string_view::npos) return false;
  }
  // Device names open the device, not a file in the folder.
  const std::string base = UpperCaseAscii(FileBaseName(name, true));
  static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$"};
  if (std::find(std::begin(kDevices), std::end(kDevices), base) != std::end(kDevices)) return false;
  if (base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
      base[3] <= '9')
    return false;
  return true;
}
