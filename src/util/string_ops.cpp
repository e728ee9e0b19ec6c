// Byte-string helpers used by the lists, the settings readers and the UI texts.
// Texts are ANSI byte strings; only ASCII a-z take part in case folding, so
// bytes from 128 up compare unchanged whatever the code page.
#include "util/string_ops.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// 1-based position of the first occurrence at or after the 0-based offset.
int FindFrom(std::string_view sub, std::string_view text, size_t offset) {
  if (sub.empty() || offset >= text.size()) return 0;
  const size_t found = text.find(sub, offset);
  return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

// Lowest byte value that does not occur in the text; nullopt when all 256 do.
std::optional<char> LowestAbsentChar(std::string_view text) {
  std::array<bool, 256> seen{};
  for (char c : text) seen[static_cast<unsigned char>(c)] = true;
  for (size_t code = 0; code < seen.size(); ++code) {
    if (!seen[code]) return static_cast<char>(code);
  }
  return std::nullopt;
}

// Shared body of ReplaceStr and ReplaceStrNoCase. The search runs on `work`
// (the text itself or its folded copy); edits go to both so positions agree.
// Each hit in `work` is overwritten by a mask of length(new) built from a byte
// absent from old, so the mask can never take part in a later match. With an
// empty replacement the mask is empty and the text on both sides of a removal
// closes up, which may form a new match ("aabb" minus "ab" leaves nothing).
std::string ReplaceAll(std::string_view text, std::string work, std::string_view old_text,
                       std::string_view new_text) {
  std::string result(text);
  if (old_text.empty() || work.find(old_text) == std::string::npos) return result;
  const std::string mask(new_text.size(), LowestAbsentChar(old_text).value_or('\0'));
  const size_t old_len = old_text.size();
  // No match can start before the previous hit except one that reaches into
  // the closed-up gap, so searching again from there equals a restart from
  // the beginning but stays linear on long texts.
  size_t from = 0;
  for (;;) {
    const size_t hit = work.find(old_text, from);
    if (hit == std::string::npos) break;
    work.replace(hit, old_len, mask);
    result.replace(hit, old_len, new_text);
    from =
        new_text.empty() ? (hit >= old_len - 1 ? hit - (old_len - 1) : 0) : hit + new_text.size();
  }
  return result;
}

}  // namespace

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperCaseAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = UpperAscii(c);
  return result;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string ReplaceStr(std::string_view text, std::string_view old_text,
                       std::string_view new_text) {
  return ReplaceAll(text, std::string(text), old_text, new_text);
}

std::string ReplaceStrNoCase(std::string_view text, std::string_view old_text,
                             std::string_view new_text) {
  return ReplaceAll(text, UpperCaseAscii(text), UpperCaseAscii(old_text), new_text);
}

std::string ReplaceChar(std::string_view text, char from, char to) {
  std::string result(text);
  if (from != to) std::replace(result.begin(), result.end(), from, to);
  return result;
}

std::string StripChar(std::string_view text, char c, bool any_end, bool once) {
  if (text.size() == 1 && text.front() == c) return std::string();
  if (text.size() < 2) return std::string(text);
  if (!any_end && !(text.front() == c && text.back() == c)) return std::string(text);
  if (once) {
    if (!text.empty() && text.front() == c) text.remove_prefix(1);
    if (!text.empty() && text.back() == c) text.remove_suffix(1);
  } else {
    while (!text.empty() && text.front() == c) text.remove_prefix(1);
    while (!text.empty() && text.back() == c) text.remove_suffix(1);
  }
  return std::string(text);
}

std::string Unquote(std::string_view text) { return StripChar(TrimView(text), '"', true, false); }

std::string TextBefore(std::string_view text, std::string_view sub) {
  const int at = Pos(sub, text);
  return at == 0 ? std::string() : std::string(text.substr(0, at - 1));
}

std::string TextAfter(std::string_view text, std::string_view sub) {
  const int at = Pos(sub, text);
  return at == 0 ? std::string() : std::string(text.substr(at - 1 + sub.size()));
}

std::string ReverseStr(std::string_view text) { return std::string(text.rbegin(), text.rend()); }

int Pos(std::string_view sub, std::string_view text) { return FindFrom(sub, text, 0); }

int LastPos(std::string_view sub, std::string_view text) {
  if (sub.empty()) return 0;
  const size_t found = text.rfind(sub);
  return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int ReversePosNoCase(std::string_view sub, std::string_view text) {
  return PosNoCase(ReverseStr(sub), ReverseStr(text));
}

bool EndsWith(std::string_view suffix, std::string_view text) {
  return suffix.size() <= text.size() &&
         SameTextNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool StartsWith(std::string_view prefix, std::string_view text, bool ignore_case) {
  if (prefix.empty() || prefix.size() > text.size()) return false;
  const std::string_view head = text.substr(0, prefix.size());
  return ignore_case ? SameTextNoCase(head, prefix) : head == prefix;
}

bool SameTextTrimmed(std::string_view a, std::string_view b) {
  return SameTextNoCase(TrimView(a), TrimView(b));
}

int PosNoCase(std::string_view sub, std::string_view text) {
  return Pos(UpperCaseAscii(sub), UpperCaseAscii(text));
}

int PosFrom(std::string_view sub, std::string_view text, int start) {
  const size_t offset = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
  return FindFrom(sub, text, offset);
}

int PosFromNoCase(std::string_view sub, std::string_view text, int start) {
  return PosFrom(UpperCaseAscii(sub), UpperCaseAscii(text), start);
}

std::string PadLeft(std::string_view text, int width, char fill) {
  if (width <= 0 || text.size() >= static_cast<size_t>(width)) return std::string(text);
  std::string result(static_cast<size_t>(width) - text.size(), fill);
  result.append(text);
  return result;
}

std::string ZeroPad(std::string_view text, int width) { return PadLeft(text, width, '0'); }

std::string IntToZeroPad(int64_t value, int width) { return ZeroPad(std::to_string(value), width); }

std::string IfThenStr(bool condition, std::string_view a, std::string_view b) {
  return std::string(condition ? a : b);
}

std::string BoolToText(bool value) { return value ? "TRUE" : "FALSE"; }

std::string ConvertEscapes(std::string_view text) {
  std::string result = ReplaceStr(text, "\\\\n", "\r\n");
  result = ReplaceStr(result, "\\\\t", "\t");
  result = ReplaceStrNoCase(result, "<P>", "\r\n");
  return ReplaceStrNoCase(result, "<T>", "\t");
}

std::optional<int64_t> ParseInt64(std::string_view text) {
  text = TrimView(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // Accumulate as a negative number: its range holds the magnitude of INT64_MIN.
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const int digit = c - '0';
    if (value < (kMin + digit) / 10) return std::nullopt;
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == kMin) return std::nullopt;
    value = -value;
  }
  return value;
}
