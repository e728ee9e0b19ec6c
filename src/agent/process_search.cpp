// Process search over a Tool Help snapshot.
#include "agent/process_search.h"

#include <windows.h>

#include <tlhelp32.h>

#include "util/string_ops.h"
#include "util/win32_handle.h"

namespace {

std::string ExecutableOf(DWORD process_id) {
  KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return "";
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  if (!::QueryFullProcessImageNameA(process.Get(), 0, path, &size)) return "";
  return std::string(path, size);
}

}  // namespace

bool IsProcessRunning(const std::string& path) {
  FileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more;
       more = ::Process32Next(snapshot.Get(), &entry))
    if (entry.th32ProcessID != 0 && SameTextTrimmed(ExecutableOf(entry.th32ProcessID), path)) return true;
  return false;
}
