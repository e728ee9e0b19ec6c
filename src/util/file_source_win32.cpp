// Win32 implementation of ByteSource.
#include "util/file_source_win32.h"

#include <algorithm>
#include <memory>

#include "package/file_info.h"

Win32FileSource::Win32FileSource(FileHandle file) : file_(std::move(file)) {
  LARGE_INTEGER size{};
  if (file_ && ::GetFileSizeEx(file_.Get(), &size)) size_ = uint64_t(size.QuadPart);
}

FileHandle Win32FileSource::OpenShared(const std::string& path) {
  return FileHandle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

size_t Win32FileSource::ReadAt(uint64_t offset, void* buffer, size_t count) {
  size_t total = 0;
  auto* out = static_cast<char*>(buffer);
  while (total < count) {
    OVERLAPPED at{};
    const uint64_t position = offset + total;
    at.Offset = DWORD(position);
    at.OffsetHigh = DWORD(position >> 32);
    DWORD got = 0;
    const DWORD want = DWORD(std::min<size_t>(count - total, 1u << 30));
    if (!::ReadFile(file_.Get(), out + total, want, &got, &at) || got == 0) break;
    total += got;
  }
  return total;
}

std::unique_ptr<ByteSource> OpenFileForReading(const std::string& path) {
  FileHandle file = Win32FileSource::OpenShared(path);
  if (!file) return nullptr;
  return std::make_unique<Win32FileSource>(std::move(file));
}
