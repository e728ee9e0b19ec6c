// The stub's trace stream: whole lines, forwarded in chunks to an external
// debug viewer window when one runs, discarded otherwise.
#pragma once

#include <exception>
#include <string>

// Window class of the viewer, name of its registered message and the wParam
// sent with every chunk; the atom holding the chunk travels in lParam.
inline constexpr const char* kDebugViewerClass = ".DDebug.";
inline constexpr const char* kDebugViewerMessage = ".D_DebugMsg.";
inline constexpr unsigned kDebugViewerTag = 1;

// Sets up the device; Trace does it on first use, so calling it is optional
// but keeps the set-up off the first traced step.
void InstallDebugOutput();

// The decimal process id that begins every trace line reporting a step.
std::string TracePid();

// Writes one line (the terminator is added). Never fails the caller; safe
// from any thread.
void Trace(const std::string& line);

// Delivers one zero-terminated chunk to the viewer, if one runs. Blocks
// until the viewer has handled it.
void WriteDebugText(const char* chunk);

// Traces an exception caught and suppressed inside `procedure`.
void LogException(const std::exception& error, const std::string& procedure);
