// The Win32 side of extraction: files are appended through a handle kept
// open for the whole entry, so that inflated data goes straight to disk.
#include "package/extract_package_win32.h"

#include <windows.h>

#include "package/file_info.h"
#include "ui/message_box.h"
#include "util/autoplay.h"
#include "util/files.h"
#include "util/message_pump.h"
#include "util/system_text.h"
#include "util/trace.h"
#include "util/win32_handle.h"

namespace {

class HandleWriter : public package::EntryWriter {
 public:
  explicit HandleWriter(FileHandle file) : file_(std::move(file)) {}
  bool Append(const uint8_t* data, size_t size) override {
    while (size > 0) {
      DWORD written = 0;
      const DWORD piece = DWORD(std::min<size_t>(size, 1u << 20));
      if (!::WriteFile(file_.Get(), data, piece, &written, nullptr) || written == 0) return false;
      data += written;
      size -= written;
    }
    return true;
  }
  bool Finish(uint32_t dos_date) override {
    if (dos_date != 0) SetFileDosDate(file_.Get(), dos_date);
    file_.Reset();
    return true;
  }

 private:
  FileHandle file_;
};

class Win32ExtractionHost : public package::ExtractionHost {
 public:
  explicit Win32ExtractionHost(const ExtractPackageInput& input) : input_(input) {}

  std::unique_ptr<ByteSource> OpenPart(const std::string& path) override { return OpenFileForReading(path); }
  bool FileExists(const std::string& path) override { return ::FileExists(path); }
  bool CreateFolder(const std::string& folder) override { return ForceDirectories(folder); }
  std::unique_ptr<package::EntryWriter> OpenForAppend(const std::string& path, bool& existed) override {
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    existed = file && ::GetLastError() == ERROR_ALREADY_EXISTS;
    LARGE_INTEGER zero{};
    if (!file || !::SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) return nullptr;
    return std::make_unique<HandleWriter>(std::move(file));
  }
  std::unique_ptr<package::EntryWriter> CreateNew(const std::string& path) override {
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<HandleWriter>(std::move(file));
  }
  uint32_t FileDate(const std::string& path) override { return FileDosDate(path); }
  uint64_t FileSize(const std::string& path) override { return FileSizeByName(path); }
  double DiskFreeBytes(const std::string& path) override { return ::DiskFreeBytes(path); }
  std::string LastErrorText() override { return ::LastErrorText(); }
  void PumpMessages() override { PumpPendingMessages(); }
  void WaitPumping(uint32_t milliseconds) override { ::WaitPumping(0, milliseconds); }
  uint64_t Milliseconds() override { return ::GetTickCount64(); }
  void ProgressReset(uint32_t maximum) override {
    if (input_.progress) input_.progress(0, maximum);
  }
  void ProgressStep() override {
    if (input_.progress) input_.progress(1, 0);
  }
  void ShowError(const std::string& text) override { MsgError(0, text); }
  bool ConfirmDisk(const std::string& text) override {
    return MsgConfirmOk(0, text, input_.prompt_caption, input_.button_captions, input_.charset);
  }
  void SetAutoPlayCancel() override { ::SetAutoPlayCancel(true); }
  void EjectCD(const std::string& path) override { ::EjectCD(path); }
  void Trace(const std::string& line) override { ::Trace(line); }
  uint32_t ProcessId() override { return ::GetCurrentProcessId(); }

 private:
  const ExtractPackageInput& input_;
};

}  // namespace

package::ExtractResult ExtractPackage(const ExtractPackageInput& input) {
  package::ExtractRequest request;
  request.part1_path = input.part1_path;
  request.target_folder = input.target_folder;
  request.agent_copy_name = input.agent_copy_name;
  request.force_prompt = input.force_prompt;
  request.disk_prompt = input.prompt_text;
  Win32ExtractionHost host(input);
  return package::ExtractPackage(request, host);
}
