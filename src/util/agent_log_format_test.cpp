// Agent log naming and line layout.
#include "util/agent_log_format.h"

#include <gtest/gtest.h>

namespace {

TEST(AgentLogFormatTest, FileNameSharedByAgentAndCopy) {
  struct Case {
    const char* exe;
    const char* log;
  };
  const Case cases[] = {
      {"C:\\Apps\\App.AutoUpdate.exe", "C:\\Apps\\X_App.AutoUpdate.log"},
      {"C:\\Apps\\X_App.AutoUpdate.exe", "C:\\Apps\\X_App.AutoUpdate.log"},
      {"C:\\Apps\\x_App.exe", "C:\\Apps\\X_x_App.log"},  // the copy's mark is case-sensitive
      {"C:\\Apps.v2\\Agent", "C:\\Apps.v2\\X_Agent.log"},  // a dot in the folder is no extension
      {"C:\\Agent.exe", "C:\\X_Agent.log"},
  };
  for (const Case& c : cases) EXPECT_EQ(AgentLogFileNameFor(c.exe), c.log) << c.exe;
}

TEST(AgentLogFormatTest, LineLayout) {
  struct Case {
    AgentLogTime time;
    const char* date_sep;
    const char* time_sep;
    uint32_t thread;
    const char* prefix;
    const char* expected;
  };
  const Case cases[] = {
      {{2026, 3, 7, 9, 5, 1}, "/", ":", 42, "   ", "07/03/26 09:05:01    42   Check\r\n"},
      {{2000, 12, 31, 23, 59, 59}, ".", ":", 12345, " X ", "31.12.00 23:59:59 12345 X Check\r\n"},
      // Longer ids are written in full.
      {{2009, 1, 1, 0, 0, 0}, "-", ".", 123456, "   ", "01-01-09 00.00.00 123456   Check\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AgentLogLine(c.time, c.date_sep, c.time_sep, c.thread, c.prefix, "Check"), c.expected);
}

}  // namespace
