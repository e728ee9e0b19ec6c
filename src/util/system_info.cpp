// Win32 implementation of the system queries. Functions of libraries that
// are not loader-protected system libraries (version.dll) are bound at run
// time from the system folder, never through the import table, which would
// search the program's folder first.
#include "util/system_info.h"

#include <shellapi.h>
#include <winver.h>

#include <cstdio>
#include <vector>

#include "util/files.h"
#include "util/settings.h"
#include "util/string_ops.h"
#include "util/system_library.h"

namespace {

constexpr DWORD kNameBufferSize = 256;
constexpr int kWindowTextBufferSize = 1024;

struct VersionApi {
  decltype(&::GetFileVersionInfoSizeA) size = nullptr;
  decltype(&::GetFileVersionInfoA) read = nullptr;
  decltype(&::VerQueryValueA) query = nullptr;
};

const VersionApi& Version() {
  static const VersionApi api = [] {
    VersionApi bound;
    bound.size = LoadProcAs<decltype(bound.size)>("version.dll", "GetFileVersionInfoSizeA");
    bound.read = LoadProcAs<decltype(bound.read)>("version.dll", "GetFileVersionInfoA");
    bound.query = LoadProcAs<decltype(bound.query)>("version.dll", "VerQueryValueA");
    return bound;
  }();
  return api;
}

// The whole value, however long; empty when the variable is unset.
std::string EnvironmentValue(const char* name) {
  const DWORD needed = ::GetEnvironmentVariableA(name, nullptr, 0);
  if (needed == 0) return {};
  std::string value(needed, '\0');
  const DWORD length = ::GetEnvironmentVariableA(name, value.data(), needed);
  if (length >= needed) return {};
  value.resize(length);
  return value;
}

char LocaleCharacter(LCTYPE item, char fallback) {
  char text[8] = {};
  return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text, sizeof text) > 1 ? text[0] : fallback;
}

}  // namespace

std::string UserName() {
  char name[kNameBufferSize] = {};
  DWORD size = kNameBufferSize;
  if (!::GetUserNameA(name, &size)) return {};
  return Trim(name);
}

std::string ComputerName() {
  char name[kNameBufferSize] = {};
  DWORD size = kNameBufferSize;
  if (!::GetComputerNameA(name, &size)) return {};
  return Trim(name);
}

std::string AccountDomain(const std::string& account) {
  DWORD sid_size = 0;
  DWORD domain_size = 0;
  SID_NAME_USE use{};
  // The first call only learns the sizes.
  ::LookupAccountNameA(nullptr, account.c_str(), nullptr, &sid_size, nullptr, &domain_size, &use);
  if (sid_size == 0) return {};
  std::vector<BYTE> sid(sid_size);
  std::vector<char> domain(domain_size + 1);
  domain_size = static_cast<DWORD>(domain.size());
  if (!::LookupAccountNameA(nullptr, account.c_str(), sid.data(), &sid_size, domain.data(), &domain_size,
                            &use))
    return {};
  return std::string(domain.data());
}

std::string UserDomain() { return AccountDomain(UserName()); }

bool IsWindowsNT() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return ::GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::string WindowsVersionKey() {
  return IsWindowsNT() ? "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                       : "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

std::string RegisteredOwner() {
  return Trim(ReadRegString(WindowsVersionKey(), "RegisteredOwner", UserName(), kUse64BitRegistryView));
}

std::string RegisteredOrganization() {
  return Trim(ReadRegString(WindowsVersionKey(), "RegisteredOrganization", "", kUse64BitRegistryView));
}

std::string FileVersionText(const std::string& path) {
  const VersionApi& api = Version();
  if (api.size == nullptr || api.read == nullptr || api.query == nullptr) return {};
  const std::string file = path.empty() ? ProgramFile() : path;
  DWORD ignored = 0;
  const DWORD size = api.size(file.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> data(size);
  if (!api.read(file.c_str(), 0, size, data.data())) return {};
  void* value = nullptr;
  UINT length = 0;
  if (!api.query(data.data(), "\\", &value, &length) || value == nullptr || length < sizeof(VS_FIXEDFILEINFO))
    return {};
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  char text[32];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
  return text;
}

std::string WindowText(HWND window) {
  if (window == nullptr) return {};
  char text[kWindowTextBufferSize] = {};
  const int length = ::GetWindowTextA(window, text, kWindowTextBufferSize);
  return length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
}

WindowOrigin CenterInWorkArea(int width, int height) {
  RECT area{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return CenteredIn({area.left, area.top, area.right, area.bottom}, width, height);
}

int PointsToPixels(int points) {
  static const int pixels_per_inch = [] {
    const HDC screen = ::GetDC(nullptr);
    const int value = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return value;
  }();
  return PointsToPixelsAt(points, pixels_per_inch);
}

bool ShellOpen(const std::string& file, int show_command) {
  const HINSTANCE result =
      ::ShellExecuteA(::GetDesktopWindow(), nullptr, file.c_str(), nullptr, nullptr, show_command);
  // Values above 32 mean success; the rest are error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool DeveloperMode() {
  static const bool on = IsDeveloperModeValue(EnvironmentValue(kDeveloperModeVariable));
  return on;
}

DateTimeSeparators LocaleDateTimeSeparators() {
  return {LocaleCharacter(LOCALE_SDATE, '/'), LocaleCharacter(LOCALE_STIME, ':')};
}

DateTimeParts NowDateTimeParts() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
