// Tests of the pure path helpers: file-name checks and base names, the volume
// root used for free-space queries, trailing backslashes and doubled
// backslashes with double-byte code pages, and the write-chunking rule.
#include "util/path_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// Lead bytes of Shift-JIS, whose trail bytes include the backslash (0x5C).
bool ShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

TEST(IsPlainFileNameTest, AcceptsOnlyNamesThatStayInTheirFolder) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"a.txt", true},
      {".profile", true},
      {"a b.txt", true},
      {"\xe9t\xe9.txt", true},  // bytes from 128 up belong to the code page
      {"COM10", true},          // only COM1 to COM9 are devices
      {"console.txt", true},
      {"", false},
      {".", false},
      {"..", false},
      {"a\\b", false},
      {"a/b", false},
      {"C:x", false},
      {"x:", false},
      {"con", false},
      {"CON.log", false},
      {"COM1.txt", false},
      {"lpt9", false},
      {"nul.tar.gz", false},  // the device is the part before the first dot
      {"a?", false},
      {"a*", false},
      {"a<", false},
      {"a>", false},
      {"a|b", false},
      {"a\"b", false},
      {"a\x01", false},
      {"a\tb", false},
      {"name.", false},
      {"name ", false},
      {"...", false},
  };
  for (const auto& [name, plain] : cases) EXPECT_EQ(IsPlainFileName(name), plain) << "'" << name << "'";
}

TEST(FileBaseNameTest, DropsFolderAndLastOrAllExtensions) {
  struct Case {
    std::string path;
    bool all;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"C:\\X\\a.b.c", false, "a.b"},
      {"C:\\X\\a.b.c", true, "a"},
      {"C:\\X.Y\\file", false, "file"},  // a dot in the folder is not an extension
      {"C:\\X.Y\\file", true, "file"},
      {"x/y.z", false, "y"},
      {"C:name.txt", false, "name"},
      {".profile", false, ""},
      {"setup", true, "setup"},
      {"C:\\X\\", false, ""},
      {"", false, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FileBaseName(c.path, c.all), c.expected) << c.path << " " << c.all;
}

TEST(VolumeRootOfTest, KeepsFirstFolderOrFallsBackToDriveRoot) {
  struct Case {
    std::string path;
    bool drive_root;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"C:\\A\\B\\C", false, "C:\\A"},  // first query: the drive and first folder
      {"C:\\A\\B\\C", true, "C:\\"},    // second query: the drive root
      {"c:\\a", true, "C:\\"},
      {"C:\\A", false, "C:\\A"},
      {"C:\\A\\", false, "C:\\A"},
      {"C:\\", false, "C:\\"},
      {"C:/A/B", false, "C:\\A"},
      {"C:\\\\A", false, "C:\\"},  // the cut looks from the fourth character on
      {"C:", false, "C:\\"},
      {"d", false, "D:\\"},
      {"\\\\server\\share\\dir", false, "\\\\server"},
      {"", false, ""},
      {"", true, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VolumeRootOf(c.path, c.drive_root), c.expected) << c.path << " " << c.drive_root;
}

