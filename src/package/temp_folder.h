// The setup run's temporary folders, each computed once per process: the
// "SETUP_" folder under the system temporary path, and an alternative
// "TEMP" folder on the fixed drive with the most room when the temporary
// path's drive is short of it.
#pragma once

#include <string>

class TGFileInfo;

// Computed on first use: an existing folder of that name is deleted first,
// then the folder is created with its parents. No trailing backslash.
std::string TempFolder();
// Measures C:, D: and E: once (a probe folder with a small file on each
// fixed drive) and keeps the result; true when another drive has more room
// than the temporary path's drive.
bool FindAlternativeTempDrive();
// The alternative base + "_" + a random number, created on first use.
std::string AlternativeTempFolder();
// Removes the alternative folder when this run made one.
void DeleteAlternativeTempFolder();
// The package's required space fits the folder's free space, and the folder
// exists.
bool TempSpaceOK(const std::string& folder, const TGFileInfo& package);
