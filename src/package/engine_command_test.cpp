// The setup engine's command line.
#include "package/engine_command.h"

#include <gtest/gtest.h>

namespace {

using setup::EngineCommandLine;
using setup::EngineLineInput;
using setup::SplitEngineCommand;

EngineLineInput Input(std::string caller_extra, std::string engine_command, bool agent_mode = false) {
  EngineLineInput input;
  input.temp_folder = "C:\\Temp\\SETUP_4242\\";
  input.engine = SplitEngineCommand(engine_command, caller_extra);
  input.run_token = setup::RunToken(1234);
  input.own_path = "C:\\Users\\Ann Lee\\Downloads\\Setup.exe";
  input.agent_mode = agent_mode;
  return input;
}

TEST(EngineCommand, SplitsNameAndArguments) {
  struct Case {
    const char* command;
    const char* caller;
    const char* name;
    const char* extra;
  } cases[] = {
      {"Engine.exe* /LANG=2", "/S", "Engine.exe", "/S /LANG=2"},
      {" Engine.exe ", "", "Engine.exe", ""},
      {"Engine.exe*", "  /S  ", "Engine.exe", "/S"},
      {"Engine.exe* /A*B", "", "Engine.exe", "/A*B"},
  };
  for (const Case& c : cases) {
    const setup::EngineCommand split = SplitEngineCommand(c.command, c.caller);
    EXPECT_EQ(split.file_name, c.name) << c.command;
    EXPECT_EQ(split.extra, c.extra) << c.command;
  }
}

TEST(EngineCommand, LineInTheFixedOrder) {
  EXPECT_EQ(EngineCommandLine(Input("/S", "Engine.exe* /LANG=2")),
            "C:\\Temp\\SETUP_4242\\Engine.exe /S /LANG=2 /TH_ID=_1234 "
            "/OriginExe=\"C:\\Users\\Ann Lee\\Downloads\\Setup.exe\"");
  EXPECT_EQ(EngineCommandLine(Input("", "Engine.exe", true)),
            "C:\\Temp\\SETUP_4242\\Engine.exe /TH_ID=_1234 "
            "/OriginExe=\"C:\\Users\\Ann Lee\\Downloads\\Setup.exe\" /AutoUpdateProg");
  EngineLineInput no_slash = Input("", "Engine.exe");
  no_slash.temp_folder = "C:\\Temp\\SETUP_1";
  EXPECT_EQ(setup::EnginePath(no_slash.temp_folder, "Engine.exe"), "C:\\Temp\\SETUP_1\\Engine.exe");
}

TEST(EngineCommand, RelaunchOriginKeptAndSpanSwitchesRemoved) {
  const std::string tail =
      "/X=1 /SpanCdLvl=2 /SpanDiskFName1=\"D:\\setup.exe.001\" /OriginExe=\"D:\\setup.exe\"";
  EXPECT_EQ(EngineCommandLine(Input(tail, "Engine.exe")),
            "C:\\Temp\\SETUP_4242\\Engine.exe /X=1 /OriginExe=\"D:\\setup.exe\" /TH_ID=_1234");
  // The test for an existing /OriginExe= is case-sensitive.
  EXPECT_NE(EngineCommandLine(Input("/originexe=x", "Engine.exe")).find("/OriginExe=\""), std::string::npos);
}

}  // namespace
