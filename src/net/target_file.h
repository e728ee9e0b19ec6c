// The file a download appends to, kept open for the whole download: opening
// and closing it for every 8 KB chunk would cost more than the transfer.
#pragma once

#include <windows.h>

#include <string>

class TargetFile {
 public:
  // Opens `path` for appending, creating it when missing; shared for reading.
  explicit TargetFile(const std::string& path);
  TargetFile(const TargetFile&) = delete;
  TargetFile& operator=(const TargetFile&) = delete;
  ~TargetFile() { Close(); }

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
  // True when all bytes were written.
  bool Append(const char* data, DWORD count);
  void Close();

 private:
  HANDLE file_;
};
