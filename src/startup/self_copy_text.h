// The texts of the stub's self-copies and self-removal: the batch file that
// deletes the finished program, and the command lines of the disk-span
// relaunch copy and the agent's "X_" copy. Pure.
#pragma once

#include <string>
#include <string_view>

inline constexpr char kSelfDeleteBatchName[] = "_DEL_ME_.BAT";
// How many times the batch file tries to delete a program that is still in
// use, about a second apart, before it gives up and removes itself.
inline constexpr int kSelfDeleteTries = 300;

// The folder of a file path without a trailing backslash; a drive root keeps
// its backslash ("C:\").
std::string FolderOfFile(std::string_view path);

// The batch text (CR LF line ends). It retries the deletion while the
// program is still running, at most kSelfDeleteTries times, then removes the
// program's folder when asked (only an empty folder goes) and itself.
std::string SelfDeleteBatchText(std::string_view exe_path, std::string_view batch_path, bool remove_folder);

// The disk-span relaunch copy: temporary folder + "\Y_" + own file name.
std::string RelaunchCopyPath(std::string_view temp_folder, std::string_view own_path);
// The copy's command line: its path, then the trimmed tail of the stub's
// own command line with the switches that name the first part file and the
// original setup file.
std::string RelaunchCommandLine(std::string_view copy_path, std::string_view tail, std::string_view own_path);

// The agent's copy beside itself: folder + "X_" + own file name.
std::string XCopyPath(std::string_view own_path);
// The X path, then " /TRANSIENTx=" + transient when given, then
// " /SleepX=" + delay when given.
std::string XCopyCommandLine(std::string_view x_path, std::string_view transient, std::string_view delay);
