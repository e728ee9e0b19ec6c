// Readers and builders for delimited lists ("|a|b|"). Readers are lenient:
// empty, missing and malformed items all read as "", so table lookups by index
// never fail; only Count insists on a list that ends with its separator.
#include "util/delimited_list.h"

#include <algorithm>
#include <vector>

#include "util/string_ops.h"

namespace {

// A lone character 0 is what an unset list field holds; it means "no items".
bool IsNullList(std::string_view list) { return list.size() == 1 && list.front() == '\0'; }

constexpr std::string_view kSeparatorCandidates = "|*^!~@#$&\xff";

}  // namespace

int SUB::Count(std::string_view list) {
  if (list.empty() || list.front() != list.back()) return 0;
  return static_cast<int>(std::count(list.begin() + 1, list.end(), list.front()));
}

std::string SUB::Item(std::string_view list, int index) {
  if (list.empty() || IsNullList(list) || index < 0) return std::string();
  const char separator = list.front();
  size_t start = 1;
  for (int number = 0;; ++number) {
    const size_t end = list.find(separator, start);
    // Text after the last separator is not an item.
    if (end == std::string_view::npos) return std::string();
    if (number == index) return std::string(list.substr(start, end - start));
    start = end + 1;
  }
}

int64_t SUB::ItemInt(std::string_view list, int index, int64_t fallback) {
  return ParseInt64(Item(list, index)).value_or(fallback);
}

std::string SUB::Value(std::string_view list, std::string_view name, std::string_view fallback) {
  if (list.size() <= 2 || list.front() != list.back()) return std::string(fallback);
  const std::string separator(1, list.front());
  std::string key = separator + std::string(name);
  if (key.back() != '=') key += '=';
  // One blank after a separator and one before "=" are dropped, so "| b = 2|"
  // finds "b" but still yields " 2": blanks after "=" belong to the value.
  std::string folded = ReplaceStr(list, separator + " ", separator);
  folded = ReplaceStr(folded, " =", "=");
  const int at = PosNoCase(key, folded);
  if (at == 0) return std::string(fallback);
  const std::string_view rest = std::string_view(folded).substr(at - 1 + key.size());
  return std::string(rest.substr(0, rest.find(separator.front())));
}

std::string SUB::SetItem(std::string_view list, int index, std::string_view text) {
  if (list.empty()) list = "|";
  const char separator = list.front();
  // The existing items are the runs between separators, read as Item reads
  // them but in one pass; a list Count rejects contributes none.
  std::vector<std::string_view> items;
  if (Count(list) > 0) {
    for (size_t start = 1, end; (end = list.find(separator, start)) != std::string_view::npos;
         start = end + 1) {
      items.push_back(list.substr(start, end - start));
    }
  }
  const size_t count =
      index >= 0 ? std::max(items.size(), static_cast<size_t>(index) + 1) : items.size();
  // Rebuild on character 0 first; the old separator may be inside the new text.
  std::string built(1, '\0');
  for (size_t i = 0; i < count; ++i) {
    if (index >= 0 && i == static_cast<size_t>(index)) {
      built += text;
    } else if (i < items.size()) {
      built += items[i];
    }
    built += '\0';
  }
  if (built.find(separator) == std::string::npos) return ReplaceChar(built, '\0', separator);
  return FreeSeparator(built);
}

std::string SUB::FreeSeparator(std::string_view list) {
  std::string result(list);
  if (list.empty()) return result;
  for (char candidate : kSeparatorCandidates) {
    if (list.find(candidate) == std::string_view::npos) {
      return ReplaceChar(result, list.front(), candidate);
    }
  }
  return result;
}
