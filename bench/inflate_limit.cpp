// The limit of extraction on this platform: the same zlib inflating the same
// package's compressed entries memory to memory, with nothing else to do.
//   inflate_limit SETUP.exe
#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "package/block_walk.h"
#include "package/file_info.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: inflate_limit SETUP.exe\n");
    return 2;
  }
  auto file = OpenFileForReading(argv[1]);
  if (!file) return 2;
  const package::Trailer trailer = package::ReadTrailer(*file);
  package::BlockWalker walker(*file, trailer);
  package::Block block;
  std::vector<std::string> entries;
  int counter = 0;
  while (walker.Next(block) == package::WalkStep::kBlock) {
    if (++counter <= package::HeaderListCount(trailer) || !block.compressed) continue;
    std::string data(block.length, '\0');
    file->ReadExactly(block.data_offset, data.data(), data.size());
    entries.push_back(std::move(data));
  }
  std::vector<unsigned char> output(1 << 20);
  uint64_t produced = 0;
  LARGE_INTEGER frequency, start, stop;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  for (auto& entry : entries) {
    z_stream stream{};
    inflateInit(&stream);
    stream.next_in = reinterpret_cast<Bytef*>(entry.data());
    stream.avail_in = uInt(entry.size());
    int status;
    do {
      stream.next_out = output.data();
      stream.avail_out = uInt(output.size());
      status = inflate(&stream, Z_NO_FLUSH);
      produced += output.size() - stream.avail_out;
    } while (status == Z_OK);
    inflateEnd(&stream);
  }
  ::QueryPerformanceCounter(&stop);
  const double seconds = double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart);
  std::printf("inflated %llu bytes in %.3f s: %.1f MB/s\n", static_cast<unsigned long long>(produced), seconds,
              produced / seconds / 1e6);
  return 0;
}
