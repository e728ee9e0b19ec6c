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

std::string VolumeRootOf(std::string_view path, bool drive_root) {
  std::string root = ReplaceChar(path, '/', '\\');
  if (root.empty()) return root;
  if (drive_root || root.size() < 3) return std::string(1, UpperAscii(root[0])) + ":\\";
  const size_t cut = root.find('\\', 3);
  if (cut != std::string::npos) root.resize(cut);
  return root;
}

std::string SetTrailingBackslash(std::string_view folder, bool add, LeadBytePredicate is_lead_byte) {
  std::string result(folder);
  const size_t n = result.size();
  if (n > 2 && result[n - 1] == '\\' && !is_lead_byte(static_cast<unsigned char>(result[n - 2])))
    result.pop_back();
  if (add) result += '\\';
  return result;
}

std::string CleanPath(std::string_view path, LeadBytePredicate is_lead_byte) {
  if (path.size() <= 2) return std::string(path);
  const char first = path.front();
  const char last = path.back();
  std::string rest(path.substr(1));
  // 0-based: rest[i] and rest[i + 1] are the pair, rest[i - 1] the byte before
  // it. The last pair is never looked at, and walking down keeps the part
  // still to visit in place when a backslash goes.
  for (size_t i = rest.size() >= 4 ? rest.size() - 3 : 0; i >= 1; --i) {
    const char before = rest[i - 1];
    if (rest[i] == '\\' && rest[i + 1] == '\\' && !is_lead_byte(static_cast<unsigned char>(before)) &&
        !(first == last && before == first))
      rest.erase(i, 1);
  }
  if (rest.starts_with("\\\\")) rest.erase(0, 1);
  return first + rest;
}

uint64_t WriteChunkSize(uint64_t len, uint64_t parts, uint64_t max) {
  const uint64_t share = parts == 0 ? len : len / parts;
  if (share > 1024) return std::min(share, max);
  return std::min<uint64_t>(1024, len);
}

uint64_t WriteInChunks(uint64_t len, const std::function<uint64_t(uint64_t offset, uint64_t count)>& write) {
  if (len == 0) return 0;
  if (len <= kWholeWriteLimit) return std::min(write(0, len), len);
  const uint64_t chunk = WriteChunkSize(len, 10, kWholeWriteLimit);
  uint64_t done = 0;
  while (done < len) {
    const uint64_t wrote = write(done, std::min(len - done, chunk));
    if (wrote == 0) break;
    done += std::min(wrote, len - done);
  }
  return done;
}
