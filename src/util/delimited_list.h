// Delimited lists: a text whose first character is its separator ("|a|b|").
// Every table of texts in the stub is held this way: button captions, the
// package's header lists, the language table, the command line's switches.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct SUB {
  SUB() = delete;

  static int Count(std::string_view list);
  static std::string Item(std::string_view list, int index);
  static int64_t ItemInt(std::string_view list, int index, int64_t fallback);
  // Value of the first item "name=value"; blanks after a separator and before
  // "=" do not count. A present but empty value gives "", not the fallback.
  static std::string Value(std::string_view list, std::string_view name,
                           std::string_view fallback);
  static std::string SetItem(std::string_view list, int index, std::string_view text);
  // For a list separated by character 0: picks a separator that none of the
  // items contains.
  static std::string FreeSeparator(std::string_view list);
};
