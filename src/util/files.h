// File utilities of the stub: 64-bit seek and size, reading and writing whole
// files as byte strings, free space, searches in folder trees and on drives,
// deleting files and trees, ejecting a CD, and the program's and system's
// folders. Files are opened and closed inside each call; failures come back
// as false, 0, -1 or an empty string.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The system code page's double-byte lead bytes, for the path helpers.
bool IsSystemLeadByte(unsigned char c);

// True when `path` names a file, not a folder.
bool FileExists(const std::string& path);
// Creates the folder and every missing folder above it; true when the folder
// exists afterwards.
bool ForceDirectories(const std::string& folder);

// File dates as packed DOS values in local time: date in the high 16 bits,
// time in the low 16 bits. FileDosDate gives the last-write time, 0 when it
// cannot be read; SetFileDosDate sets it on a file opened for writing.
uint32_t FileDosDate(const std::string& path);
bool SetFileDosDate(HANDLE file, uint32_t dos_date);

// origin: 0 from the start, 1 from the current position, 2 from the end.
// Returns the new position; all bits set when the system refuses the move.
uint64_t FileSeek64(HANDLE file, int origin, int64_t distance);
// All bits set when the system cannot tell the size.
uint64_t FileSize64(HANDLE file);
// The size recorded in the directory entry of the first match of `path`
// (wildcards allowed); 0 when nothing matches.
uint64_t FileSizeByName(const std::string& path);

// The first `max_length` bytes of the file (0: all of it, up to 4 GiB - 1);
// empty when the file is missing, empty or cannot be read in full.
std::string ReadFileText(const std::string& path, uint64_t max_length = 0);
// Creates (truncates) the file, or with `append` adds to its end, creating it
// when missing. A non-zero `dos_date` becomes the file's last-write time once
// everything is written. True when all bytes were written.
bool WriteToFile(const std::string& path, const std::string& content, uint32_t dos_date = 0,
                 bool append = false);
// Adds to the end of the file, creating it when missing.
bool AppendToFile(const std::string& path, const std::string& content);

// Free bytes available to the user on the volume of `path`; -1 when unknown.
double DiskFreeBytes(const std::string& path);

// Full path of the first file called `name` in `folder` or below; empty when
// none. Hidden and system folders are not entered.
std::string FindFileInTree(const std::string& folder, const std::string& name);
// FindFileInTree over the roots of drives C: to Z: of the given GetDriveType
// type; a negative type matches no drive.
std::string FindFileOnDrives(const std::string& name, int drive_type);
// The first folder at or below `folder` whose path ends with "\" + name
// (ignoring case); empty when none.
std::string FindDirInTree(const std::string& folder, const std::string& name);
// For a full path ("X:\..."): the path itself when its drive has the type and
// the folder exists. For a name: FindDirInTree over the drive roots as in
// FindFileOnDrives.
std::string FindDirOnDrives(const std::string& name, int drive_type);

// Deletes every file (not folder) matching the wildcard path, first making it
// writable when `clear_attributes` is set. True when at least one file matched.
bool DeleteFiles(const std::string& pattern, bool clear_attributes);
// Deletes the folder with its contents, except hidden and system sub-folders
// and whatever cannot be deleted. True when the folder existed and is gone.
bool DeleteTree(const std::string& folder, bool clear_attributes);

// Ejects the medium of the path's drive when that is a CD-ROM drive.
bool EjectCD(const std::string& path);

// The running executable's full path.
std::string ProgramFile();
// The folders below end with a backslash when `add` is set, and without one
// otherwise (a drive root then reads "C:").
std::string ProgramDir(bool add);
std::string WindowsDir(bool add);
std::string SystemDir(bool add);
std::string TempDir(bool add);
