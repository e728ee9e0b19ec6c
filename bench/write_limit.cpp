// The write floor of extraction: creates the same files as a finished
// extraction, of the same sizes, through the same Win32 calls (create, 1 MiB
// writes, date, close), with no reading and no inflating. What extraction
// cannot beat on one thread, however fast its inflate.
//   write_limit EXTRACTED_FOLDER TARGET_FOLDER
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_limit EXTRACTED_FOLDER TARGET_FOLDER\n");
    return 2;
  }
  std::vector<std::pair<std::string, uint64_t>> files;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
    if (entry.is_regular_file()) files.emplace_back(entry.path().filename().string(), entry.file_size());
  ::CreateDirectoryA(argv[2], nullptr);
  const std::vector<char> buffer(1u << 20, 'w');
  LARGE_INTEGER frequency, start, stop;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  uint64_t bytes = 0;
  for (const auto& [name, size] : files) {
    const std::string path = std::string(argv[2]) + "\\" + name;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    for (uint64_t left = size; left > 0;) {
      const DWORD piece = static_cast<DWORD>(left < buffer.size() ? left : buffer.size());
      DWORD written = 0;
      if (!::WriteFile(file, buffer.data(), piece, &written, nullptr) || written == 0) return 1;
      left -= written;
      bytes += written;
    }
    FILETIME time{};
    ::DosDateTimeToFileTime(0x5A2B, 0x7C3D, &time);
    ::SetFileTime(file, nullptr, nullptr, &time);
    ::CloseHandle(file);
  }
  ::QueryPerformanceCounter(&stop);
  const double seconds = double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart);
  std::printf("wrote %llu bytes in %zu files in %.3f s: %.1f MB/s\n", static_cast<unsigned long long>(bytes),
              files.size(), seconds, bytes / seconds / 1e6);
  return 0;
}
