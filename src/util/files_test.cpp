// Tests of the file utilities on a real file system: partial and whole reads,
// chunked writes read back byte for byte, appends, file dates, free space,
// tree searches and deletions, and the program's and system's folders.
#include "util/files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/path_ops.h"
#include "util/string_ops.h"
#include "util/win32_handle.h"

namespace {

using namespace std::string_literals;

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Varied bytes, so that a chunk written twice or skipped shows in a compare.
std::string Pattern(size_t size) {
  std::string text(size, '\0');
  uint32_t state = 12345;
  for (char& c : text) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 16);
  }
  return text;
}

uint32_t PackDosDate(int year, int month, int day, int hour, int minute, int second) {
  const uint32_t date = (uint32_t(year - 1980) << 9) | (uint32_t(month) << 5) | uint32_t(day);
  const uint32_t time = (uint32_t(hour) << 11) | (uint32_t(minute) << 5) | uint32_t(second / 2);
  return date << 16 | time;
}

// The last-write time as a packed local DOS date; 0 when it cannot be read.
uint32_t DosDateOf(const std::string& path) {
  const FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  FILETIME written{};
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  if (!file || !::GetFileTime(file.Get(), nullptr, nullptr, &written) ||
      !::FileTimeToLocalFileTime(&written, &local) || !::FileTimeToDosDateTime(&local, &date, &time))
    return 0;
  return uint32_t(date) << 16 | time;
}

int DosYear(uint32_t dos_date) { return 1980 + int(dos_date >> 25); }

// A fresh folder under the system's temporary folder for each test.
class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = TempDir(true) + "dvx_files_test_" + std::to_string(::GetCurrentProcessId());
    DeleteTree(root_, true);
    ASSERT_TRUE(::CreateDirectoryA(root_.c_str(), nullptr)) << root_;
  }
  void TearDown() override {
    // Hidden folders are left behind by DeleteTree on purpose; make them
    // ordinary so that the clean-up takes them too.
    for (const std::string& folder : hidden_) ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteTree(root_, true);
    EXPECT_FALSE(Exists(root_));
  }

  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }
  void MakeDir(const std::string& relative) const {
    ASSERT_TRUE(::CreateDirectoryA(Path(relative).c_str(), nullptr)) << relative;
  }
  void MakeFile(const std::string& relative, const std::string& content = "x") const {
    ASSERT_TRUE(WriteToFile(Path(relative), content)) << relative;
  }
  // False when the file system does not keep the hidden attribute.
  bool Hide(const std::string& relative) {
    hidden_.push_back(Path(relative));
    return ::SetFileAttributesA(Path(relative).c_str(), FILE_ATTRIBUTE_HIDDEN) &&
           (::GetFileAttributesA(Path(relative).c_str()) & FILE_ATTRIBUTE_HIDDEN);
  }

  std::string root_;
  std::vector<std::string> hidden_;
};

TEST_F(FilesTest, ReadFileTextReadsUpToTheMaximum) {
  struct Case {
    size_t size;
    uint64_t max;
    size_t expected;
  };
  const std::vector<Case> cases = {
      {300, 1000, 300}, {300, 0, 300}, {300, 300, 300}, {300, 100, 100}, {300, 1, 1}, {0, 1000, 0}, {0, 0, 0},
  };
  const std::string content = Pattern(300);
  for (const auto& c : cases) {
    const std::string path = Path("read.bin");
    ASSERT_TRUE(WriteToFile(path, content.substr(0, c.size)));
    EXPECT_EQ(ReadFileText(path, c.max), content.substr(0, c.expected)) << c.size << " " << c.max;
  }
}

TEST_F(FilesTest, ReadFileTextGivesEmptyForWhatIsNoFile) {
  MakeDir("folder");
  EXPECT_EQ(ReadFileText(Path("missing.txt")), "");
  EXPECT_EQ(ReadFileText(Path("folder")), "");
  EXPECT_EQ(ReadFileText(""), "");
}

