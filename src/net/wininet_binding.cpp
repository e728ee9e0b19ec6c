// The on-demand WinINet binding. The stub's import table names only system
// libraries the loader protects; WinINet is not one of them.
#include "net/wininet_binding.h"

#include <array>
#include <cstring>

#include "util/system_library.h"

namespace {

constexpr char kLibrary[] = "WinINet.dll";

// One module handle for all entry points; loaded again while it fails.
HMODULE& Library() {
  static HMODULE library = nullptr;
  return library;
}

enum Entry {
  kConnectedState,
  kClose,
  kOpen,
  kOpenUrl,
  kQueryInfo,
  kRead,
  kSetOption,
  kLastResponse,
  kEntries
};

constexpr std::array<const char*, kEntries> kNames = {"InternetGetConnectedState",
                                                      "InternetCloseHandle",
                                                      "InternetOpenA",
                                                      "InternetOpenUrlA",
                                                      "HttpQueryInfoA",
                                                      "InternetReadFile",
                                                      "InternetSetOptionA",
                                                      "InternetGetLastResponseInfoA"};

std::array<FARPROC, kEntries>& Addresses() {
  static std::array<FARPROC, kEntries> addresses{};
  return addresses;
}

// "LoadInternetFunction".
template <typename Function>
Function Bind(Entry entry) {
  FARPROC& address = Addresses()[entry];
  if (!address) {
    HMODULE& library = Library();
    if (!library) library = LoadSystemLibrary(kLibrary);
    if (library) address = ::GetProcAddress(library, kNames[entry]);
  }
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

using ConnectedStateFn = BOOL(WINAPI*)(LPDWORD, DWORD);
using CloseFn = BOOL(WINAPI*)(HINTERNET);
using OpenFn = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using OpenUrlFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
using QueryInfoFn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);
using ReadFn = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
using SetOptionFn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);
using LastResponseFn = BOOL(WINAPI*)(LPDWORD, LPSTR, LPDWORD);

}  // namespace

namespace inet {

BOOL GetConnectedState(DWORD* flags) {
  const auto function = Bind<ConnectedStateFn>(kConnectedState);
  if (!function) return FALSE;
  return function(flags, 0);
}

BOOL CloseHandle(HINTERNET handle) {
  const auto function = Bind<CloseFn>(kClose);
  return function ? function(handle) : FALSE;
}

HINTERNET Open(const char* agent) {
  const auto function = Bind<OpenFn>(kOpen);
  return function ? function(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0) : nullptr;
}

HINTERNET OpenUrl(HINTERNET connection, const std::string& url, DWORD flags, const std::string& headers) {
  const auto function = Bind<OpenUrlFn>(kOpenUrl);
  if (!function) return nullptr;
  return function(connection, url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                  static_cast<DWORD>(headers.size()), flags, 0);
}

BOOL QueryInfo(HINTERNET request, DWORD info, void* buffer, DWORD* length) {
  const auto function = Bind<QueryInfoFn>(kQueryInfo);
  return function ? function(request, info, buffer, length, nullptr) : FALSE;
}

BOOL ReadFile(HINTERNET request, void* buffer, DWORD to_read, DWORD* read) {
  *read = 0;
  const auto function = Bind<ReadFn>(kRead);
  return function ? function(request, buffer, to_read, read) : FALSE;
}

BOOL SetOption(HINTERNET handle, DWORD option, void* buffer, DWORD length) {
  const auto function = Bind<SetOptionFn>(kSetOption);
  return function ? function(handle, option, buffer, length) : FALSE;
}

std::string LastResponseText() {
  const auto function = Bind<LastResponseFn>(kLastResponse);
  if (!function) return "";
  char buffer[1024] = {};
  DWORD error = 0;
  DWORD length = sizeof buffer;
  if (!function(&error, buffer, &length)) return "";
  // The length reported may exceed the buffer when the text did not fit.
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

void FreeLibrary() {
  HMODULE& library = Library();
  if (library) ::FreeLibrary(library);
  library = nullptr;
  Addresses() = {};
}

}  // namespace inet

void FreeInternetLibrary() { inet::FreeLibrary(); }
