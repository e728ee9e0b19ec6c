// Self-copies and self-removal on Windows.
#include "startup/self_removal.h"

#include <windows.h>

#include "agent/process_search.h"
#include "package/file_info.h"
#include "package/temp_folder.h"
#include "startup/roles.h"
#include "startup/self_copy_text.h"
#include "startup/stub_main.h"
#include "util/agent_log.h"
#include "util/command_line.h"
#include "util/files.h"
#include "util/message_pump.h"
#include "util/path_ops.h"
#include "util/process_start.h"
#include "util/string_ops.h"
#include "util/system_text.h"
#include "util/trace.h"

void DeleteMySelf(bool remove_folder) {
  const std::string batch = TempDir(true) + kSelfDeleteBatchName;
  const std::string folder = TempDir(false);
  // The folder to be removed must not be this process's current folder.
  ::SetCurrentDirectoryA(folder.c_str());
  if (!WriteToFile(batch, SelfDeleteBatchText(ProgramFile(), batch, remove_folder))) return;
  if (!StartBatchFile(batch, folder)) Trace(TracePid() + " DeleteMySelf: " + LastErrorText());
}

void RelaunchFromTempCopy() {
  const std::string own = ProgramFile();
  const std::string copy = RelaunchCopyPath(TempFolder(), own);
  // CopyFile keeps the file time, so the copy computes the same temporary
  // folder as this process.
  ::CopyFileA(own.c_str(), copy.c_str(), FALSE);
  const std::string line = RelaunchCommandLine(copy, OwnCommandLineTail(), own);
  Trace(TracePid() + " ==== RelaunchFromTempCopy >>" + line + "<<");
  StartProgram(copy, line, SW_HIDE);
}

bool X_ExeIsRunning() {
  return ::FindWindowA(XAgentWindowClassName(OwnPackage().AgentExeName()).c_str(), nullptr) != nullptr;
}

void CreateAndRun_X_Exe() {
  const std::string tail = OwnCommandLineTail();
  const std::string zz = SwitchValue(tail, "/_ZZ=", "");
  WriteAgentLog("CreateAndRun_X_Exe() --- Start");
  Trace(TracePid() + " CreateAndRun_X_Exe-1 " + zz);
  const TGFileInfo& own = OwnPackage();
  const std::string own_path = ProgramFile();
  const bool wanted = own.AgentMode() && !(X_ExeIsRunning() && zz != "99") &&
                      SameTextTrimmed(FileNamePart(own_path), own.AgentExeName());
  if (wanted) {
    Trace(TracePid() + " CreateAndRun_X_Exe-2");
    const int64_t wait = SwitchInt64(tail, "/WAIT=", 0);
    WriteAgentLog("Wait " + std::to_string(wait) + " SEC");
    WaitPumping(0, wait * 1000);
    const std::string x_path = XCopyPath(own_path);
    ::CopyFileA(own_path.c_str(), x_path.c_str(), FALSE);
    WriteAgentLog("Create X_ File ");
    const std::string line =
        XCopyCommandLine(x_path, SwitchValue(tail, "/TRANSIENT=", ""), SwitchValue(tail, "/DELAY=", ""));
    WriteAgentLog("WinExec: " + line);
    StartProgram(x_path, line, SW_HIDE);
    // Give the switches forwarded next a window to go to.
    if (!tail.empty()) {
      const int64_t start = MsClock();
      while (!IsProcessRunning(x_path) && MsClock() - start < 3000) WaitPumping(0, 200);
    }
  }
  WriteAgentLog("CreateAndRun_X_Exe() --- End");
}
