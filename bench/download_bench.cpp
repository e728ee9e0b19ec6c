// Download benchmark, the stub's side: the stub's own download code fetches a
// URL into a file, without progress ("plain") or stepping a progress object
// as the web setup does ("steps"), and prints the rate.
//   download_bench.exe URL TARGET plain|steps
#include <windows.h>

#include <cstdio>
#include <string>

#include "net/download_abort.h"
#include "net/inet_http.h"
#include "ui/progress_bar.h"
#include "util/system_text.h"

namespace {

// Downloads once; MB/s, or -1 on failure.
double Measure(const std::string& url, const std::string& target, TProgBar* bar) {
  ::DeleteFileA(target.c_str());
  SetDownloadAbort(false);
  std::string content;
  std::string error;
  const int64_t start = MsClock();
  HTTP_DownloadFile_Incremental(nullptr, url, target, content, bar, error);
  const int64_t elapsed = MsClock() - start;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!error.empty() || !::GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &data)) {
    std::fprintf(stderr, "download failed: %s\n", error.c_str());
    return -1;
  }
  const double bytes = double(uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow);
  ::DeleteFileA(target.c_str());
  return bytes / 1e6 / (double(elapsed > 0 ? elapsed : 1) / 1000);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 4 ? argv[3] : "";
  if (mode != "plain" && mode != "steps") {
    std::fprintf(stderr, "usage: download_bench URL TARGET plain|steps\n");
    return 2;
  }
  TProgBar bar([](int, int, int, int, int, const std::string&) {});
  const double rate = Measure(argv[1], argv[2], mode == "steps" ? &bar : nullptr);
  if (rate < 0) return 1;
  std::printf(
      mode == "steps" ? "stub download with progress steps: %.1f MB/s\n" : "stub download: %.1f MB/s\n",
      rate);
  return 0;
}
