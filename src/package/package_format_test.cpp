// Trailer and header-list reading on hand-made files, including damaged ones.
#include "package/package_format.h"

#include <gtest/gtest.h>

#include "package/block_walk.h"
#include "package_fixture.h"

using fixture::Bytes;

namespace {

// A stub image followed by two lists and a trailer of `trailer_size` bytes
// whose first 70 bytes are a normal record.
Bytes PackageWithTrailerSize(uint32_t trailer_size, uint8_t version = 2) {
  Bytes file = fixture::FakeStub();
  const uint32_t header_offset = uint32_t(file.size());
  fixture::AppendBlock(file, "|lang|", true);
  fixture::AppendBlock(file, "|agent|", true);
  package::Trailer t = fixture::BasicTrailer(header_offset);
  t.version = version;
  t.files_count = 7;
  t.flags = package::kShowBusyBar;
  t.agent_mode = 1;
  const auto serialized = package::SerializeTrailer(t);
  Bytes record(serialized.begin(), serialized.end());
  record.resize(trailer_size - 4, 0xEE);  // a longer trailer carries unknown bytes
  file.insert(file.end(), record.begin(), record.end());
  fixture::AppendLE32(file, trailer_size);
  return file;
}

}  // namespace

TEST(Trailer, SerializeAndParseAreInverse) {
  package::Trailer t = fixture::BasicTrailer(0x12345678);
  t.files_count = 3;
  t.checksum = 0xDEADBEEF;
  t.reserved2 = 0x0102030405060708ull;
  for (uint32_t i = 0; i < 9; ++i) t.space_table[i] = 1000 * (i + 1);
  t.flags = 0x1F;
  t.web_setup = 1;
  t.confirm_download = 2;
  t.create_agent = 3;
  t.agent_mode = 4;
  const auto bytes = package::SerializeTrailer(t);
  // Fixed positions that peers rely on.
  EXPECT_EQ(bytes[12], 0x1D);
  EXPECT_EQ(bytes[15], 0x4A);
  EXPECT_EQ(bytes[65], 0x1F);
  EXPECT_EQ(bytes[69], 4);
  EXPECT_EQ(bytes[70], 74);
  EXPECT_EQ(package::ParseTrailer(bytes), t);
}

TEST(Trailer, StoredSizesAboveAndBelowTheRecord) {
  struct Case {
    uint32_t stored;
    uint32_t reported_size;
    bool agent_mode_read;  // offset 69 lies inside the bytes taken
  } cases[] = {{74, 74, true}, {90, 74, true}, {72, 72, false}, {60, 60, false}};
  for (const auto& c : cases) {
    Bytes file = PackageWithTrailerSize(c.stored);
    MemoryByteSource source(file);
    const package::Trailer t = package::ReadTrailer(source);
    SCOPED_TRACE(c.stored);
    EXPECT_TRUE(t.HasMagic());
    EXPECT_EQ(t.trailer_size, c.reported_size);
    EXPECT_EQ(t.files_count, 7u);
    EXPECT_EQ(t.agent_mode, c.agent_mode_read ? 1 : 0);
    // The walk ends where the stored trailer begins, so the extra bytes of a
    // long trailer are never taken for a block.
    EXPECT_EQ(package::TrailerStart(source), file.size() - c.stored);
  }
}

TEST(Trailer, VersionZeroReadsAsTwoAndNoThirdList) {
  Bytes file = PackageWithTrailerSize(74, 0);
  MemoryByteSource source(file);
  const package::Trailer t = package::ReadTrailer(source);
  EXPECT_EQ(t.version, 2);
  auto lists = package::ReadHeaderLists(source, t);
  ASSERT_TRUE(lists);
  EXPECT_EQ(lists->language_block, "|lang|");
  EXPECT_EQ(lists->agent_list, "|agent|");
  EXPECT_EQ(lists->web_list, "");
}

TEST(Trailer, FoundThroughPackageEndDespiteAppendedBytes) {
  Bytes file = PackageWithTrailerSize(74);
  const uint64_t end = file.size();
  fixture::SetPackageEnd(file, end);
  file.insert(file.end(), 100, 0x55);
  MemoryByteSource source(file);
  EXPECT_EQ(package::PackageEnd(source), end);
  const package::Trailer t = package::ReadTrailer(source);
  EXPECT_TRUE(t.HasMagic());
  EXPECT_TRUE(package::ReadHeaderLists(source, t));
}

