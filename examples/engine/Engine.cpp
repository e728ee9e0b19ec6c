// A stand-in setup engine for the example package: records the command line
// it was started with beside itself and ends with exit code 0.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string log(path, length);
  log.replace(log.size() - 4, 4, ".log");
  HANDLE file = ::CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const std::string line = std::string(::GetCommandLineA()) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr);
    ::CloseHandle(file);
  }
  return 0;
}
