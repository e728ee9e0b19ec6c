// The package checksum: a 32-bit sum of little-endian dwords with a bonus per
// 4 KB block, over a window that leaves out the DOS area of a stub image and
// the end of the package. Builder and stub must agree on it bit for bit.
#pragma once

#include <cstdint>

#include "package/byte_source.h"

namespace package {

// Files above this size are not summed: their checksum is kChecksumOff.
constexpr uint64_t kChecksumSizeLimit = 52428800;

uint32_t PackageChecksum(ByteSource& file, uint32_t trailer_size);

// A part passes when the sums agree or either side is the "off" value 1234.
bool ChecksumVerdict(uint32_t computed, uint32_t stored);

}  // namespace package
