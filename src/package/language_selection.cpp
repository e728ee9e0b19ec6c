// Language section choice and text lookup.
#include "package/language_selection.h"

#include "util/delimited_list.h"
#include "util/string_ops.h"

namespace package {
namespace {

std::optional<std::string> FindSection(std::string_view block, std::string_view wanted) {
  const int count = SUB::Count(block);
  for (int i = 0; i < count; ++i) {
    std::string section = SUB::Item(block, i);
    if (SameTextTrimmed(SUB::Item(section, 0), wanted)) return section;
  }
  if (count == 1) return SUB::Item(block, 0);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> SelectLanguageSection(std::string_view block, std::string_view wanted) {
  if (auto section = FindSection(block, wanted)) return section;
  return FindSection(block, "English");
}

const std::string& LanguageSelection::Section(std::string_view block,
                                              std::string_view user_language) {
  if (cache_.empty()) cache_ = SelectLanguageSection(block, user_language).value_or("*");
  // A selected but empty section also reads as "nothing selected".
  if (cache_.empty()) cache_ = "*";
  return cache_;
}

std::string LanguageSelection::LangString(std::string_view block, std::string_view user_language,
                                          std::string_view key, std::string_view fallback) {
  const std::string& section = Section(block, user_language);
  if (section.size() <= 1) return std::string(fallback);
  return SUB::Value(section, key, fallback);
}

LanguageSelection& ProcessLanguageSelection() {
  static LanguageSelection selection;
  return selection;
}

}  // namespace package
