// A minimal setup engine for the example package. The stub starts it from
// the temporary folder it extracted the package into; it copies the other
// files of that folder into the target folder ("/TargetDir=", by default
// C:\Program Files\Dunvex Example), writes what it did to install.log there,
// deletes the run's completion atom and ends with 0, or with 1 when a file
// could not be copied (the atom then stays: the run did not complete).
#include <windows.h>

#include <string>

namespace {

constexpr char kCompletionAtomPrefix[] = "DgbtFbirzkBwsdYkysvAhAlhzib";

// The value of "/Name=" up to the next " /", quotes removed.
std::string SwitchValue(const std::string& line, const std::string& name, const std::string& fallback) {
  const size_t at = line.find(" " + name);
  if (at == std::string::npos) return fallback;
  const size_t start = at + 1 + name.size();
  const size_t end = line.find(" /", start);
  std::string value = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
  std::string unquoted;
  for (char c : value)
    if (c != '"') unquoted += c;
  while (!unquoted.empty() && unquoted.back() == ' ') unquoted.pop_back();
  return unquoted;
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

void CreateFolders(const std::string& folder) {
  for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
    ::CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
  ::CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string line = ::GetCommandLineA();
  char own[MAX_PATH + 1] = {};
  const std::string own_path(own, ::GetModuleFileNameA(nullptr, own, MAX_PATH));
  const std::string source = FolderOf(own_path);
  const std::string target = SwitchValue(line, "/TargetDir=", "C:\\Program Files\\Dunvex Example");
  CreateFolders(target);

  std::string log = "Command line: " + line + "\r\nFrom: " + source + "\r\nTo: " + target + "\r\n";
  bool all_copied = true;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((source + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || lstrcmpiA(name.c_str(), "Engine.exe") == 0)
        continue;
      const bool copied = ::CopyFileA((source + "\\" + name).c_str(), (target + "\\" + name).c_str(), FALSE);
      all_copied = all_copied && copied;
      log += (copied ? "Copied: " : "FAILED: ") + name + "\r\n";
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }

  if (all_copied) {
    const std::string atom_name = kCompletionAtomPrefix + SwitchValue(line, "/TH_ID=", "");
    if (ATOM atom = ::GlobalFindAtomA(atom_name.c_str())) ::GlobalDeleteAtom(atom);
  }
  log += all_copied ? "Completed\r\n" : "Not completed\r\n";
  HANDLE file = ::CreateFileA((target + "\\install.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ::WriteFile(file, log.data(), DWORD(log.size()), &written, nullptr);
    ::CloseHandle(file);
  }
  return all_copied ? 0 : 1;
}
