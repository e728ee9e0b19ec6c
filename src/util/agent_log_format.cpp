// Agent log naming and line layout.
#include "util/agent_log_format.h"

#include "util/string_ops.h"

namespace {

std::string TwoDigits(int value) {
  value %= 100;
  if (value < 0) value += 100;
  return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

std::string AgentLogFileNameFor(std::string_view exe_path) {
  const std::size_t slash = exe_path.find_last_of("\\/:");
  const std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
  const std::string_view folder = exe_path.substr(0, name_start);
  std::string name(exe_path.substr(name_start));
  // Case-sensitive on purpose: only the copy the agent itself makes is meant.
  if (name.rfind("X_", 0) != 0) name.insert(0, "X_");
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return path + name + ".log";
}

std::string AgentLogLine(const AgentLogTime& time, std::string_view date_separator,
                         std::string_view time_separator, uint32_t thread_id, std::string_view prefix,
                         std::string_view message) {
  std::string line = TwoDigits(time.day);
  line.append(date_separator);
  line += TwoDigits(time.month);
  line.append(date_separator);
  line += TwoDigits(time.year);
  line += ' ';
  line += TwoDigits(time.hour);
  line.append(time_separator);
  line += TwoDigits(time.minute);
  line.append(time_separator);
  line += TwoDigits(time.second);
  line += ' ';
  line += PadLeft(std::to_string(thread_id), 5, ' ');
  line.append(prefix);
  line.append(message);
  line += "\r\n";
  return line;
}
