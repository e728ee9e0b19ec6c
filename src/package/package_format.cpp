// Reading and writing the package trailer and header lists. Every offset and
// length taken from the file is checked against the file before it is used.
#include "package/package_format.h"

#include <algorithm>
#include <cstring>

size_t MemoryByteSource::ReadAt(uint64_t offset, void* buffer, size_t count) {
  if (offset >= bytes_.size()) return 0;
  size_t n = std::min<uint64_t>(count, bytes_.size() - offset);
  std::memcpy(buffer, bytes_.data() + offset, n);
  return n;
}

namespace package {
namespace {

// A header list longer than this is taken as damage, not as text: the real
// lists are a few kilobytes.
constexpr uint32_t kMaxHeaderListSize = 16u << 20;

uint16_t LoadLE16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

uint64_t LoadLE64(const uint8_t* p) { return uint64_t(LoadLE32(p)) | uint64_t(LoadLE32(p + 4)) << 32; }

void StoreLE64(uint8_t* p, uint64_t v) {
  StoreLE32(p, uint32_t(v));
  StoreLE32(p + 4, uint32_t(v >> 32));
}

bool ReadUint32At(ByteSource& file, uint64_t offset, uint32_t& value) {
  uint8_t bytes[4];
  if (!file.ReadExactly(offset, bytes, 4)) return false;
  value = LoadLE32(bytes);
  return true;
}

}  // namespace

TrailerBytes SerializeTrailer(const Trailer& t) {
  TrailerBytes b{};
  b[0] = t.mark;
  b[1] = t.version;
  b[2] = uint8_t(t.reserved1);
  b[3] = uint8_t(t.reserved1 >> 8);
  StoreLE32(&b[4], t.header_offset);
  StoreLE32(&b[8], t.files_count);
  StoreLE32(&b[12], t.magic);
  StoreLE32(&b[trailer_offset::kChecksum], t.checksum);
  StoreLE64(&b[20], t.reserved2);
  for (uint32_t i = 0; i < kSpaceTableEntries; ++i) StoreLE32(&b[28 + 4 * i], t.space_table[i]);
  b[64] = t.reserved3;
  b[trailer_offset::kFlags] = t.flags;
  b[66] = t.web_setup;
  b[67] = t.confirm_download;
  b[68] = t.create_agent;
  b[trailer_offset::kAgentMode] = t.agent_mode;
  StoreLE32(&b[trailer_offset::kTrailerSize], t.trailer_size);
  return b;
}

Trailer ParseTrailer(std::span<const uint8_t> bytes) {
  TrailerBytes b{};
  std::memcpy(b.data(), bytes.data(), std::min<size_t>(bytes.size(), b.size()));
  Trailer t;
  t.mark = b[0];
  t.version = b[1];
  t.reserved1 = LoadLE16(&b[2]);
  t.header_offset = LoadLE32(&b[4]);
  t.files_count = LoadLE32(&b[8]);
  t.magic = LoadLE32(&b[12]);
  t.checksum = LoadLE32(&b[trailer_offset::kChecksum]);
  t.reserved2 = LoadLE64(&b[20]);
  for (uint32_t i = 0; i < kSpaceTableEntries; ++i) t.space_table[i] = LoadLE32(&b[28 + 4 * i]);
  t.reserved3 = b[64];
  t.flags = b[trailer_offset::kFlags];
  t.web_setup = b[66];
  t.confirm_download = b[67];
  t.create_agent = b[68];
  t.agent_mode = b[trailer_offset::kAgentMode];
  t.trailer_size = LoadLE32(&b[trailer_offset::kTrailerSize]);
  return t;
}

bool IsStubImage(std::span<const uint8_t> bytes) {
  return bytes.size() >= kPeHeaderOffset + 2 && bytes[0] == 'M' && bytes[1] == 'Z' &&
         bytes[kPeHeaderOffset] == 'P' && bytes[kPeHeaderOffset + 1] == 'E';
}

bool IsStubImage(ByteSource& file) {
  uint8_t mz[2];
  uint8_t pe[2];
  return file.ReadExactly(0, mz, 2) && file.ReadExactly(kPeHeaderOffset, pe, 2) && mz[0] == 'M' &&
         mz[1] == 'Z' && pe[0] == 'P' && pe[1] == 'E';
}

uint64_t PackageEndOffset(std::span<const uint8_t> bytes) {
  if (!IsStubImage(bytes)) return 0;
  return uint64_t(LoadLE32(&bytes[kPackageEndHighOffset])) << 32 |
         LoadLE32(&bytes[kPackageEndLowOffset]);
}

uint64_t PackageEndOffset(ByteSource& file) {
  if (!IsStubImage(file)) return 0;
  uint32_t high = 0;
  uint32_t low = 0;
  if (!ReadUint32At(file, kPackageEndHighOffset, high) || !ReadUint32At(file, kPackageEndLowOffset, low))
    return 0;
  return uint64_t(high) << 32 | low;
}

uint64_t PackageEnd(ByteSource& file) {
  uint64_t end = PackageEndOffset(file);
  return end > 0 ? end : file.Size();
}

Trailer ReadTrailer(ByteSource& file) {
  Trailer trailer;
  const uint64_t end = PackageEnd(file);
  uint32_t stored_size = 0;
  // An end offset beyond the file (a cut download) leaves nothing to read.
  if (end < 4 || end > file.Size() || !ReadUint32At(file, end - 4, stored_size)) {
    trailer.version = 2;
    return trailer;
  }
  const int32_t size = std::min<int32_t>(int32_t(stored_size), int32_t(kTrailerSize));
  if (size > 4 && stored_size <= end) {
    TrailerBytes bytes{};
    if (file.ReadExactly(end - stored_size, bytes.data(), size_t(size - 4))) trailer = ParseTrailer(bytes);
  }
  trailer.trailer_size = uint32_t(std::max(size, 0));
  if (trailer.version == 0) trailer.version = 2;
  return trailer;
}

uint32_t SpaceForClusterSize(const std::array<uint32_t, kSpaceTableEntries>& table,
                             uint64_t cluster_size) {
  uint32_t result = table[0];
  for (uint32_t i = 1; i < kSpaceTableEntries; ++i)
    if (cluster_size >= (uint64_t(1) << (8 + i))) result = table[i];
  return result;
}

std::optional<HeaderLists> ReadHeaderLists(ByteSource& file, const Trailer& trailer) {
  if (!trailer.HasMagic()) return std::nullopt;
  const uint64_t end = std::min(PackageEnd(file), file.Size());
  uint64_t position = trailer.header_offset;
  HeaderLists lists;
  std::string* targets[] = {&lists.language_block, &lists.agent_list, &lists.web_list};
  const int count = trailer.version >= 3 ? 3 : 2;
  for (int i = 0; i < count; ++i) {
    uint32_t length = 0;
    if (position > end || end - position < 4 || !ReadUint32At(file, position, length)) return std::nullopt;
    position += 4;
    if (length > kMaxHeaderListSize || length > end - position) return std::nullopt;
    targets[i]->resize(length);
    if (!file.ReadExactly(position, targets[i]->data(), length)) return std::nullopt;
    position += length;
  }
  return lists;
}

std::string PartFilePath(const std::string& part1_path, int number) {
  std::string base = part1_path;
  if (base.size() >= 4 && base.compare(base.size() - 4, 4, ".001") == 0) base.resize(base.size() - 4);
  std::string digits = std::to_string(number);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return base + "." + digits;
}

}  // namespace package
