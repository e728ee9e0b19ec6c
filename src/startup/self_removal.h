// The stub's self-copies and self-removal: the disk-span relaunch from a
// temporary copy, the agent's "X_" copy, and the batch file that deletes a
// finished copy.
#pragma once

// Writes the batch file into the system temporary folder and starts it
// hidden; it deletes the running program once the process has ended, then
// (with `remove_folder`) the program's folder when empty, then itself.
void DeleteMySelf(bool remove_folder);

// Copies the program into the temporary folder as "Y_" + its name and starts
// the copy with the switches that make it run the setup from the first part
// file; the calling process then ends.
void RelaunchFromTempCopy();

// The plain agent's copy "X_" + its name beside itself, started hidden.
void CreateAndRun_X_Exe();

// A running "X_" agent of the own package's agent name has its window.
bool X_ExeIsRunning();
