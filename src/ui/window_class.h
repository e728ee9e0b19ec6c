// The stub's own windows register their class for each showing and remove
// it afterwards; this is the one registration they share.
#pragma once

#include <windows.h>

// A class with the arrow cursor and the button-face background.
void RegisterShowingClass(const char* name, WNDPROC procedure);
