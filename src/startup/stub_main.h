// The stub's entry: reads its own package, chooses the role of this start,
// makes sure the role runs only once, runs it, and ends with the setup
// engine's exit code.
#pragma once

#include <string>

class TGFileInfo;

// The whole run; returns the process exit code.
int StubMain();
// Role choice, the single-instance test and the role itself.
void DoRunStubWin();

// The running executable's own package, read once and kept for the run.
const TGFileInfo& OwnPackage();
// The process's command line without the program's own name, trimmed.
std::string OwnCommandLineTail();
