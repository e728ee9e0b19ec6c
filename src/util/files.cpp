// Win32 implementation of the file utilities.
#include "util/files.h"

#include <winioctl.h>

#include <algorithm>
#include <new>
#include <string_view>
#include <vector>

#include "util/message_pump.h"
#include "util/path_ops.h"
#include "util/string_ops.h"
#include "util/trace.h"
#include "util/win32_handle.h"

namespace {

constexpr uint64_t kFailed = UINT64_MAX;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;
// The largest piece handed to one ReadFile or WriteFile call; DWORD counts
// cannot carry a 64-bit build's larger strings.
constexpr uint64_t kMaxIoPiece = 0x40000000;

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

bool DirExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Calls visit(entry) for each match of the pattern until it returns false.
template <typename Visit>
void ForEachEntry(const std::string& pattern, Visit visit) {
  WIN32_FIND_DATAA entry{};
  FindHandle find(::FindFirstFileA(pattern.c_str(), &entry));
  if (!find) return;
  do {
    if (!visit(entry)) return;
  } while (::FindNextFileA(find.Get(), &entry));
}

// Sub-folders that the tree walks enter. Hidden and system folders stay out:
// they hold the system's own data (recycle bin, volume information, the
// compatibility junctions of user profiles).
bool IsWalkedFolder(const WIN32_FIND_DATAA& entry) {
  const std::string_view name = entry.cFileName;
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) && name != "." &&
         name != "..";
}

std::string WithBackslash(const std::string& folder) {
  return SetTrailingBackslash(folder, true, IsSystemLeadByte);
}

uint64_t WriteSome(HANDLE file, const char* data, uint64_t count) {
  DWORD wrote = 0;
  if (!::WriteFile(file, data, static_cast<DWORD>(std::min(count, kMaxIoPiece)), &wrote, nullptr)) return 0;
  return wrote;
}

FileHandle OpenForAppend(const std::string& path) {
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  // Writing at the start would overwrite what the caller meant to keep.
  if (file && FileSeek64(file.Get(), FILE_END, 0) == kFailed) file.Reset();
  return file;
}

using DiskFreeSpaceExQuery = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Bound by name: the extended query came after the first Windows releases.
DiskFreeSpaceExQuery ExtendedFreeSpaceQuery() {
  static const DiskFreeSpaceExQuery query = [] {
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const FARPROC proc = kernel ? ::GetProcAddress(kernel, "GetDiskFreeSpaceExA") : nullptr;
    return reinterpret_cast<DiskFreeSpaceExQuery>(reinterpret_cast<void (*)()>(proc));
  }();
  return query;
}

bool DriveHasType(const std::string& root, int drive_type) {
  return drive_type >= 0 && ::GetDriveTypeA(root.c_str()) == static_cast<UINT>(drive_type);
}

template <typename Search>
std::string SearchDrives(int drive_type, Search search) {
  // A: and B: are floppy drives; touching them without a disk only stalls.
  for (char letter = 'C'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (!DriveHasType(root, drive_type)) continue;
    std::string found = search(root);
    if (!found.empty()) return found;
  }
  return {};
}

// Position of the last backslash that is not the trail byte of a double-byte
// character; npos when there is none.
size_t LastBackslash(std::string_view path) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsSystemLeadByte(static_cast<unsigned char>(path[i]))) {
      ++i;
    } else if (path[i] == '\\') {
      last = i;
    }
  }
  return last;
}

template <typename Read>
std::string SystemFolder(bool add, Read read) {
  char buffer[261] = {};
  const DWORD length = read(buffer, DWORD(sizeof buffer));
  if (length == 0 || length >= sizeof buffer) return {};
  return SetTrailingBackslash(std::string(buffer, length), add, IsSystemLeadByte);
}

std::string HandleText(HANDLE handle) { return std::to_string(reinterpret_cast<intptr_t>(handle)); }

}  // namespace

bool IsSystemLeadByte(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }

bool FileExists(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& folder) {
  const std::string path = SetTrailingBackslash(folder, false, IsSystemLeadByte);
  if (path.empty()) return false;
  if (DirExists(path)) return true;
  const size_t cut = LastBackslash(path);
  if (cut != std::string::npos && cut > 0) ForceDirectories(path.substr(0, cut));
  ::CreateDirectoryA(path.c_str(), nullptr);
  return DirExists(path);
}

