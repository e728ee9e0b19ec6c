// The agent log's file name and line layout, without Win32, so that both can
// be checked on the build machine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/text_format.h"

// The log beside the executable at `exe_path`: "X_" + name with the
// extension ".log". The plain agent and its "X_" copy map to the same file.
std::string AgentLogFileNameFor(std::string_view exe_path);

using AgentLogTime = DateTimeParts;

// "dd/mm/yy HH:NN:SS" with the system's separators, a space, the thread id
// right-aligned in 5 characters (never cut), the prefix, the message, CR LF.
std::string AgentLogLine(const AgentLogTime& time, std::string_view date_separator,
                         std::string_view time_separator, uint32_t thread_id, std::string_view prefix,
                         std::string_view message);