TEST_F(FilesTest, ReadFileTextKeepsZeroBytesAndReadsFilesOthersHaveOpen) {
  const std::string content = "a\0b\r\n\0"s;
  const std::string path = Path("open.bin");
  ASSERT_TRUE(WriteToFile(path, content));
  const FileHandle writer(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ(ReadFileText(path), content);
}

TEST_F(FilesTest, WriteToFileLargeContentReadsBackExactly) {
  // 5 MiB goes in ten chunks, 1 MiB + 1 in eleven with a short last one,
  // 3000 bytes in one write.
  for (const size_t size : {size_t(5) << 20, (size_t(1) << 20) + 1, size_t(3000)}) {
    const std::string content = Pattern(size);
    const std::string path = Path("large.bin");
    ASSERT_TRUE(WriteToFile(path, content)) << size;
    EXPECT_EQ(FileSizeByName(path), size);
    EXPECT_TRUE(ReadFileText(path) == content) << size;
  }
}

TEST_F(FilesTest, WriteToFileTruncatesOrAppends) {
  const std::string path = Path("t.txt");
  ASSERT_TRUE(WriteToFile(path, "longer content"));
  ASSERT_TRUE(WriteToFile(path, "short"));
  EXPECT_EQ(ReadFileText(path), "short");
  ASSERT_TRUE(WriteToFile(path, "+more", 0, true));
  EXPECT_EQ(ReadFileText(path), "short+more");
  ASSERT_TRUE(WriteToFile(path, ""));
  EXPECT_TRUE(Exists(path));
  EXPECT_EQ(FileSizeByName(path), 0u);
}

TEST_F(FilesTest, AppendingToAMissingFileCreatesIt) {
  ASSERT_TRUE(WriteToFile(Path("w.txt"), "one", 0, true));
  EXPECT_EQ(ReadFileText(Path("w.txt")), "one");
  ASSERT_TRUE(AppendToFile(Path("a.txt"), "one"));
  ASSERT_TRUE(AppendToFile(Path("a.txt"), "two"));
  EXPECT_EQ(ReadFileText(Path("a.txt")), "onetwo");
}

TEST_F(FilesTest, WritesFailWhereNoFileCanBe) {
  EXPECT_FALSE(WriteToFile(Path("no\\such\\folder\\f.txt"), "x"));
  EXPECT_FALSE(AppendToFile(Path("no\\such\\folder\\f.txt"), "x"));
  MakeDir("folder");
  EXPECT_FALSE(WriteToFile(Path("folder"), "x"));
  EXPECT_FALSE(AppendToFile(Path("folder"), "x"));
}

TEST_F(FilesTest, FileDateIsSetOnlyWhenGiven) {
  const std::string path = Path("dated.txt");
  const uint32_t first = PackDosDate(2001, 2, 3, 4, 5, 6);
  const uint32_t second = PackDosDate(2010, 12, 31, 23, 59, 58);
  ASSERT_TRUE(WriteToFile(path, "abc", first));
  EXPECT_EQ(DosDateOf(path), first);
  // Nothing written and no date: the file keeps the date it had.
  ASSERT_TRUE(WriteToFile(path, "", 0, true));
  EXPECT_EQ(DosDateOf(path), first);
  ASSERT_TRUE(WriteToFile(path, "def", second, true));
  EXPECT_EQ(DosDateOf(path), second);
  EXPECT_EQ(ReadFileText(path), "abcdef");
  // Written without a date: the system's own time of the write.
  ASSERT_TRUE(WriteToFile(path, "new"));
  EXPECT_GE(DosYear(DosDateOf(path)), 2024);
}

TEST_F(FilesTest, FileDosDateReadsWhatWasSet) {
  const std::string path = Path("dated.txt");
  const uint32_t date = PackDosDate(1999, 12, 31, 23, 59, 58);
  ASSERT_TRUE(WriteToFile(path, "x", date));
  EXPECT_EQ(FileDosDate(path), date);
  EXPECT_EQ(FileDosDate(Path("missing.txt")), 0u);

  {
    const FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    EXPECT_TRUE(SetFileDosDate(file.Get(), PackDosDate(2020, 2, 29, 12, 0, 0)));
    EXPECT_FALSE(SetFileDosDate(file.Get(), PackDosDate(2020, 13, 1, 0, 0, 0)));  // no month 13
  }
  EXPECT_EQ(DosDateOf(path), PackDosDate(2020, 2, 29, 12, 0, 0));
}

TEST_F(FilesTest, FileExistsOnlyForFiles) {
  MakeFile("file.txt");
  MakeDir("folder");
  EXPECT_TRUE(FileExists(Path("file.txt")));
  EXPECT_FALSE(FileExists(Path("folder")));
  EXPECT_FALSE(FileExists(Path("missing.txt")));
  EXPECT_FALSE(FileExists(""));
}

TEST_F(FilesTest, ForceDirectoriesCreatesMissingParents) {
  EXPECT_TRUE(ForceDirectories(Path("x\\\\y\\z\\")));
  EXPECT_TRUE(ForceDirectories(Path("x\\y")));  // already there
  EXPECT_NE(::GetFileAttributesA(Path("x\\y\\z").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  MakeFile("file.txt");
  EXPECT_FALSE(ForceDirectories(Path("file.txt\\sub")));
  EXPECT_FALSE(ForceDirectories(Path("file.txt")));
  EXPECT_FALSE(ForceDirectories(""));
}

TEST_F(FilesTest, SeekAndSizeUseAllSixtyFourBits) {
  const std::string path = Path("seek.bin");
  ASSERT_TRUE(WriteToFile(path, Pattern(300)));
  const FileHandle file(
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  EXPECT_EQ(FileSize64(file.Get()), 300u);
  EXPECT_EQ(FileSeek64(file.Get(), 2, 0), 300u);
  EXPECT_EQ(FileSeek64(file.Get(), 0, 10), 10u);
  EXPECT_EQ(FileSeek64(file.Get(), 1, 5), 15u);
  EXPECT_EQ(FileSeek64(file.Get(), 2, -100), 200u);
  EXPECT_EQ(FileSeek64(file.Get(), 0, int64_t(5) << 30), uint64_t(5) << 30);  // beyond the end is allowed
  EXPECT_EQ(FileSeek64(file.Get(), 0, -1), UINT64_MAX);
  EXPECT_EQ(FileSize64(INVALID_HANDLE_VALUE), UINT64_MAX);
}

TEST_F(FilesTest, FileSizeByNameTakesTheFirstMatch) {
  MakeFile("five.bin", "12345");
  MakeDir("folder");
  EXPECT_EQ(FileSizeByName(Path("five.bin")), 5u);
  EXPECT_EQ(FileSizeByName(Path("*.bin")), 5u);
  EXPECT_EQ(FileSizeByName(Path("missing.bin")), 0u);
  EXPECT_EQ(FileSizeByName(Path("folder")), 0u);
}

// A drive letter with no drive behind it, searched from the end.
std::string MissingDrive() {
  for (char letter = 'Z'; letter >= 'D'; --letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (::GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) return root;
  }
  return "";
}

TEST_F(FilesTest, DiskFreeBytesFallsBackToTheDriveRoot) {
  const std::vector<std::string> known = {
      "C:\\", "C:", "c", TempDir(false), root_, "C:\\no\\such\\folder", "C:/no/such/folder",
  };
  for (const auto& path : known) EXPECT_GT(DiskFreeBytes(path), 0.0) << path;

  const std::string missing_drive = MissingDrive();
  ASSERT_NE(missing_drive, "");
  for (const auto& path : {missing_drive, missing_drive + "folder\\file", "\\\\nosuchserver\\share\\x"s, ""s})
    EXPECT_EQ(DiskFreeBytes(path), -1.0) << path;
}

TEST_F(FilesTest, DiskFreeBytesAgreesWithTheSystem) {
  ULARGE_INTEGER available{};
  ASSERT_TRUE(::GetDiskFreeSpaceExA("C:\\", &available, nullptr, nullptr));
  const double free_bytes = DiskFreeBytes("C:\\");
  // Other programs write meanwhile; the value must still be the same volume's.
  EXPECT_NEAR(free_bytes, double(available.QuadPart), 256.0 * 1048576.0);
}

TEST_F(FilesTest, DeleteTreeRemovesEverythingItCan) {
  MakeDir("a");
  MakeDir("a\\b");
  MakeDir("empty");
  MakeFile("a\\b\\deep.txt");
  MakeFile("top.txt");
  MakeFile("readonly.txt");
  ASSERT_TRUE(::SetFileAttributesA(Path("readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(::SetFileAttributesA(Path("a\\b\\deep.txt").c_str(), FILE_ATTRIBUTE_READONLY));

  EXPECT_FALSE(DeleteTree(root_, false));  // read-only files stay without clearing
  EXPECT_TRUE(Exists(Path("readonly.txt")));
  EXPECT_TRUE(Exists(Path("a\\b\\deep.txt")));
  EXPECT_FALSE(Exists(Path("top.txt")));
  EXPECT_FALSE(Exists(Path("empty")));

  EXPECT_TRUE(DeleteTree(root_ + "\\", true));
  EXPECT_FALSE(Exists(root_));
}

TEST_F(FilesTest, DeleteTreeOfNothingIsFalse) {
  EXPECT_FALSE(DeleteTree(Path("missing"), true));
  EXPECT_FALSE(DeleteTree("", true));
  MakeFile("file.txt");
  EXPECT_FALSE(DeleteTree(Path("file.txt"), true));  // a file is no folder
  EXPECT_TRUE(Exists(Path("file.txt")));
}

TEST_F(FilesTest, DeleteTreeLeavesHiddenFolders) {
  MakeDir("kept");
  MakeFile("kept\\inside.txt");
  MakeDir("gone");
  if (!Hide("kept")) GTEST_SKIP() << "no hidden attribute here";
  EXPECT_FALSE(DeleteTree(root_, true));
  EXPECT_TRUE(Exists(Path("kept\\inside.txt")));
  EXPECT_FALSE(Exists(Path("gone")));
}

TEST_F(FilesTest, DeleteFilesTakesMatchingFilesOnly) {
  MakeFile("a.tmp");
  MakeFile("b.tmp");
  MakeFile("c.txt");
  MakeFile("hidden.tmp");
  MakeDir("d.tmp");
  ASSERT_TRUE(::SetFileAttributesA(Path("hidden.tmp").c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(DeleteFiles(Path("*.tmp"), false));
  EXPECT_FALSE(Exists(Path("a.tmp")));
  EXPECT_FALSE(Exists(Path("b.tmp")));
  EXPECT_FALSE(Exists(Path("hidden.tmp")));
  EXPECT_TRUE(Exists(Path("c.txt")));
  EXPECT_TRUE(Exists(Path("d.tmp")));
  EXPECT_FALSE(DeleteFiles(Path("*.tmp"), false));  // only the folder matches now
}

TEST_F(FilesTest, EjectCDRefusesWhatIsNoCdDrive) {
  for (const std::string path : {"C:\\", "c:\\windows", "", "1:\\", "\\\\server\\share"})
    EXPECT_FALSE(EjectCD(path)) << path;
}

TEST_F(FilesTest, FindFileInTreeSearchesBelowTheFolder) {
  MakeDir("a");
  MakeDir("a\\b");
  MakeDir("c");
  MakeFile("a\\b\\target.txt");
  EXPECT_EQ(FindFileInTree(root_, "target.txt"), Path("a\\b\\target.txt"));
  EXPECT_EQ(FindFileInTree(root_ + "\\", "TARGET.TXT"), Path("a\\b\\TARGET.TXT"));
  EXPECT_EQ(FindFileInTree(root_, "missing.txt"), "");
  EXPECT_EQ(FindFileInTree(Path("c"), "target.txt"), "");
  EXPECT_EQ(FindFileInTree(root_, "b"), "");  // folders are not files

  MakeFile("c\\target.txt");
  MakeFile("target.txt");
  EXPECT_EQ(FindFileInTree(root_, "target.txt"), Path("target.txt"));  // the folder itself comes first
}

TEST_F(FilesTest, FindFileInTreeSkipsHiddenFolders) {
  MakeDir("hidden");
  MakeFile("hidden\\target.txt");
  if (!Hide("hidden")) GTEST_SKIP() << "no hidden attribute here";
  EXPECT_EQ(FindFileInTree(root_, "target.txt"), "");
}

TEST_F(FilesTest, FindDirInTreeMatchesTheEndOfThePath) {
  MakeDir("a");
  MakeDir("a\\b");
  MakeDir("ab");
  EXPECT_EQ(FindDirInTree(root_, "b"), Path("a\\b"));
  EXPECT_EQ(FindDirInTree(root_, "B"), Path("a\\b"));
  EXPECT_EQ(FindDirInTree(root_, "a\\b"), Path("a\\b"));
  EXPECT_EQ(FindDirInTree(Path("a"), "a"), Path("a"));  // the folder itself
  EXPECT_EQ(FindDirInTree(root_, "missing"), "");
  MakeFile("a\\file");
  EXPECT_EQ(FindDirInTree(root_, "file"), "");
}

TEST_F(FilesTest, DriveSearchesKeepToDrivesOfTheType) {
  EXPECT_EQ(FindFileOnDrives("anything.txt", -1), "");
  EXPECT_EQ(FindDirOnDrives("anything", -1), "");
  EXPECT_EQ(FindDirOnDrives(root_, DRIVE_FIXED), root_);  // a full path is only checked
  EXPECT_EQ(FindDirOnDrives(root_, DRIVE_CDROM), "");
  EXPECT_EQ(FindDirOnDrives(root_, -1), "");
  EXPECT_EQ(FindDirOnDrives(Path("missing"), DRIVE_FIXED), "");

  // A file in the root of C: is found without a walk; writing there needs
  // rights a test may not have.
  const std::string name = "dvx_find_" + std::to_string(::GetCurrentProcessId()) + ".tmp";
  if (!WriteToFile("C:\\" + name, "x")) GTEST_SKIP() << "cannot write to C:\\";
  EXPECT_EQ(FindFileOnDrives(name, DRIVE_FIXED), "C:\\" + name);
  EXPECT_EQ(FindFileOnDrives(name, DRIVE_CDROM), "");
  ::DeleteFileA(("C:\\" + name).c_str());
}

TEST(ProgramFoldersTest, FollowTheTrailingBackslashRule) {
  const std::string program = ProgramFile();
  EXPECT_TRUE(EndsWith("util_files_test.exe", program)) << program;
  EXPECT_EQ(ProgramDir(true) + FileNamePart(program), program);
  for (const auto& folder : {ProgramDir(false), WindowsDir(false), SystemDir(false), TempDir(false)}) {
    ASSERT_GT(folder.size(), 2u) << folder;
    EXPECT_NE(folder.back(), '\\') << folder;
    EXPECT_NE(::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << folder;
  }
  for (const auto& folder : {ProgramDir(true), WindowsDir(true), SystemDir(true), TempDir(true)})
    EXPECT_EQ(folder.back(), '\\') << folder;
  EXPECT_TRUE(StartsWith(WindowsDir(true), SystemDir(true), true));
}

}  // namespace
