// Extraction on Windows (Wine): real files, dates, refused names, the
// next-disk prompt answered with key presses, and the agent copy on disk.
#include "package/extract_package_win32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "box_driver.h"
#include "extract_for_test.h"
#include "package/file_info.h"
#include "package_fixture.h"
#include "package_writer.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t DosDateOf(const fs::path& path) {
  HANDLE file = ::CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME utc{}, local{};
  ::GetFileTime(file, nullptr, nullptr, &utc);
  ::CloseHandle(file);
  ::FileTimeToLocalFileTime(&utc, &local);
  WORD date = 0, time = 0;
  ::FileTimeToDosDateTime(&local, &date, &time);
  return uint32_t(date) << 16 | time;
}

class ExtractOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("dunvex-extract-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "files");
    const auto stub = fixture::FakeStub(2048);
    std::ofstream(root_ / "stub.exe", std::ios::binary).write(reinterpret_cast<const char*>(stub.data()), stub.size());
  }
  void TearDown() override { fs::remove_all(root_); }

  void AddFile(const std::string& name, const std::string& content) {
    std::ofstream(root_ / "files" / name, std::ios::binary) << content;
  }
  std::vector<std::string> Build(pack::Project project, const std::string& output = "setup.exe") {
    pack::BuildRequest request;
    request.stub_path = (root_ / "stub.exe").string();
    request.files_folder = (root_ / "files").string();
    request.output_path = (root_ / output).string();
    request.project = project;
    pack::BuildResult result;
    std::string error;
    EXPECT_TRUE(pack::BuildPackage(request, result, error)) << error;
    return result.parts;
  }
  ExtractPackageInput Input(const std::string& part1) {
    ExtractPackageInput input;
    input.part1_path = part1;
    input.target_folder = (root_ / "out" / "deeper").string();  // missing parents are created
    input.prompt_text = "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue";
    input.prompt_caption = "Attention";
    input.progress = [this](int event, uint32_t value) { progress_.push_back(event == 0 ? int(value) : -1); };
    return input;
  }
  fs::path root_;
  std::vector<int> progress_;
};

}  // namespace

TEST_F(ExtractOnDisk, WritesFilesByteForByteWithTheirDates) {
  const std::string large = std::string(300000, 'a') + fixture::Noise(100000, 4);
  AddFile("large.bin", large);
  AddFile("empty.txt", "");
  AddFile("Engine.exe", "MZ engine");
  pack::Project project;
  project.entry_size = 150000;  // the large file takes three entries
  project.engine_arguments = "/X";
  const auto parts = Build(project);
  const auto in_package = fixture::ExtractForTest(parts[0]);

  const auto result = ExtractPackage(Input(parts[0]));
  EXPECT_TRUE(result.verdict);
  EXPECT_EQ(result.engine_command, "Engine.exe* /X");
  const fs::path out = root_ / "out" / "deeper";
  EXPECT_TRUE(ReadAll(out / "large.bin") == large);
  EXPECT_TRUE(fs::exists(out / "empty.txt"));
  EXPECT_EQ(fs::file_size(out / "empty.txt"), 0u);
  EXPECT_EQ(ReadAll(out / "Engine.exe"), "MZ engine");
  EXPECT_EQ(DosDateOf(out / "large.bin"), in_package.dates.at("large.bin"));
  // reset 0, reset to the file count, one step per file.
  EXPECT_EQ(progress_, (std::vector<int>{0, 3, -1, -1, -1}));
}

