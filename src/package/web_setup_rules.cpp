// Pure rules of the web setup.
#include "package/web_setup_rules.h"

#include <span>

#include "package/package_format.h"
#include "util/string_ops.h"
#include "util/text_format.h"

namespace {

constexpr uint64_t kAgentModeFromEnd = package::kTrailerSize - package::trailer_offset::kAgentMode;

}  // namespace

std::string MakeAgentCopy(std::string image) {
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(image.data()), image.size());
  uint64_t end = package::PackageEndOffset(bytes);
  if (end == 0) end = image.size();
  if (end > image.size()) return image;
  if (end < image.size() && image.size() - end < kDroppedTailLimit) image.resize(end);
  if (end > kAgentModeFromEnd) image[end - kAgentModeFromEnd] = 1;
  return image;
}

std::string WebLocalPath(std::string_view source, std::string_view name) {
  std::string_view folder = source;
  while (!folder.empty() && folder.back() == '\\') folder.remove_suffix(1);
  return std::string(folder) + "\\" + std::string(name);
}

std::string WebDownloadUrl(std::string_view source, std::string_view name) {
  return std::string(source) + "/" + std::string(name);
}

int64_t ParseSetupSize(std::string_view text) {
  const std::string_view digits = TrimView(text);
  if (digits.empty()) return 0;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    if (value > (INT64_MAX - (c - '0')) / 10) return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string DownloadPromptText(std::string_view prompt, std::string_view setup_size) {
  return ReplaceStr(prompt, "<SIZE>", FormatMB(ParseSetupSize(setup_size)));
}
