// The package checksum against hand-computed sums and the cases peers rely on.
#include "package/checksum.h"

#include <gtest/gtest.h>

#include "package_fixture.h"

using fixture::Bytes;

namespace {

uint32_t Dword(const Bytes& b, size_t offset) { return LoadLE32(&b[offset]); }

uint32_t Checksum(const Bytes& file, uint32_t trailer_size = 74) {
  MemoryByteSource source(file);
  return package::PackageChecksum(source, trailer_size);
}

Bytes Pattern(size_t size, uint8_t seed) {
  Bytes b(size);
  for (size_t i = 0; i < size; ++i) b[i] = uint8_t(i * 31 + seed);
  return b;
}

// A stub image of 4 KB with lists and one entry, its package end set.
Bytes StubPackage() {
  Bytes file = fixture::FakeStub(4096);
  const uint32_t header_offset = uint32_t(file.size());
  fixture::AppendBlock(file, "", true);
  fixture::AppendBlock(file, "", true);
  fixture::AppendStoredEntry(file, "a.bin", 0, std::string(6000, 'q'));
  fixture::AppendTrailer(file, fixture::BasicTrailer(header_offset));
  fixture::SetPackageEnd(file, file.size());
  return file;
}

}  // namespace

TEST(Checksum, HandComputedSmallFile) {
  // 90 bytes, no stub image: 16 bytes before the trailer; only the first two
  // dwords are summed (the rule leaves the last 5 to 8 bytes out) and the
  // short block earns no bonus.
  const Bytes file = Pattern(90, 1);
  EXPECT_EQ(Checksum(file), Dword(file, 0) + Dword(file, 4));
}

TEST(Checksum, HandComputedTwoBlocks) {
  // 4296 bytes: the full first block is summed and earns the 1234 bonus; of
  // the second block 30 dwords are summed (126 - 4 * 30 = 6 > 4 left).
  const Bytes file = Pattern(4096 + 200, 7);
  uint32_t expected = 1234;
  for (size_t i = 0; i < 4096; i += 4) expected += Dword(file, i);
  for (size_t i = 0; i < 30 * 4; i += 4) expected += Dword(file, 4096 + i);
  EXPECT_EQ(Checksum(file), expected);
}

TEST(Checksum, StubImageSkipsItsFirst512Bytes) {
  Bytes file = StubPackage();
  const uint32_t sum = Checksum(file);
  file[300] ^= 0xFF;  // inside the skipped DOS area
  EXPECT_EQ(Checksum(file), sum);
  file[5000] ^= 0xFF;  // inside the entry
  EXPECT_NE(Checksum(file), sum);
}

TEST(Checksum, BytesAfterThePackageEndDoNotCount) {
  Bytes file = StubPackage();
  const uint32_t sum = Checksum(file);
  file.insert(file.end(), 300, 0xAB);
  EXPECT_EQ(Checksum(file), sum);
}

TEST(Checksum, ZeroEndOffsetSumsFromTheStartOverTheWholeFile) {
  Bytes file = StubPackage();
  fixture::SetPackageEnd(file, 0);
  const uint32_t sum = Checksum(file);
  file[300] ^= 0xFF;  // now inside the summed window
  EXPECT_NE(Checksum(file), sum);
}

TEST(Checksum, TheTrailerAndTheLastBytesBeforeItAreNotSummed) {
  Bytes file = StubPackage();
  const uint32_t sum = Checksum(file);
  file[file.size() - 74 + 16] ^= 0xFF;  // the stored checksum itself
  file[file.size() - 74 - 3] ^= 0xFF;   // within the last 5 to 8 bytes
  EXPECT_EQ(Checksum(file), sum);
}

TEST(Checksum, FilesAboveFiftyMegabytesAreNotSummed) {
  Bytes file = Pattern(52428801, 3);
  EXPECT_EQ(Checksum(file), package::kChecksumOff);
  file.resize(52428800);  // exactly at the limit: summed
  EXPECT_NE(Checksum(file), package::kChecksumOff);
}

TEST(Checksum, Verdict) {
  EXPECT_TRUE(package::ChecksumVerdict(5, 5));
  EXPECT_TRUE(package::ChecksumVerdict(1234, 9));  // the file was too large to sum
  EXPECT_TRUE(package::ChecksumVerdict(9, 1234));  // the check is switched off
  EXPECT_FALSE(package::ChecksumVerdict(5, 6));
}