TEST(SetTrailingBackslashTest, RemovesOneAndAddsOnRequest) {
  struct Case {
    std::string folder;
    bool add;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"C:\\Windows", true, "C:\\Windows\\"},
      {"C:\\Windows", false, "C:\\Windows"},
      {"C:\\Windows\\", true, "C:\\Windows\\"},
      {"C:\\Windows\\", false, "C:\\Windows"},
      {"C:", true, "C:\\"},
      {"C:\\", false, "C:"},
      {"C:\\", true, "C:\\"},
      {"C:\\\\", false, "C:\\"},  // only one is removed
      {"a\\", false, "a\\"},      // two characters are left as they are
      {"\\", false, "\\"},
      {"\\", true, "\\\\"},
      {"", false, ""},
      {"", true, "\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(SetTrailingBackslash(c.folder, c.add), c.expected) << c.folder << " " << c.add;
}

TEST(SetTrailingBackslashTest, KeepsTrailByteOfDoubleByteCharacter) {
  const std::string folder = "C:\\\x95\\";  // 0x95 0x5C is one Shift-JIS character
  EXPECT_EQ(SetTrailingBackslash(folder, false, ShiftJisLeadByte), folder);
  EXPECT_EQ(SetTrailingBackslash(folder, true, ShiftJisLeadByte), folder + "\\");
  EXPECT_EQ(SetTrailingBackslash(folder, false), "C:\\\x95");
}

TEST(CleanPathTest, CollapsesDoubledBackslashes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"C:\\\\A\\\\B", "C:\\A\\B"},
      {"C:\\\\\\\\A", "C:\\A"},
      {"C:\\A\\B", "C:\\A\\B"},
      {"\\\\server\\share", "\\\\server\\share"},  // UNC keeps its two
      {"\\\\\\server\\share", "\\\\server\\share"},
      {"\\\\server\\\\share", "\\\\server\\share"},
      {"C:\\A\\\\", "C:\\A\\\\"},  // the pair at the very end stays
      {"C:\\A\\", "C:\\A\\"},
      {"\\\\\\", "\\\\"},
      {"\\a\\\\b\\", "\\a\\b\\"},
      // Begins and ends with the same character: a pair that follows that
      // character stays, so a run of three only shrinks to two.
      {"\\a\\\\\\b\\", "\\a\\\\b\\"},
      {"\\a\\\\\\b", "\\a\\b"},
      {"ab", "ab"},
      {"\\\\", "\\\\"},
      {"", ""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(CleanPath(path), expected) << path;
}

TEST(CleanPathTest, LeavesPairAfterLeadByte) {
  const std::string path = "C:\\\x95\\\\A";
  EXPECT_EQ(CleanPath(path, ShiftJisLeadByte), path);
  EXPECT_EQ(CleanPath(path), "C:\\\x95\\A");
}

TEST(WriteChunkSizeTest, TenthOfLengthBetweenLimits) {
  constexpr uint64_t kMiB = 1048576;
  const std::vector<std::pair<uint64_t, uint64_t>> cases = {
      {5 * kMiB, kMiB / 2},  // ten chunks
      {20 * kMiB, kMiB},     // capped
      {10 * kMiB, kMiB},
      {10 * kMiB + 10, kMiB},
      {3000, 1024},   // a tenth is too small: 1024 bytes
      {10240, 1024},  // a tenth of exactly 1024 is not above it
      {10250, 1025},
      {500, 500},
      {0, 0},
  };
  for (const auto& [len, chunk] : cases) EXPECT_EQ(WriteChunkSize(len, 10, kMiB), chunk) << len;
}

// Records the calls WriteInChunks makes; each write takes up to `limit` bytes.
struct WriteLog {
  std::vector<std::pair<uint64_t, uint64_t>> calls;  // offset, count
  uint64_t limit = UINT64_MAX;
  uint64_t Write(uint64_t offset, uint64_t count) {
    calls.emplace_back(offset, count);
    return std::min(count, limit);
  }
};

uint64_t RunWrite(WriteLog& log, uint64_t len) {
  return WriteInChunks(len, [&](uint64_t offset, uint64_t count) { return log.Write(offset, count); });
}

TEST(WriteInChunksTest, WritesAtOnceUpToOneMebibyteThenInChunks) {
  constexpr uint64_t kMiB = 1048576;
  struct Case {
    uint64_t len;
    size_t calls;
    uint64_t first, last;  // sizes of the first and last write
  };
  const std::vector<Case> cases = {
      {3000, 1, 3000, 3000},
      {kMiB, 1, kMiB, kMiB},
      {5 * kMiB, 10, kMiB / 2, kMiB / 2},
      {20 * kMiB, 20, kMiB, kMiB},
      {kMiB + 1, 11, 104857, 7},  // a tenth rounded down leaves a short tail
  };
  for (const auto& c : cases) {
    WriteLog log;
    EXPECT_EQ(RunWrite(log, c.len), c.len);
    ASSERT_EQ(log.calls.size(), c.calls) << c.len;
    EXPECT_EQ(log.calls.front().second, c.first) << c.len;
    EXPECT_EQ(log.calls.back().second, c.last) << c.len;
    uint64_t offset = 0;
    for (const auto& [at, count] : log.calls) {
      EXPECT_EQ(at, offset) << c.len;
      offset += count;
    }
  }
}

TEST(WriteInChunksTest, EmptyContentWritesNothing) {
  WriteLog log;
  EXPECT_EQ(RunWrite(log, 0), 0u);
  EXPECT_TRUE(log.calls.empty());
}

TEST(WriteInChunksTest, ShortWritesContinueWhereTheyEnded) {
  WriteLog log;
  log.limit = 1000;
  const uint64_t len = 2 * 1048576;
  EXPECT_EQ(RunWrite(log, len), len);
  ASSERT_GT(log.calls.size(), 1u);
  EXPECT_EQ(log.calls[1].first, 1000u);
}

TEST(WriteInChunksTest, StopsWhenAWriteWritesNothing) {
  constexpr uint64_t kLen = 5 * 1048576;
  WriteLog log;
  int writes_left = 3;
  const uint64_t done = WriteInChunks(kLen, [&](uint64_t offset, uint64_t count) {
    log.Write(offset, count);
    return writes_left-- > 0 ? count : 0;
  });
  EXPECT_EQ(done, 3 * kLen / 10);
  EXPECT_EQ(log.calls.size(), 4u);

  WriteLog whole;
  whole.limit = 0;
  EXPECT_EQ(RunWrite(whole, 3000), 0u);
  EXPECT_EQ(whole.calls.size(), 1u);
}

}  // namespace
