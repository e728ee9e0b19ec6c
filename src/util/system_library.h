// Libraries bound at run time, always from the system folder. Setup files
// run elevated from download folders, where anyone can leave a DLL named like
// a system library; a load by bare name would search the program's folder
// first and run that file with the user's rights.
#pragma once

#include <windows.h>

#include <string>

// Loads the system folder's copy of the library `name` (a plain file name
// such as "version.dll"); its own imports resolve from the system folder as
// well. No message box appears for a missing file. The library stays loaded
// for the life of the process. NULL when it does not load or when `name` is
// not a plain file name.
HMODULE LoadSystemLibrary(const std::string& name);

// The address of `function` in the system library `library`, loaded as by
// LoadSystemLibrary; NULL when the library does not load or lacks the
// function.
FARPROC LoadProc(const std::string& library, const std::string& function);

// LoadProc cast to the function's own pointer type, e.g.
// LoadProcAs<decltype(&::GetFileVersionInfoSizeA)>("version.dll", ...).
template <typename Function>
Function LoadProcAs(const std::string& library, const std::string& function) {
  // Through a plain function pointer type: a direct cast between unrelated
  // function pointer types draws a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(LoadProc(library, function)));
}
