// Choosing the language section of a package's language block and looking
// texts up in it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace package {

// The section named `wanted` (trimmed, ASCII case ignored), else the only
// section of a one-section block, else the same with "English"; nullopt when
// nothing fits.
std::optional<std::string> SelectLanguageSection(std::string_view block, std::string_view wanted);

// The process keeps the section chosen on its first lookup for the whole run,
// whichever package that lookup was made on.
class LanguageSelection {
 public:
  // The cached section; "*" when none was found (every lookup then gives its
  // default).
  const std::string& Section(std::string_view block, std::string_view user_language);
  std::string LangString(std::string_view block, std::string_view user_language,
                         std::string_view key, std::string_view fallback);

 private:
  std::string cache_;
};

LanguageSelection& ProcessLanguageSelection();

}  // namespace package
