// Win32 loading of system libraries by full path.
#include "util/system_library.h"

#include <cstdint>

#include "util/path_ops.h"

namespace {

// System folder buffers hold MAX_PATH + 1 bytes.
constexpr UINT kSystemFolderBuffer = 261;

// Keeps the system from asking the user about a missing library while a load
// runs; the process's other error-mode flags stay as they were.
class NoOpenFileErrorBox {
 public:
  NoOpenFileErrorBox() : previous_(::GetErrorMode()) { ::SetErrorMode(previous_ | SEM_NOOPENFILEERRORBOX); }
  NoOpenFileErrorBox(const NoOpenFileErrorBox&) = delete;
  NoOpenFileErrorBox& operator=(const NoOpenFileErrorBox&) = delete;
  ~NoOpenFileErrorBox() { ::SetErrorMode(previous_); }

 private:
  UINT previous_;
};

}  // namespace

HMODULE LoadSystemLibrary(const std::string& name) {
  // A name with a folder or drive in it would lead out of the system folder.
  if (!IsPlainFileName(name)) return nullptr;
  char folder[kSystemFolderBuffer] = {};
  const UINT length = ::GetSystemDirectoryA(folder, kSystemFolderBuffer);
  if (length == 0 || length >= kSystemFolderBuffer) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  const NoOpenFileErrorBox quiet;
  // With a full path, this flag makes the library's own imports resolve from
  // its folder (the system folder) before the program's folder.
  return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC LoadProc(const std::string& library, const std::string& function) {
  const HMODULE module = LoadSystemLibrary(library);
  // Handles up to 32 are the error codes of the old loader interface.
  if (reinterpret_cast<uintptr_t>(module) < 33) return nullptr;
  return ::GetProcAddress(module, function.c_str());
}
