// Round trips: setup files written by the builder, read back with the stub's
// reader (trailer, lists, block walk, checksum).
#include "package_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "extract_for_test.h"
#include "package/checksum.h"
#include "package/file_info.h"
#include "package_fixture.h"
#include "package_info.h"
#include "util/scrambled.h"

namespace fs = std::filesystem;

namespace {

class BuilderTest : public ::testing::Test {
 public:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("dunvex-pack-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "files");
    const auto stub = fixture::FakeStub(2048);
    WriteFile("stub.exe", std::string(stub.begin(), stub.end()));
  }
  void TearDown() override { fs::remove_all(root_); }

  void WriteFile(const fs::path& relative, const std::string& content) {
    std::ofstream(root_ / relative, std::ios::binary) << content;
  }
  pack::BuildRequest Request(const pack::Project& project) {
    pack::BuildRequest request;
    request.stub_path = (root_ / "stub.exe").string();
    request.files_folder = (root_ / "files").string();
    request.output_path = (root_ / "setup.exe").string();
    request.project = project;
    request.seed = 42;
    return request;
  }
  fs::path root_;
};

}  // namespace

TEST_F(BuilderTest, StoredAndCompressedFilesComeBackByteForByte) {
  const std::map<std::string, std::string> files = {
      {"a.txt", "hello"}, {"empty.dat", ""}, {"big.bin", fixture::Noise(3 * 1000 + 17, 9)}, {"Engine.exe", fixture::Noise(700, 3)}};
  for (const auto& [name, content] : files) WriteFile(fs::path("files") / name, content);
  for (bool compress : {true, false}) {
    SCOPED_TRACE(compress ? "zlib" : "stored");
    pack::Project project;
    project.compress = compress;
    project.entry_size = 1000;
    project.engine_arguments = "/X";
    project.flags = 0x08;
    pack::BuildResult result;
    std::string error;
    ASSERT_TRUE(pack::BuildPackage(Request(project), result, error)) << error;
    EXPECT_EQ(result.parts.size(), 1u);
    EXPECT_EQ(result.files_count, 4u);
    EXPECT_EQ(result.entries, 7u);  // big.bin takes four entries

    const auto extracted = fixture::ExtractForTest(result.parts[0]);
    EXPECT_TRUE(extracted.sound);
    EXPECT_TRUE(extracted.checksums_ok);
    EXPECT_EQ(extracted.files, files);
    EXPECT_EQ(extracted.engine_command, "Engine.exe* /X");
    EXPECT_NE(extracted.dates.at("a.txt"), 0u);

    TGFileInfo info(result.parts[0]);
    ASSERT_TRUE(info.HasPackage());
    EXPECT_TRUE(info.ShowBusyBar());
    EXPECT_FALSE(info.Spanned());
    EXPECT_EQ(info.Record().files_count, 4u);
    EXPECT_EQ(info.Record().header_offset, 2048u);
    // 4 KB clusters: every file takes whole clusters, the empty one none.
    EXPECT_EQ(info.RequiredSpaceForClusterSize(4096), 3 * 4096.0);
    EXPECT_EQ(info.RequiredSpaceForClusterSize(0), 5.0 + 3017 + 700);
    auto source = OpenFileForReading(result.parts[0]);
    EXPECT_EQ(package::PackageEndOffset(*source), fs::file_size(result.parts[0]));
  }
}

TEST_F(BuilderTest, SpannedPartsSplitFilesAcrossPartBoundaries) {
  WriteFile("files/Engine.exe", fixture::Noise(2500, 1));
  WriteFile("files/data.bin", fixture::Noise(9000, 2));
  pack::Project project;
  project.compress = false;
  project.entry_size = 1000;
  project.part_size = 3000;
  pack::BuildResult result;
  std::string error;
  ASSERT_TRUE(pack::BuildPackage(Request(project), result, error)) << error;
  ASSERT_GE(result.parts.size(), 4u);
  EXPECT_EQ(result.parts[1], (root_ / "setup.exe.002").string());
  for (size_t i = 1; i < result.parts.size(); ++i) EXPECT_LE(result.part_sizes[i], 3000u);

  const auto extracted = fixture::ExtractForTest(result.parts[0]);
  EXPECT_EQ(extracted.parts, int(result.parts.size()));
  EXPECT_TRUE(extracted.checksums_ok);
  EXPECT_TRUE(extracted.sound);
  EXPECT_EQ(extracted.files.at("data.bin"), fixture::Noise(9000, 2));
  EXPECT_EQ(extracted.files.at("Engine.exe"), fixture::Noise(2500, 1));

  TGFileInfo first(result.parts[0]);
  TGFileInfo last(result.parts.back());
  EXPECT_TRUE(first.Spanned());
  EXPECT_FALSE(last.Spanned());
  EXPECT_EQ(last.Record().header_offset, 0u);
}

