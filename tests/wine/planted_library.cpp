// A library that setup-run tests put beside a setup file under the names of
// system libraries, as an attacker would in a download folder. Loading it
// leaves a marker file beside it, which the tests look for.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH + 16] = {};
    const DWORD length = ::GetModuleFileNameA(instance, path, MAX_PATH);
    lstrcpyA(path + length, ".loaded");
    HANDLE marker =
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) ::CloseHandle(marker);
  }
  return TRUE;
}
