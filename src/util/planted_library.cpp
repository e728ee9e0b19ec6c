// A stand-in library that the system library test puts beside itself under
// the names of libraries the stub binds at run time. The stub must never
// load it; its marker export shows when it was.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedLibraryMarker() { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
