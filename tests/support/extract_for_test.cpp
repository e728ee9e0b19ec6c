// Whole-package extraction into memory for tests.
#include "extract_for_test.h"

#include <zlib.h>

#include "package/block_walk.h"
#include "package/checksum.h"
#include "package/file_info.h"
#include "package_writer.h"

namespace fixture {

ExtractedPackage ExtractForTest(const std::string& part1_path) {
  ExtractedPackage result;
  int block_counter = 0;
  std::string path = part1_path;
  for (int number = 1;; ++number) {
    auto part = OpenFileForReading(path);
    if (!part) {
      result.sound = false;
      break;
    }
    ++result.parts;
    const package::Trailer t = package::ReadTrailer(*part);
    result.checksums_ok = result.checksums_ok &&
                          package::ChecksumVerdict(package::PackageChecksum(*part, t.trailer_size), t.checksum);
    package::BlockWalker walker(*part, t);
    package::Block block;
    package::WalkStep step;
    while ((step = walker.Next(block)) == package::WalkStep::kBlock) {
      std::string data(block.length, '\0');
      part->ReadExactly(block.data_offset, data.data(), data.size());
      if (++block_counter <= package::HeaderListCount(t)) continue;
      if (block.compressed) {
        std::string out;
        z_stream s{};
        inflateInit(&s);
        s.next_in = reinterpret_cast<Bytef*>(data.data());
        s.avail_in = uInt(data.size());
        char buffer[65536];
        int status;
        do {
          s.next_out = reinterpret_cast<Bytef*>(buffer);
          s.avail_out = sizeof buffer;
          status = inflate(&s, Z_NO_FLUSH);
          out.append(buffer, sizeof buffer - s.avail_out);
        } while (status == Z_OK);
        inflateEnd(&s);
        if (status != Z_STREAM_END) result.sound = false;
        data = std::move(out);
      }
      const size_t zero = data.find('\0');
      if (zero == std::string::npos) continue;
      const auto header = package::ParseEntryHeader(data.substr(0, zero));
      if (header.is_engine) result.engine_command = header.name_item;
      result.files[header.name] += data.substr(zero + 1);
      result.dates[header.name] = header.dos_date;
    }
    if (step == package::WalkStep::kTruncated) result.sound = false;
    if (!t.HasFlag(package::kSpanned)) break;
    path = pack::PartPath(part1_path, number + 1);
  }
  return result;
}

}  // namespace fixture