TEST_F(ExtractOnDisk, NamesThatLeaveTheFolderAreNotWritten) {
  fixture::Bytes file = fixture::FakeStub();
  const uint32_t header_offset = uint32_t(file.size());
  fixture::AppendBlock(file, "", true);
  fixture::AppendBlock(file, "", true);
  fixture::AppendStoredEntry(file, "..\\escaped.txt", 0, "x");
  fixture::AppendStoredEntry(file, "C:\\escaped.txt", 0, "x");
  fixture::AppendStoredEntry(file, "ok.txt", 0, "fine");
  package::Trailer trailer = fixture::BasicTrailer(header_offset);
  trailer.checksum = 1234;
  fixture::AppendTrailer(file, trailer);
  const fs::path path = root_ / "hostile.exe";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());

  fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'o'); });
  const auto result = ExtractPackage(Input(path.string()));
  EXPECT_TRUE(result.verdict);
  EXPECT_EQ(ReadAll(root_ / "out" / "deeper" / "ok.txt"), "fine");
  EXPECT_FALSE(fs::exists(root_ / "out" / "escaped.txt"));
  EXPECT_FALSE(fs::exists("C:\\escaped.txt"));
}

TEST_F(ExtractOnDisk, DiskPromptAnsweredWithKeys) {
  AddFile("Engine.exe", fixture::Noise(3000, 1));
  AddFile("data.bin", fixture::Noise(6000, 2));
  pack::Project project;
  project.compress = false;
  project.entry_size = 1000;
  project.part_size = 2048 + 2500;
  const auto parts = Build(project, "setup.exe.001");
  ASSERT_GE(parts.size(), 3u);
  const fs::path part2 = parts[1];
  const fs::path away = root_ / "part2.away";
  fs::rename(part2, away);

  {  // Cancel (Alt+C): the run ends without an engine.
    fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'c'); });
    const auto result = ExtractPackage(Input(parts[0]));
    EXPECT_TRUE(result.engine_command.empty());
    ASSERT_EQ(answerer.Texts().size(), 1u);
    EXPECT_NE(answerer.Texts()[0].find("Please insert DISK #2 and press OK to continue"), std::string::npos)
        << answerer.Texts()[0];
  }
  fs::remove_all(root_ / "out");
  {  // OK before the disk is there asks again; OK after it appears goes on.
    int boxes = 0;
    fixture::BoxAnswerer answerer([&](HWND box, const std::string&) {
      if (++boxes == 2) fs::rename(away, part2);
      fixture::PressAltKey(box, 'o');
    });
    const auto result = ExtractPackage(Input(parts[0]));
    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(result.verdict);
    EXPECT_EQ(result.engine_command, "Engine.exe*");
    EXPECT_TRUE(ReadAll(root_ / "out" / "deeper" / "data.bin") == fixture::Noise(6000, 2));
  }
}

TEST_F(ExtractOnDisk, AgentCopyOnDisk) {
  AddFile("Engine.exe", "MZ");
  pack::Project project;
  project.create_agent = true;
  project.has_agent_list = true;
  project.agent_exe_name = "Agent.exe";
  const auto parts = Build(project);
  auto input = Input(parts[0]);
  input.agent_copy_name = "Agent.exe";
  ExtractPackage(input);
  const std::string copy = ReadAll(root_ / "out" / "deeper" / "Agent.exe");
  const std::string setup = ReadAll(parts[0]);
  TGFileInfo info(parts[0]);
  const size_t entries_start =
      info.Record().header_offset + 8 + info.LanguageBlock().size() + info.AgentList().size();
  ASSERT_EQ(copy.size(), entries_start + 74);
  EXPECT_EQ(copy.substr(252, 4), std::string(4, '\0'));
  EXPECT_EQ(copy.substr(0, 252), setup.substr(0, 252));
  EXPECT_EQ(copy.substr(256, entries_start - 256), setup.substr(256, entries_start - 256));
  TGFileInfo agent((root_ / "out" / "deeper" / "Agent.exe").string());
  EXPECT_TRUE(agent.AgentMode());
  EXPECT_EQ(agent.AgentExeName(), "Agent.exe");
  EXPECT_EQ(DosDateOf(root_ / "out" / "deeper" / "Agent.exe"), DosDateOf(parts[0]));
}
