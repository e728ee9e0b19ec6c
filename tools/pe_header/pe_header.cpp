// PE header relocation. The loader follows e_lfanew, so moving the headers
// within the header area leaves the program as it was.
#include "pe_header.h"

#include <algorithm>
#include <cstring>

namespace pe_header {
namespace {

uint32_t Load32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Load16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
void Store32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

constexpr size_t kFileHeaderSize = 20;
constexpr size_t kSectionHeaderSize = 40;
constexpr size_t kDosHeaderSize = 64;

}  // namespace

bool MovePeHeader(std::vector<uint8_t>& image, std::string& error) {
  if (image.size() < kDosHeaderSize || image[0] != 'M' || image[1] != 'Z') {
    error = "not an MZ program";
    return false;
  }
  const uint32_t old_offset = Load32(image, 0x3C);
  if (old_offset < kDosHeaderSize || uint64_t(old_offset) + 4 + kFileHeaderSize > image.size() ||
      std::memcmp(&image[old_offset], "PE\0\0", 4) != 0) {
    error = "no PE header where the DOS header points";
    return false;
  }
  const size_t file_header = old_offset + 4;
  const uint16_t sections = Load16(image, file_header + 2);
  const uint16_t optional_size = Load16(image, file_header + 16);
  const size_t optional_header = file_header + kFileHeaderSize;
  const size_t headers_end = optional_header + optional_size + size_t(sections) * kSectionHeaderSize;
  if (optional_size < 64 || headers_end > image.size()) {
    error = "the PE headers run past the file";
    return false;
  }
  const uint32_t size_of_headers = Load32(image, optional_header + 60);
  uint32_t first_raw = size_of_headers;
  for (size_t i = 0; i < sections; ++i) {
    const size_t section = optional_header + optional_size + i * kSectionHeaderSize;
    const uint32_t raw_size = Load32(image, section + 16);
    const uint32_t raw_pointer = Load32(image, section + 20);
    if (raw_size > 0 && raw_pointer > 0) first_raw = std::min(first_raw, raw_pointer);
  }
  const size_t length = headers_end - old_offset;
  if (kTargetOffset + length > first_raw || kTargetOffset + length > image.size()) {
    error = "no room for the headers at offset 256 (" + std::to_string(kTargetOffset + length) + " > " +
            std::to_string(first_raw) + ")";
    return false;
  }
  if (old_offset > kTargetOffset) {
    error = "the PE header already lies beyond offset 256";
    return false;
  }
  std::memmove(&image[kTargetOffset], &image[old_offset], length);
  // Clear what the headers left behind: the gap before them (this frees
  // 248..255) and their old tail after the new end.
  std::fill(image.begin() + old_offset, image.begin() + kTargetOffset, 0);
  if (old_offset + length > kTargetOffset + length) {
    std::fill(image.begin() + kTargetOffset + length, image.begin() + old_offset + length, 0);
  }
  Store32(image, 0x3C, kTargetOffset);
  return true;
}

}  // namespace pe_header
