// A stand-in "RICHED32.DLL" that the message box test puts beside itself, as
// an attacker would beside a downloaded setup file. The box must not load it.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedRichEditMarker() { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
