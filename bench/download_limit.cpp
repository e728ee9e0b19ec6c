// Download benchmark, the reference: the least a WinINet program can do to
// fetch a URL into a file in 8 KB reads — no message pumping, no progress,
// no meter — so that the stub's download is measured against the platform.
//   download_limit.exe URL TARGET
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: download_limit URL TARGET\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  HINTERNET connection = ::InternetOpenA("download_limit", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  HINTERNET request =
      connection ? ::InternetOpenUrlA(connection, argv[1], nullptr, 0, INTERNET_FLAG_RELOAD, 0) : nullptr;
  HANDLE file =
      ::CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (!request || file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "cannot open %s or %s\n", argv[1], argv[2]);
    return 1;
  }
  static char buffer[8192];
  unsigned long long total = 0;
  DWORD n = 0;
  while (::InternetReadFile(request, buffer, sizeof buffer, &n) && n > 0) {
    DWORD written = 0;
    ::WriteFile(file, buffer, n, &written, nullptr);
    total += n;
  }
  ::CloseHandle(file);
  ::InternetCloseHandle(request);
  ::InternetCloseHandle(connection);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ::DeleteFileA(argv[2]);
  std::printf("minimal WinINet reader: %.1f MB/s (%llu bytes)\n", double(total) / 1e6 / seconds, total);
  return 0;
}
