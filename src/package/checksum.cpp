// The package checksum. The odd rules (the 1234 bonus per full block, the
// 512-byte skip, the last 5 to 8 bytes left out) are part of the format: every
// package ever built carries a sum made by them.
#include "package/checksum.h"

#include <array>

#include "package/package_format.h"

namespace package {

uint32_t PackageChecksum(ByteSource& file, uint32_t trailer_size) {
  uint64_t size = file.Size();
  if (size > kChecksumSizeLimit) return kChecksumOff;

  // Only the low dword of the end offset counts here; files above the size
  // limit never get this far.
  uint32_t end = 0;
  if (IsStubImage(file)) {
    uint8_t low[4];
    if (file.ReadExactly(kPackageEndLowOffset, low, 4)) end = LoadLE32(low);
  }
  if (end > 0) size = end;

  int64_t remaining = int64_t(size) - int64_t(int32_t(trailer_size));
  uint64_t position = 0;
  if (end > 0) {
    remaining -= 512;
    position = 512;
  }

  uint32_t sum = 0;
  std::array<uint8_t, 4096> block;
  size_t got = 0;
  do {
    got = file.ReadAt(position, block.data(), block.size());
    position += got;
    for (size_t i = 0; i + 4 <= got; i += 4) {
      remaining -= 4;
      if (remaining > 4) sum += LoadLE32(&block[i]);
    }
    if (remaining > 4) sum += kChecksumOff;
    // Past the summed window nothing can change the result any more.
  } while (got == block.size() && remaining > 4);
  return sum;
}

bool ChecksumVerdict(uint32_t computed, uint32_t stored) {
  return computed == stored || computed == kChecksumOff || stored == kChecksumOff;
}

}  // namespace package
