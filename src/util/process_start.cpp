// Win32 process start and wait.
#include "util/process_start.h"

#include <vector>

#include "util/files.h"
#include "util/message_pump.h"

KernelHandle StartProgram(const std::string& application, const std::string& command_line, int show,
                          const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process{};
  // CreateProcessA may write into the command line.
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  if (!::CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return KernelHandle();
  ::CloseHandle(process.hThread);
  return KernelHandle(process.hProcess);
}

bool StartBatchFile(const std::string& batch_path, const std::string& folder) {
  const std::string interpreter = SystemDir(true) + "cmd.exe";
  // The outer quotes are the ones /C strips, so the path keeps its own.
  const std::string line = "cmd.exe /D /C \"\"" + batch_path + "\"\"";
  return StartProgram(interpreter, line, SW_HIDE, folder).Valid();
}

uint32_t WaitForProgram(HANDLE process) {
  if (process == nullptr) return 0;
  // The exit code alone cannot tell a running program from one that ended
  // with code 259 (STILL_ACTIVE); the process object's state can.
  while (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) WaitPumping(0, 500);
  DWORD code = 0;
  if (!::GetExitCodeProcess(process, &code)) return 0;
  return code;
}
