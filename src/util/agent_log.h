// The auto-update agent's log file beside the executable. Off until the
// start-up code enables it from the package.
#pragma once

#include <string>

void SetAgentLogEnabled(bool enabled);
// Replaces the text between the thread id and the message (three spaces at
// start; " X " in the agent's "X_" copy).
void SetAgentLogPrefix(const std::string& prefix);
// The log path, computed on first use and kept.
std::string AgentLogFileName();
// Appends one line when logging is enabled; a failed write is ignored.
void WriteAgentLog(const std::string& message);
