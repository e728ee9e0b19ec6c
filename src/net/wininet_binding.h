// WinINet bound by name on first use, from the system folder: the stub runs
// on systems without Internet Explorer's library and must not fail to start
// there, and a "wininet.dll" planted beside a downloaded setup file must
// never load. Each call returns the function's failure value when the
// library or the entry point is missing; a missing entry is looked up again
// at the next call.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <string>

namespace inet {

BOOL GetConnectedState(DWORD* flags);
BOOL CloseHandle(HINTERNET handle);
HINTERNET Open(const char* agent);
// `headers`: extra request header lines, each ending with CR LF.
HINTERNET OpenUrl(HINTERNET connection, const std::string& url, DWORD flags, const std::string& headers = "");
BOOL QueryInfo(HINTERNET request, DWORD info, void* buffer, DWORD* length);
BOOL ReadFile(HINTERNET request, void* buffer, DWORD to_read, DWORD* read);
BOOL SetOption(HINTERNET handle, DWORD option, void* buffer, DWORD length);
// The server's last response text (1024 bytes at most); empty on failure.
std::string LastResponseText();

// Releases the library; a later call loads it again.
void FreeLibrary();

// An open Internet handle, closed when it goes.
class InetHandle {
 public:
  InetHandle() = default;
  explicit InetHandle(HINTERNET handle) : handle_(handle) {}
  InetHandle(const InetHandle&) = delete;
  InetHandle& operator=(const InetHandle&) = delete;
  ~InetHandle() { Close(); }
  void Close() {
    if (handle_) inet::CloseHandle(handle_);
    handle_ = nullptr;
  }
  HINTERNET Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_ = nullptr;
};

}  // namespace inet

// "FreeInternetLibrary": at program end; no download may follow.
void FreeInternetLibrary();
