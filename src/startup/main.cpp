// WinMain of DunvexStub.exe.
#include <windows.h>

#include "startup/library_search.h"
#include "startup/stub_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictLibrarySearch();
  PreloadSystemLibraries();
  return StubMain();
}
