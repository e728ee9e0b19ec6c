// A package file read through Win32 with 64-bit positions.
#pragma once

#include <string>

#include "package/byte_source.h"
#include "util/win32_handle.h"

class Win32FileSource final : public ByteSource {
 public:
  explicit Win32FileSource(FileHandle file);
  // Opens for shared reading (others may read and write); check Valid().
  static FileHandle OpenShared(const std::string& path);

  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;
  HANDLE Handle() const { return file_.Get(); }

 private:
  FileHandle file_;
  uint64_t size_ = 0;
};
