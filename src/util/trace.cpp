// Trace lines go to the system debugger output until the viewer protocol
// takes over.
#include "util/trace.h"

#include <windows.h>

void Trace(const std::string& line) { ::OutputDebugStringA(line.c_str()); }
