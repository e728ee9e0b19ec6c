// The setup run: a package is extracted into a temporary folder, its setup
// engine is started with the engine command line, the run waits for the
// engine and its final dialog, hands on the engine's exit code and cleans up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class TGFileInfo;

// The first timer tick of setup mode: runs the setup of the own package (or
// of the part file named by "/SpanDiskFName1="), removes the temporary
// folder and ends the message loop.
void StartSetupMode(HWND main_window);

// Extracts `package_path` into `temp_folder` (or an alternative folder when
// room is short), starts the engine and waits for it. True when the engine
// completed, that is, deleted the run's completion atom.
bool RunSetup(const std::string& temp_folder, const std::string& package_path,
              const std::string& agent_copy_name, const std::string& extra_arguments, bool foreground);

// Asks the user whether to go on when room is short on the folder's drive or
// the package always asks; true to go on.
bool TempSpacePrompt(const std::string& folder, const TGFileInfo& package);

// The "ForcePrompt" registry setting: ask for every further disk even when
// its part file is already there.
bool ForcePrompt();

// The exit code of the last engine that ran, the process's exit code; 0
// when none ran.
uint32_t EngineExitCode();
