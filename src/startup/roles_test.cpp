// Role choice, window class names and the self-copy texts.
#include "startup/roles.h"

#include <gtest/gtest.h>

#include "startup/self_copy_text.h"

namespace {

RoleFacts Facts(bool agent_mode, std::string own, bool relaunch = false, int64_t level = 1) {
  RoleFacts facts;
  facts.agent_mode = agent_mode;
  facts.own_file_name = std::move(own);
  facts.agent_exe_name = "MyAgent.exe";
  facts.disk_span_relaunch = relaunch;
  facts.span_cd_level = level;
  return facts;
}

TEST(Roles, FirstMatchingRoleInOrder) {
  struct Case {
    RoleFacts facts;
    Role role;
  } cases[] = {
      {Facts(true, "MyAgent.exe"), Role::kPlainAgent},
      {Facts(true, " myagent.EXE "), Role::kPlainAgent},
      {Facts(true, "X_MyAgent.exe"), Role::kXAgent},
      // The agent file names only count in agent mode.
      {Facts(false, "MyAgent.exe"), Role::kSetup},
      {Facts(false, "X_MyAgent.exe"), Role::kSetup},
      // An agent under another name falls through to setup.
      {Facts(true, "Renamed.exe"), Role::kSetup},
      {Facts(true, "MyAgent.exe", true, 1), Role::kPlainAgent},
      {Facts(false, "Setup.exe", true, 1), Role::kDiskSpanStarter},
      {Facts(false, "Y_Setup.exe", true, 2), Role::kSetup},
      {Facts(false, "Setup.exe", true, 3), Role::kSetup},
      {Facts(false, "Setup.exe", false, 1), Role::kSetup},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseRole(c.facts), c.role) << c.facts.own_file_name;
  EXPECT_TRUE(IsDiskSpanCopy(Facts(false, "Y_Setup.exe", true, 2)));
  EXPECT_FALSE(IsDiskSpanCopy(Facts(false, "Setup.exe", true, 1)));
}

TEST(Roles, WindowClassNames) {
  EXPECT_EQ(MainWindowClassName(false, "C:\\Down loads\\Setup.exe"), "C:\\Down loads\\Setup.exe");
  EXPECT_EQ(MainWindowClassName(true, "C:\\App\\MyAgent.v2.exe"), ".AutoUpdate.MyAgent.v2");
  EXPECT_EQ(MainWindowClassName(true, "C:\\App\\X_MyAgent.exe"), ".AutoUpdate.X_MyAgent");
  EXPECT_EQ(XAgentWindowClassName("MyAgent.exe"), ".AutoUpdate.X_MyAgent");
}

TEST(SelfCopyText, BatchFileDeletesRetriesBoundedThenRemovesItself) {
  const std::string text =
      SelfDeleteBatchText("C:\\Temp\\SETUP_1\\Y_Setup.exe", "C:\\Temp\\_DEL_ME_.BAT", true);
  EXPECT_EQ(text,
            "@ECHO OFF\r\n"
            "SET DVX_DEL_TRIES=0\r\n"
            ":START\r\n"
            "DEL \"C:\\Temp\\SETUP_1\\Y_Setup.exe\"\r\n"
            "IF NOT exist \"C:\\Temp\\SETUP_1\\Y_Setup.exe\" GOTO DONE\r\n"
            "SET /A DVX_DEL_TRIES+=1\r\n"
            "IF %DVX_DEL_TRIES% GEQ 300 GOTO DONE\r\n"
            "PING -n 2 127.0.0.1 >NUL\r\n"
            "GOTO START\r\n"
            ":DONE\r\n"
            "RD \"C:\\Temp\\SETUP_1\"\r\n"
            "DEL \"C:\\Temp\\_DEL_ME_.BAT\"\r\n");
  const std::string keep = SelfDeleteBatchText("C:\\X_A.exe", "C:\\T\\_DEL_ME_.BAT", false);
  EXPECT_EQ(keep.find("RD "), std::string::npos);
  EXPECT_EQ(FolderOfFile("C:\\X_A.exe"), "C:\\");
  EXPECT_EQ(FolderOfFile("\\\\server\\share\\a.exe"), "\\\\server\\share");
}

TEST(SelfCopyText, DiskSpanRelaunchNamesTheFirstPartAndTheOrigin) {
  const std::string copy = RelaunchCopyPath("C:\\Temp\\SETUP_77\\", "D:\\setup.exe");
  EXPECT_EQ(copy, "C:\\Temp\\SETUP_77\\Y_setup.exe");
  EXPECT_EQ(RelaunchCommandLine(copy, "/S /LANG=2", "D:\\setup.exe"),
            "C:\\Temp\\SETUP_77\\Y_setup.exe /S /LANG=2 /SpanCdLvl=2 /SpanDiskFName1=\"D:\\setup.exe.001\" "
            "/OriginExe=\"D:\\setup.exe\"");
  EXPECT_EQ(RelaunchCommandLine(copy, "", "D:\\setup.exe"),
            "C:\\Temp\\SETUP_77\\Y_setup.exe /SpanCdLvl=2 /SpanDiskFName1=\"D:\\setup.exe.001\" "
            "/OriginExe=\"D:\\setup.exe\"");
}

TEST(SelfCopyText, AgentCopyCommandLine) {
  const std::string x = XCopyPath("C:\\Program Files\\App\\MyAgent.exe");
  EXPECT_EQ(x, "C:\\Program Files\\App\\X_MyAgent.exe");
  EXPECT_EQ(XCopyCommandLine(x, "|a|b|", "30"), x + " /TRANSIENTx=|a|b| /SleepX=30");
  EXPECT_EQ(XCopyCommandLine(x, "", "30"), x + " /SleepX=30");
  EXPECT_EQ(XCopyCommandLine(x, "", ""), x);
}

}  // namespace
