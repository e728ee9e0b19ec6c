// Process entry of the stub and the choice of its role.
#include "startup/stub_main.h"

#include <windows.h>

#include "agent/agent_timer.h"
#include "package/file_info.h"
#include "package/setup_run.h"
#include "package/temp_folder.h"
#include "startup/main_window.h"
#include "startup/roles.h"
#include "startup/self_removal.h"
#include "util/agent_log.h"
#include "util/command_line.h"
#include "util/files.h"
#include "util/path_ops.h"
#include "util/system_info.h"
#include "util/trace.h"

namespace {

const char* TrueFalse(bool value) { return value ? "TRUE" : "FALSE"; }

RoleFacts OwnRoleFacts() {
  const TGFileInfo& own = OwnPackage();
  RoleFacts facts;
  facts.agent_mode = own.AgentMode();
  facts.own_file_name = FileNamePart(ProgramFile());
  facts.agent_exe_name = own.AgentExeName();
  facts.disk_span_relaunch = own.DiskSpanRelaunch();
  facts.span_cd_level = SwitchInt64(OwnCommandLineTail(), "/SpanCdLvl=", 1);
  return facts;
}

void RunOwnMainWindow(const std::string& class_name) {
  const TGFileInfo& own = OwnPackage();
  MainWindowSettings settings;
  settings.class_name = class_name;
  settings.title = own.LangString("s0", "Dunvex Installation Suite");
  settings.charset = own.Charset();
  settings.font_name = own.FontName();
  settings.font_size = own.FontSize();
  if (own.AgentMode())
    settings.on_timer = AgentTimerTick;
  else
    settings.on_timer = [] { StartSetupMode(MainWindow().window); };
  settings.on_destroy = [] { DeleteTree(TempFolder(), true); };
  RunMainWindow(settings);
}

}  // namespace

const TGFileInfo& OwnPackage() {
  static const TGFileInfo info(ProgramFile());
  return info;
}

std::string OwnCommandLineTail() { return CommandLineTail(::GetCommandLineA(), ProgramFile()); }

void DoRunStubWin() {
  WriteAgentLog("DoRunStubWin() --- Start");
  const RoleFacts facts = OwnRoleFacts();
  const std::string class_name = MainWindowClassName(facts.agent_mode, ProgramFile());
  const bool x_running_at_start = X_ExeIsRunning();
  WriteAgentLog(std::string("X_ExeIsRunning=") + TrueFalse(x_running_at_start));
  WriteAgentLog(std::string("ThisIs_Plain_AutoUpdate_Exe=") + TrueFalse(ThisIs_Plain_AutoUpdate_Exe(facts)));
  WriteAgentLog(std::string("ThisIs_X_AutoUpdate_Exe=") + TrueFalse(ThisIs_X_AutoUpdate_Exe(facts)));
  // One instance per role: a setup file per full path, an agent per name.
  if (::FindWindowA(class_name.c_str(), nullptr) == nullptr) {
    switch (ChooseRole(facts)) {
      case Role::kPlainAgent:
        CreateAndRun_X_Exe();
        break;
      case Role::kXAgent:
        WriteAgentLog("WinMain");
        RunOwnMainWindow(class_name);
        WriteAgentLog("DeleteMySelf");
        DeleteMySelf(false);
        break;
      case Role::kDiskSpanStarter:
        RelaunchFromTempCopy();
        break;
      case Role::kSetup:
        RunOwnMainWindow(class_name);
        if (IsDiskSpanCopy(facts)) DeleteMySelf(true);
        break;
    }
  }
  WriteAgentLog("DoRunStubWin() --- End");
}

int StubMain() {
  const std::string command_line = ::GetCommandLineA();
  const std::string own_path = ProgramFile();
  Trace(TracePid() + " ==== STUB START ====> " + command_line + "<");
  Trace(TracePid() + " ==== Version=" + FileVersionText(""));
  const TGFileInfo& own = OwnPackage();
  SetAgentLogEnabled(own.AgentMode() && own.AgentLog());
  if (ThisIs_X_AutoUpdate_Exe(OwnRoleFacts())) SetAgentLogPrefix(" X ");
  WriteAgentLog("");
  WriteAgentLog("");
  WriteAgentLog("=== START === " + own_path);
  WriteAgentLog("CommandLine=" + command_line);
  WriteAgentLog("Agent Version=" + FileVersionText(""));
  Trace(TracePid() + " ==== ThisIs_AutoUpdateProg=" + TrueFalse(own.AgentMode()));
  DoRunStubWin();
  Trace(TracePid() + " ==== STUB END ====> " + command_line + "<");
  Trace("");
  WriteAgentLog("=== EXIT === " + own_path);
  WriteAgentLog("");
  return static_cast<int>(EngineExitCode());
}
