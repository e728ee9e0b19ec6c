// Win32 implementation of the system text and clock queries.
#include "util/system_text.h"

#include <windows.h>

#include <cmath>
#include <memory>

namespace {

struct LocalFreeDeleter {
  void operator()(char* text) const { ::LocalFree(text); }
};

std::string ErrorNotice(DWORD code) {
  return "System error text not available (code " + std::to_string(code) + ")";
}

std::string MessageOf(DWORD code) {
  // Codes with the top bit set are HRESULT-style values from other sources;
  // the system table would only give misleading text for them.
  if (code & 0x80000000u) return ErrorNotice(code);
  char* buffer = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  const std::unique_ptr<char, LocalFreeDeleter> owner(buffer);
  if (length == 0 || buffer == nullptr) return ErrorNotice(code);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text.empty() ? ErrorNotice(code) : text;
}

}  // namespace

std::string LastErrorText() {
  const DWORD code = ::GetLastError();
  std::string text;
  try {
    text = MessageOf(code);
  } catch (...) {
    text = ErrorNotice(code);
  }
  // Callers often report the text and then still look at the code.
  ::SetLastError(code);
  return text;
}

int64_t MsClock() {
  static const long double factor = [] {
    LARGE_INTEGER frequency{};
    return ::QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0
               ? 1000.0L / static_cast<long double>(frequency.QuadPart)
               : 0.0L;
  }();
  LARGE_INTEGER counter{};
  if (factor == 0.0L || !::QueryPerformanceCounter(&counter)) return static_cast<int64_t>(::GetTickCount64());
  return std::llround(static_cast<long double>(counter.QuadPart) * factor);
}
