// Random access to the bytes of a package file, so that the format code reads
// the same way from a Win32 file, a stdio file or memory (tests, fuzzing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Reads up to `count` bytes at `offset`; returns how many arrived (fewer at
  // the end of the data or on a read error).
  virtual size_t ReadAt(uint64_t offset, void* buffer, size_t count) = 0;

  bool ReadExactly(uint64_t offset, void* buffer, size_t count) {
    return ReadAt(offset, buffer, count) == count;
  }
};

class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;

 private:
  std::span<const uint8_t> bytes_;
};

// Little-endian helpers shared by the reader and the writer.
inline uint32_t LoadLE32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void StoreLE32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
