// Command-line readers. The rules are deliberately textual (substring
// searches, not a tokenizer): the engine and relaunched copies are handed
// lines built the same way, and they must read them identically.
#include "util/command_line.h"

#include "util/delimited_list.h"
#include "util/path_ops.h"
#include "util/string_ops.h"

namespace {

// What remains after the program name is dropped when it is only a stray
// closing quote or similar.
std::string AfterProgramName(std::string_view line, int at, size_t skip) {
  std::string rest(line.substr(static_cast<size_t>(at) - 1 + skip));
  if (Trim(rest).size() == 1) rest.clear();
  return rest;
}

}  // namespace

std::string CommandLineTail(std::string_view command_line, std::string_view exe_path) {
  const std::string name = FileNamePart(exe_path);
  std::string rest(command_line);
  if (!name.empty()) {
    const std::string quoted = name + "\"";
    if (const int at = PosNoCase(quoted, command_line); at > 0) {
      return Trim(AfterProgramName(command_line, at, quoted.size()));
    }
    if (const int at = PosNoCase(name, command_line); at > 0) {
      return Trim(AfterProgramName(command_line, at, name.size()));
    }
  }
  if (!exe_path.empty()) {
    if (const int at = PosNoCase(exe_path, command_line); at > 0) {
      rest.erase(static_cast<size_t>(at) - 1, exe_path.size());
    }
  }
  return Trim(rest);
}

std::string SwitchList(std::string_view tail, char switch_char) {
  std::string list = " " + std::string(tail);
  list = ReplaceStr(list, "\"", "");
  list = ReplaceStr(list, std::string{' ', switch_char}, std::string(1, kSwitchSeparator));
  return kSwitchSeparator + list + kSwitchSeparator;
}

std::string SwitchValue(std::string_view tail, std::string_view name, std::string_view fallback) {
  std::string key = Trim(name);
  if (key.empty()) return std::string(fallback);
  const char switch_char = key.front() == '-' || key.front() == '/' ? key.front() : '/';
  key = ReplaceStr(key, std::string(1, switch_char), "");
  return Trim(SUB::Value(SwitchList(tail, switch_char), key, fallback));
}

int64_t SwitchInt64(std::string_view tail, std::string_view name, int64_t fallback) {
  return ParseInt64(SwitchValue(tail, name, std::to_string(fallback))).value_or(fallback);
}

bool HasSwitch(std::string_view tail, std::string_view switch_text) {
  return PosNoCase(Trim(switch_text) + " ", std::string(tail) + " ") > 0;
}

std::string RemoveSwitch(std::string_view line, std::string_view switch_name) {
  std::string result(line);
  if (switch_name.empty()) return result;
  const size_t start = result.find(switch_name);
  if (start == std::string::npos) return result;
  const size_t end = result.find('/', start + switch_name.size());
  result.erase(start, end == std::string::npos ? std::string::npos : end - start);
  return result;
}
