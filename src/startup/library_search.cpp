// Library search restriction and start-up preloading.
#include "startup/library_search.h"

#include <windows.h>

#include "util/system_library.h"

void RestrictLibrarySearch() {
  // Present from Windows 8 (and on Windows 7 with update KB2533623); looked
  // up at run time so that older systems still start.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  const auto set_default = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set_default) set_default(LOAD_LIBRARY_SEARCH_SYSTEM32);
  ::SetDllDirectoryA("");
}

void PreloadSystemLibraries() {
  for (const char* name : {"shell32.dll", "USP10.dll", "MSLS31.dll", "RICHED32.DLL"}) LoadSystemLibrary(name);
}