uint32_t FileDosDate(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      !::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
      !::FileTimeToDosDateTime(&local, &date, &time))
    return 0;
  return uint32_t(date) << 16 | time;
}

bool SetFileDosDate(HANDLE file, uint32_t dos_date) {
  FILETIME local{};
  FILETIME utc{};
  return ::DosDateTimeToFileTime(HIWORD(dos_date), LOWORD(dos_date), &local) &&
         ::LocalFileTimeToFileTime(&local, &utc) && ::SetFileTime(file, nullptr, nullptr, &utc);
}

uint64_t FileSeek64(HANDLE file, int origin, int64_t distance) {
  LARGE_INTEGER move{};
  move.QuadPart = distance;
  LARGE_INTEGER position{};
  if (!::SetFilePointerEx(file, move, &position, static_cast<DWORD>(origin))) return kFailed;
  return static_cast<uint64_t>(position.QuadPart);
}

uint64_t FileSize64(HANDLE file) {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) return kFailed;
  return static_cast<uint64_t>(size.QuadPart);
}

uint64_t FileSizeByName(const std::string& path) {
  WIN32_FIND_DATAA entry{};
  const FindHandle find(::FindFirstFileA(path.c_str(), &entry));
  if (!find) return 0;
  return (uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

std::string ReadFileText(const std::string& path, uint64_t max_length) {
  if (!FileExists(path)) return {};
  const FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  const uint64_t size = FileSize64(file.Get());
  if (size == kFailed) return {};
  const uint64_t count = max_length != 0 ? std::min(size, max_length) : (size & 0xFFFFFFFFu);
  std::string text;
  if (size == 0 || count == 0 || count > text.max_size()) return {};
  try {
    text.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return {};
  }
  uint64_t done = 0;
  while (done < count) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min(count - done, kMaxIoPiece));
    if (!::ReadFile(file.Get(), text.data() + done, want, &got, nullptr) || got == 0) break;
    done += got;
  }
  if (done != count) return {};
  return text;
}

