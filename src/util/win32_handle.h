// Owning wrappers for Win32 handles: every handle the stub opens is closed on
// every path out of the scope that opened it.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, Traits::Invalid()));
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  bool Valid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return Valid(); }
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (Valid()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
// Handles for which the API reports failure with NULL (processes, threads, events).
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};
struct LibraryHandleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};

// Registry keys report failure through their status code and leave NULL.
struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using LibraryHandle = UniqueHandle<LibraryHandleTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
