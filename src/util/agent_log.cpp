// Agent log over the Win32 clock, locale separators and file append.
#include "util/agent_log.h"

#include <windows.h>

#include "util/agent_log_format.h"
#include "util/files.h"

namespace {

bool g_enabled = false;
std::string g_prefix = "   ";

// The user's date or time separator; the usual one when the locale has none.
std::string LocaleSeparator(LCTYPE type, const char* fallback) {
  char text[8] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) <= 1) return fallback;
  return text;
}

}  // namespace

void SetAgentLogEnabled(bool enabled) { g_enabled = enabled; }

void SetAgentLogPrefix(const std::string& prefix) { g_prefix = prefix; }

std::string AgentLogFileName() {
  static const std::string path = AgentLogFileNameFor(ProgramFile());
  return path;
}

void WriteAgentLog(const std::string& message) {
  if (!g_enabled) return;
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const AgentLogTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  AppendToFile(AgentLogFileName(),
               AgentLogLine(time, LocaleSeparator(LOCALE_SDATE, "/"), LocaleSeparator(LOCALE_STIME, ":"),
                            ::GetCurrentThreadId(), g_prefix, message));
}