bool WriteToFile(const std::string& path, const std::string& content, uint32_t dos_date, bool append) {
  const FileHandle file =
      append ? OpenForAppend(path)
             : FileHandle(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const uint64_t done = WriteInChunks(content.size(), [&](uint64_t offset, uint64_t count) {
    return WriteSome(file.Get(), content.data() + offset, count);
  });
  const bool complete = done == content.size();
  if (complete && dos_date != 0) SetFileDosDate(file.Get(), dos_date);
  return complete;
}

bool AppendToFile(const std::string& path, const std::string& content) {
  const FileHandle file = OpenForAppend(path);
  if (!file) return false;
  uint64_t done = 0;
  while (done < content.size()) {
    const uint64_t wrote = WriteSome(file.Get(), content.data() + done, content.size() - done);
    if (wrote == 0) break;
    done += wrote;
  }
  return done == content.size();
}

double DiskFreeBytes(const std::string& path) {
  const std::string volume = VolumeRootOf(path, false);
  if (volume.empty()) return -1;
  const std::string drive_root = VolumeRootOf(path, true);
  if (const DiskFreeSpaceExQuery query = ExtendedFreeSpaceQuery()) {
    ULARGE_INTEGER available{};
    if (query(volume.c_str(), &available, nullptr, nullptr) ||
        query(drive_root.c_str(), &available, nullptr, nullptr))
      return static_cast<double>(available.QuadPart);
    return -1;
  }
  DWORD sectors_per_cluster = 0;
  DWORD bytes_per_sector = 0;
  DWORD free_clusters = 0;
  DWORD total_clusters = 0;
  if (!::GetDiskFreeSpaceA(drive_root.c_str(), &sectors_per_cluster, &bytes_per_sector, &free_clusters,
                           &total_clusters))
    return -1;
  // The old query's cluster size is a 32-bit product; only the total needs more.
  const DWORD cluster = sectors_per_cluster * bytes_per_sector;
  return static_cast<double>(cluster) * static_cast<double>(free_clusters);
}

std::string FindFileInTree(const std::string& folder, const std::string& name) {
  const std::string base = WithBackslash(folder);
  if (FileExists(base + name)) return base + name;
  std::string found;
  ForEachEntry(base + "*.*", [&](const WIN32_FIND_DATAA& entry) {
    if (IsWalkedFolder(entry)) found = FindFileInTree(base + entry.cFileName, name);
    YieldX(0);
    return found.empty();
  });
  return found;
}

std::string FindFileOnDrives(const std::string& name, int drive_type) {
  return SearchDrives(drive_type, [&](const std::string& root) { return FindFileInTree(root, name); });
}

std::string FindDirInTree(const std::string& folder, const std::string& name) {
  if (ReversePosNoCase("\\" + name, folder) == 1) return folder;
  const std::string base = WithBackslash(folder);
  std::string found;
  ForEachEntry(base + "*.*", [&](const WIN32_FIND_DATAA& entry) {
    if (IsWalkedFolder(entry)) found = FindDirInTree(base + entry.cFileName, name);
    YieldX(0);
    return found.empty();
  });
  return found;
}

std::string FindDirOnDrives(const std::string& name, int drive_type) {
  if (Pos(":\\", name) == 2)
    return DriveHasType(name.substr(0, 3), drive_type) && DirExists(name) ? name : "";
  return SearchDrives(drive_type, [&](const std::string& root) { return FindDirInTree(root, name); });
}

bool DeleteFiles(const std::string& pattern, bool clear_attributes) {
  const size_t cut = pattern.find_last_of("\\/:");
  const std::string folder = cut == std::string::npos ? "" : pattern.substr(0, cut + 1);
  bool matched = false;
  ForEachEntry(pattern, [&](const WIN32_FIND_DATAA& entry) {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return true;
    matched = true;
    const std::string path = folder + entry.cFileName;
    if (clear_attributes) ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
    return true;
  });
  return matched;
}

bool DeleteTree(const std::string& folder, bool clear_attributes) {
  if (folder.empty()) return false;
  const bool existed = DirExists(folder);
  const std::string base = WithBackslash(folder);
  DeleteFiles(base + "*.*", clear_attributes);
  // Collected first so that no search handle stays open across the deletions.
  std::vector<std::string> links;
  std::vector<std::string> folders;
  ForEachEntry(base + "*.*", [&](const WIN32_FIND_DATAA& entry) {
    if (IsWalkedFolder(entry))
      (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT ? links : folders)
          .push_back(base + entry.cFileName);
    return true;
  });
  // A junction or folder link leads out of the tree: remove the link, never
  // what it points to.
  for (const std::string& link : links) ::RemoveDirectoryA(link.c_str());
  for (const std::string& sub : folders) DeleteTree(sub, clear_attributes);
  ::RemoveDirectoryA(folder.c_str());
  return existed && !DirExists(folder);
}

bool EjectCD(const std::string& path) {
  try {
    if (path.empty()) return false;
    const char letter = UpperAscii(path[0]);
    if (letter < 'A' || letter > 'Z') return false;
    if (::GetDriveTypeA((std::string(1, letter) + ":\\").c_str()) != DRIVE_CDROM) return false;
    const std::string device = "\\\\.\\" + std::string(1, letter) + ":";
    FileHandle drive(::CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    Trace("EjectCD-2: " + device + " " + HandleText(drive.Get()));
    if (!drive) {
      // Without write access (a restricted user) the eject request still works
      // on most drives.
      drive.Reset(::CreateFileA(device.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
      Trace("EjectCD-3: " + device + " " + HandleText(drive.Get()));
    }
    if (!drive) return false;
    DWORD returned = 0;
    return ::DeviceIoControl(drive.Get(), IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned,
                             nullptr) != FALSE;
  } catch (...) {
    return false;
  }
}

std::string ProgramFile() {
  std::string buffer(MAX_PATH, '\0');
  // Paths longer than MAX_PATH only come back whole in a larger buffer.
  while (buffer.size() <= 65536) {
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

std::string ProgramDir(bool add) {
  const std::string file = ProgramFile();
  const size_t cut = LastBackslash(file);
  if (cut == std::string::npos) return {};
  return SetTrailingBackslash(file.substr(0, cut + 1), add, IsSystemLeadByte);
}

std::string WindowsDir(bool add) {
  return SystemFolder(add, [](char* buffer, DWORD size) { return ::GetWindowsDirectoryA(buffer, size); });
}

std::string SystemDir(bool add) {
  return SystemFolder(add, [](char* buffer, DWORD size) { return ::GetSystemDirectoryA(buffer, size); });
}

std::string TempDir(bool add) {
  return SystemFolder(add, [](char* buffer, DWORD size) { return ::GetTempPathA(size, buffer); });
}
