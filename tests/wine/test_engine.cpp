// A setup engine for the setup-run tests, carried in the test packages as
// Engine.exe. It appends a report of its start to the file named by the
// environment variable DUNVEX_ENGINE_REPORT: its command line, its show
// state and the files beside it. Its own switches (given by the package's
// engine entry or the stub's command line):
//   /ExitCode=N     end with exit code N (default 0)
//   /KeepAtom       leave the completion atom: the run did not complete
//   /Dialog=MS      leave behind a process that shows a window of the engine
//                   dialog class for MS milliseconds, then notes "dialog
//                   closed" in the report
//   /Sleep=MS       stay MS milliseconds before ending
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "package/engine_command.h"
#include "util/command_line.h"

namespace {

std::string OwnPath() {
  char path[MAX_PATH + 1] = {};
  return std::string(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
}

void Report(const std::string& text) {
  char path[MAX_PATH + 1] = {};
  if (!::GetEnvironmentVariableA("DUNVEX_ENGINE_REPORT", path, sizeof path)) return;
  HANDLE file = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

std::string FilesBeside(const std::string& own_path) {
  const std::string folder = own_path.substr(0, own_path.find_last_of('\\'));
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  std::sort(names.begin(), names.end());
  std::string list;
  for (const std::string& name : names) list += "|" + name;
  return list + "|";
}

// The dialog process: a top-level window of the run's dialog class.
int ShowDialog(const std::string& token, DWORD milliseconds) {
  const std::string class_name = setup::kEngineDialogClassPrefix + token;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = ::DefWindowProcA;
  window_class.hInstance = ::GetModuleHandleA(nullptr);
  window_class.lpszClassName = class_name.c_str();
  ::RegisterClassA(&window_class);
  HWND window = ::CreateWindowExA(0, class_name.c_str(), "Setup finished", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, window_class.hInstance, nullptr);
  const DWORD end = ::GetTickCount() + milliseconds;
  while (::GetTickCount() < end) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(10);
  }
  Report("dialog closed\n");
  ::DestroyWindow(window);
  return 0;
}

}  // namespace

int main() {
  const std::string line = ::GetCommandLineA();
  const std::string own_path = OwnPath();
  const std::string tail = CommandLineTail(line, own_path);
  const std::string token = SwitchValue(tail, "/TH_ID=", "");
  if (HasSwitch(tail, "/DialogChild"))
    return ShowDialog(token, static_cast<DWORD>(SwitchInt64(tail, "/Dialog=", 0)));

  STARTUPINFOA startup{};
  ::GetStartupInfoA(&startup);
  Report("line=" + line + "\nshow=" + std::to_string(startup.wShowWindow) +
         "\nfiles=" + FilesBeside(own_path) + "\n");

  if (const int64_t dialog = SwitchInt64(tail, "/Dialog=", 0); dialog > 0) {
    // The dialog lives in a process of its own that outlasts this one, as a
    // real engine's final window does.
    std::string child =
        "\"" + own_path + "\" /DialogChild /TH_ID=" + token + " /Dialog=" + std::to_string(dialog);
    STARTUPINFOA child_startup{};
    child_startup.cb = sizeof child_startup;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(own_path.c_str(), child.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &child_startup, &process)) {
      ::CloseHandle(process.hThread);
      ::CloseHandle(process.hProcess);
    }
    // Let the window appear before this process ends.
    ::Sleep(500);
  }
  if (const int64_t sleep = SwitchInt64(tail, "/Sleep=", 0); sleep > 0) ::Sleep(static_cast<DWORD>(sleep));
  if (!HasSwitch(tail, "/KeepAtom")) {
    const std::string atom_name = setup::kCompletionAtomPrefix + token;
    if (ATOM atom = ::GlobalFindAtomA(atom_name.c_str())) ::GlobalDeleteAtom(atom);
  }
  return static_cast<int>(SwitchInt64(tail, "/ExitCode=", 0));
}