TEST_F(BuilderTest, ListsTokensAndWebStub) {
  pack::Project project;
  project.web_setup = true;
  project.confirm_download = true;
  project.create_agent = true;
  project.has_agent_list = true;
  project.update_url = "http://127.0.0.1/u/";
  project.agent_exe_name = "Agent.exe";
  project.product_token = "product-secret";
  project.has_web_list = true;
  project.web_setup_file_name = "Full.exe";
  project.web_token = "web-secret";
  project.languages = {{"English", {{"s0", "Title"}}}, {"German", {{"s0", "Titel"}}}};
  pack::BuildResult result;
  std::string error;
  ASSERT_TRUE(pack::BuildPackage(Request(project), result, error)) << error;
  TGFileInfo info(result.parts[0]);
  EXPECT_EQ(info.Record().version, 3);
  EXPECT_TRUE(info.WebSetup());
  EXPECT_TRUE(info.ConfirmDownload());
  EXPECT_TRUE(info.CreateAgent());
  EXPECT_EQ(info.ProductToken(true), "product-secret");
  EXPECT_EQ(info.WebToken(true), "web-secret");
  EXPECT_EQ(info.ProductToken(false).find("product-secret"), std::string::npos);
  EXPECT_EQ(info.LanguageBlock(), "\x02\x01" "English\x01s0=Title\x01\x02\x01German\x01s0=Titel\x01\x02");
  EXPECT_TRUE(fixture::ExtractForTest(result.parts[0]).files.empty());

  std::ostringstream out;
  EXPECT_EQ(pack::PrintPackageInfo(result.parts[0], out), 0) << out.str();
  EXPECT_EQ(out.str().find("secret"), std::string::npos) << "tokens must be masked";
  EXPECT_NE(out.str().find("ProductToken=******** (valid)"), std::string::npos);
}

TEST_F(BuilderTest, InfoReportsDamage) {
  WriteFile("files/Engine.exe", fixture::Noise(5000, 5));
  pack::Project project;
  pack::BuildResult result;
  std::string error;
  ASSERT_TRUE(pack::BuildPackage(Request(project), result, error)) << error;
  {
    std::fstream f(result.parts[0], std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(2048 + 40);
    f.put('\x7f');
  }
  std::ostringstream out;
  EXPECT_EQ(pack::PrintPackageInfo(result.parts[0], out), 4);
  EXPECT_NE(out.str().find("BAD"), std::string::npos) << out.str();
}

TEST_F(BuilderTest, RefusesBadInput) {
  struct Case {
    const char* what;
    std::function<void(BuilderTest&)> prepare;
    const char* error_start;
  } cases[] = {
      {"no engine", [](BuilderTest&) {}, "the engine Engine.exe is not in"},
      {"a sub-folder",
       [](BuilderTest& t) {
         t.WriteFile("files/Engine.exe", "x");
         fs::create_directories(t.root_ / "files" / "sub");
       },
       "sub-folders are not supported"},
#ifndef _WIN32  // Windows cannot even create such a file
      {"a name Windows refuses",
       [](BuilderTest& t) {
         t.WriteFile("files/Engine.exe", "x");
         t.WriteFile("files/a:b.txt", "x");
       },
       "not a plain file name"},
#endif
      {"a stub without room for the end offset",
       [](BuilderTest& t) {
         t.WriteFile("files/Engine.exe", "x");
         t.WriteFile("stub.exe", "MZ not a stub image");
       },
       "the stub is not a stub image"},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(root_ / "files");
    fs::create_directories(root_ / "files");
    c.prepare(*this);
    pack::BuildResult result;
    std::string error;
    EXPECT_FALSE(pack::BuildPackage(Request(pack::Project{}), result, error));
    EXPECT_TRUE(error.starts_with(c.error_start)) << error;
    EXPECT_FALSE(fs::exists(root_ / "setup.exe"));
  }
}
