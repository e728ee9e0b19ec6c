// Starting other programs and waiting for them on the GUI thread. A program
// is always started with its path given apart from its command line, so that
// a path with blanks ("C:\Users\Ann Lee\...") can never be read as a shorter
// program name; the command line reaches the program exactly as built.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "util/win32_handle.h"

// Starts `application` with `command_line` (its first word is the program's
// own name, as the program expects) and the show state; `folder` empty keeps
// the current folder. The process handle, or an empty handle on failure.
KernelHandle StartProgram(const std::string& application, const std::string& command_line, int show,
                          const std::string& folder = "");

// Runs a batch file hidden through the system's command interpreter, with
// `folder` as its current folder. True when the interpreter started.
bool StartBatchFile(const std::string& batch_path, const std::string& folder);

// Waits in rounds of 500 ms, dispatching window messages, until the process
// has ended; its exit code, or 0 for no process.
uint32_t WaitForProgram(HANDLE process);