TEST(Trailer, EndOffsetOnlyCountsInStubImages) {
  Bytes file = PackageWithTrailerSize(74);
  fixture::SetPackageEnd(file, 0);  // zero: trailer from the end of the file
  MemoryByteSource zero_end(file);
  EXPECT_TRUE(package::ReadTrailer(zero_end).HasMagic());

  fixture::SetPackageEnd(file, 1000);
  file[256] = 'X';  // no longer a stub image: the stored end is not followed
  MemoryByteSource not_stub(file);
  EXPECT_FALSE(package::IsStubImage(not_stub));
  EXPECT_EQ(package::PackageEnd(not_stub), file.size());
  EXPECT_TRUE(package::ReadTrailer(not_stub).HasMagic());
}

TEST(Trailer, DamagedFilesReadAsPackagesWithoutLists) {
  struct Case {
    const char* what;
    void (*damage)(Bytes&);
  } cases[] = {
      {"end offset beyond the file (cut download)", [](Bytes& f) { fixture::SetPackageEnd(f, f.size() + 5000); }},
      {"trailer size larger than the file", [](Bytes& f) { f[f.size() - 1] = 0x7F; }},
      {"negative trailer size", [](Bytes& f) { f[f.size() - 1] = 0xFF; }},
      {"header offset beyond the file", [](Bytes& f) { f[f.size() - 74 + 7] = 0x70; }},
      {"list length beyond the file", [](Bytes& f) { f[1024 + 3] = 0x40; }},
      {"list length of 4 GB", [](Bytes& f) { f[1024] = f[1025] = f[1026] = f[1027] = 0xFF; }},
      {"cut in the middle of the lists", [](Bytes& f) { f.resize(1030); }},
      {"a few bytes only", [](Bytes& f) { f.resize(3); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes file = PackageWithTrailerSize(74);
    c.damage(file);
    MemoryByteSource source(file);
    const package::Trailer t = package::ReadTrailer(source);
    EXPECT_FALSE(package::ReadHeaderLists(source, t).has_value());
  }
}

TEST(SpaceTable, ClusterSizeChoosesTheEntry) {
  std::array<uint32_t, 9> table{10, 11, 12, 13, 14, 15, 16, 17, 18};
  struct Case {
    uint64_t cluster;
    uint32_t expected;
  } cases[] = {{0, 10}, {511, 10}, {512, 11}, {2047, 12}, {3000, 13}, {4096, 14}, {65536, 18}, {1 << 20, 18}};
  for (const auto& c : cases) EXPECT_EQ(package::SpaceForClusterSize(table, c.cluster), c.expected) << c.cluster;
}

TEST(BlockWalk, StopsOnALengthThatRunsPastTheTrailer) {
  Bytes file = fixture::FakeStub();
  const uint32_t header_offset = uint32_t(file.size());
  fixture::AppendStoredEntry(file, "a.txt", 0, "abc");
  fixture::AppendLE32(file, 500);  // claims 500 bytes, only 10 follow
  fixture::Append(file, "0123456789");
  fixture::AppendTrailer(file, fixture::BasicTrailer(header_offset));
  MemoryByteSource source(file);
  package::BlockWalker walker(source, package::ReadTrailer(source));
  package::Block block;
  ASSERT_EQ(walker.Next(block), package::WalkStep::kBlock);
  EXPECT_FALSE(block.compressed);
  EXPECT_EQ(block.length, 13u);
  EXPECT_EQ(walker.Next(block), package::WalkStep::kTruncated);
}

TEST(EntryHeader, NamesDatesAndTheEngineMarker) {
  struct Case {
    const char* header;
    const char* name;
    uint32_t date;
    bool engine;
  } cases[] = {
      {"|a.txt|0|", "a.txt", 0, false},
      {"|a.txt|1234567|", "a.txt", 1234567, false},
      {"|a.txt|x|", "a.txt", 0, false},
      {"|Engine.exe* /X|0|", "Engine.exe", 0, true},
      {"|Engine.exe*|3000000000|", "Engine.exe", 3000000000u, true},
  };
  for (const auto& c : cases) {
    const auto h = package::ParseEntryHeader(c.header);
    EXPECT_EQ(h.name, c.name) << c.header;
    EXPECT_EQ(h.dos_date, c.date) << c.header;
    EXPECT_EQ(h.is_engine, c.engine) << c.header;
  }
  EXPECT_EQ(package::MakeEntryHeader("a.txt", 0), "|a.txt|0|");
}
