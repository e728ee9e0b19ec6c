// The layout of a package appended to the stub: trailer record, flag bits,
// header lists and the package end offset in the stub's DOS area. The stub
// reads it and dunvex-pack writes it from these same definitions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "package/byte_source.h"

namespace package {

constexpr uint32_t kMagic = 0x4A3B2C1D;
constexpr uint32_t kTrailerSize = 74;
// A stored or computed checksum of this value matches anything.
constexpr uint32_t kChecksumOff = 1234;
// Where the stub image keeps the 64-bit package end offset, and where its PE
// header must sit for a file to count as a stub image.
constexpr uint64_t kPackageEndHighOffset = 248;
constexpr uint64_t kPackageEndLowOffset = 252;
constexpr uint64_t kPeHeaderOffset = 256;
constexpr uint32_t kSpaceTableEntries = 9;

enum Flag : uint8_t {
  kAlwaysConfirmTemp = 0x01,
  kSpanned = 0x02,
  kDiskSpanRelaunch = 0x04,
  kShowBusyBar = 0x08,
  kAgentLog = 0x10,
};

struct Trailer {
  uint8_t mark = 0;
  uint8_t version = 0;
  uint16_t reserved1 = 0;
  uint32_t header_offset = 0;
  uint32_t files_count = 0;
  uint32_t magic = 0;
  uint32_t checksum = 0;
  uint64_t reserved2 = 0;
  std::array<uint32_t, kSpaceTableEntries> space_table{};
  uint8_t reserved3 = 0;
  uint8_t flags = 0;
  uint8_t web_setup = 0;
  uint8_t confirm_download = 0;
  uint8_t create_agent = 0;
  uint8_t agent_mode = 0;
  uint32_t trailer_size = 0;

  bool HasFlag(Flag flag) const { return (flags & flag) == flag; }
  bool HasMagic() const { return magic == kMagic; }
  bool operator==(const Trailer&) const = default;
};

// Byte offsets of the fields inside the 74-byte record.
namespace trailer_offset {
constexpr size_t kChecksum = 16;
constexpr size_t kFlags = 65;
constexpr size_t kAgentMode = 69;
constexpr size_t kTrailerSize = 70;
}  // namespace trailer_offset

using TrailerBytes = std::array<uint8_t, kTrailerSize>;
TrailerBytes SerializeTrailer(const Trailer& trailer);
// Reads a record from the first `count` bytes (at most 74); missing fields are 0.
Trailer ParseTrailer(std::span<const uint8_t> bytes);

// 'M','Z' at 0 and 'P','E' at 256: only such files carry a package end offset.
bool IsStubImage(ByteSource& file);
bool IsStubImage(std::span<const uint8_t> bytes);
// The 64-bit package end offset of a stub image (0 when absent).
uint64_t PackageEndOffset(ByteSource& file);
uint64_t PackageEndOffset(std::span<const uint8_t> bytes);
// Where the package ends: the end offset of a stub image when above 0, else
// the end of the file.
uint64_t PackageEnd(ByteSource& file);

// The trailer of a package file. The record's trailer_size is the number of
// record bytes that were taken (the stored size, at most 74), and a version of
// 0 reads as 2. Offsets that point outside the file leave the record zero.
Trailer ReadTrailer(ByteSource& file);

// Space the installation needs on a volume with the given cluster size.
uint32_t SpaceForClusterSize(const std::array<uint32_t, kSpaceTableEntries>& table,
                             uint64_t cluster_size);

struct HeaderLists {
  std::string language_block;
  std::string agent_list;
  std::string web_list;
};

// The header lists at the trailer's header offset; nullopt when a length or
// offset points outside the package (a cut or damaged file).
std::optional<HeaderLists> ReadHeaderLists(ByteSource& file, const Trailer& trailer);

// The path of part `number` (2, 3 ...) of a spanned package: part 1's path
// without a final ".001", then "." and the number in three digits.
std::string PartFilePath(const std::string& part1_path, int number);

// Number of header lists that precede the file entries.
inline int HeaderListCount(const Trailer& trailer) { return trailer.version == 0 ? 2 : trailer.version; }

}  // namespace package
