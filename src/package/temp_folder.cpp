// Win32 side of the temporary folders.
#include "package/temp_folder.h"

#include <optional>

#include "package/file_info.h"
#include "package/temp_space.h"
#include "util/files.h"
#include "util/string_ops.h"
#include "util/text_format.h"

namespace {

struct TempFolders {
  std::optional<std::string> temp;
  bool alternative_searched = false;
  std::string alternative_base;
  std::string alternative;  // made on first use
};

TempFolders& Folders() {
  static TempFolders folders;
  return folders;
}

bool FolderExists(const std::string& folder) {
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Free bytes of a fixed drive as a folder there sees them, or nullopt when the
// drive is not fixed or a file cannot be written to it.
std::optional<double> MeasureDrive(char letter) {
  const std::string root = std::string(1, letter) + ":\\";
  if (::GetDriveTypeA(root.c_str()) != DRIVE_FIXED) return std::nullopt;
  std::string probe = std::string(1, letter) + ":\\TEMP";
  // An existing TEMP folder is never touched: the probe goes inside it.
  if (FolderExists(probe)) probe += "\\TEMP" + RandomText(100000, 10000);
  ForceDirectories(probe);
  WriteToFile(probe + "\\~aa.tmp", "aa");
  std::optional<double> free_bytes;
  if (FileExists(probe + "\\~aa.tmp")) free_bytes = DiskFreeBytes(probe);
  DeleteTree(probe, true);
  return free_bytes;
}

}  // namespace

std::string TempFolder() {
  TempFolders& folders = Folders();
  if (!folders.temp) {
    const std::string folder = setup::TempFolderName(TempDir(true), FileDosDate(ProgramFile()));
    if (FolderExists(folder)) DeleteTree(folder, true);
    ForceDirectories(folder);
    folders.temp = folder;
  }
  return *folders.temp;
}

bool FindAlternativeTempDrive() {
  TempFolders& folders = Folders();
  if (!folders.alternative_searched) {
    folders.alternative_searched = true;
    const std::optional<double> free_bytes[3] = {MeasureDrive('C'), MeasureDrive('D'), MeasureDrive('E')};
    const std::string temp_path = TempDir(true);
    const char temp_drive = temp_path.empty() ? '\0' : temp_path[0];
    if (const std::optional<char> best = setup::AlternativeTempDrive(temp_drive, free_bytes)) {
      std::string base = std::string(1, *best) + ":\\TEMP";
      if (FolderExists(base)) base += "\\TEMP";
      folders.alternative_base = base;
    }
  }
  return !folders.alternative_base.empty();
}

std::string AlternativeTempFolder() {
  TempFolders& folders = Folders();
  if (folders.alternative.empty() && !folders.alternative_base.empty()) {
    const std::string folder = folders.alternative_base + "_" + RandomText(100000, 10000);
    if (FolderExists(folder)) DeleteTree(folder, true);
    ForceDirectories(folder);
    folders.alternative = folder;
  }
  return folders.alternative;
}

void DeleteAlternativeTempFolder() {
  TempFolders& folders = Folders();
  if (!folders.alternative.empty()) DeleteTree(folders.alternative, true);
}

bool TempSpaceOK(const std::string& folder, const TGFileInfo& package) {
  return package.RequiredSpace(folder) < DiskFreeBytes(folder) && FolderExists(folder);
}
