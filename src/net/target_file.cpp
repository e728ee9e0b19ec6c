// Appending a download to its file.
#include "net/target_file.h"

TargetFile::TargetFile(const std::string& path)
    : file_(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

bool TargetFile::Append(const char* data, DWORD count) {
  if (!IsOpen()) return false;
  DWORD written = 0;
  return ::WriteFile(file_, data, count, &written, nullptr) && written == count;
}

void TargetFile::Close() {
  if (IsOpen()) ::CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}
