// Process entry of the stub. The program reads its own package once; the
// TGFileInfo lives for the whole run.
#include "startup/stub_main.h"

#include <windows.h>

#include "package/file_info.h"

namespace {

std::string ProgramPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

}  // namespace

const TGFileInfo& OwnPackage() {
  static const TGFileInfo info(ProgramPath());
  return info;
}

int StubMain() {
  OwnPackage();
  return 0;
}
