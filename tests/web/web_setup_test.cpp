// The web setup end to end under Wine: real web stubs and full setup files
// made with the builder from DunvexStub.exe and the test engine, the full
// setup served by the private nginx or lying beside the stub; prompts and
// messages are answered with key presses.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "box_driver.h"
#include "package/package_format.h"
#include "package_writer.h"
#include "util/files.h"
#include "web_fixture.h"

namespace {

namespace fs = std::filesystem;
using web::ReadAll;

constexpr char kSetupName[] = "Full.exe";

class WebSetup : public ::testing::Test {
 protected:
  void SetUp() override {
    name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    root_ = fs::temp_directory_path() / ("dunvex-web-" + name_);
    fs::remove_all(root_);
    fs::create_directories(root_ / "files");
    fs::create_directories(root_ / "stub");
    served_ = web::DocumentRoot() / name_;
    fs::remove_all(served_);
    fs::create_directories(served_);
    fs::copy_file(fixture::BuildDir() + "\\bin\\test_engine\\Engine.exe", root_ / "files" / "Engine.exe");
    web::WriteAll(root_ / "files" / "app.txt", "the application");
    report_ = root_ / "engine-report.txt";
    ::SetEnvironmentVariableA("DUNVEX_ENGINE_REPORT", report_.string().c_str());
    fs::remove(Downloaded());

    stub_.web_setup = true;
    stub_.has_web_list = true;
    stub_.web_url = web::Url("/" + name_);
    stub_.web_setup_file_name = kSetupName;
    stub_.web_token = "token of the product";
    stub_.web_setup_size = "52428800";
  }
  void TearDown() override {
    ::SetEnvironmentVariableA("DUNVEX_ENGINE_REPORT", nullptr);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    fs::remove_all(served_, ignored);
  }

  static fs::path Downloaded() { return fs::path(TempDir(true)) / kSetupName; }

  // A full setup file of the product (or of another one) whose engine shows
  // where it came from.
  fs::path BuildFullSetup(const fs::path& output, const std::string& origin, const std::string& token,
                          const std::string& engine_extra = "") {
    pack::Project project;
    project.engine_arguments = "/From=" + origin + engine_extra;
    project.has_web_list = true;
    project.web_setup_file_name = kSetupName;
    project.web_token = token;
    return Build(project, output);
  }
  fs::path BuildStub() { return Build(stub_, root_ / "stub" / "WebSetup.exe"); }
  fs::path Build(const pack::Project& project, const fs::path& output) {
    pack::BuildRequest request;
    request.stub_path = fixture::BuildDir() + "\\bin\\DunvexStub.exe";
    request.files_folder = (root_ / "files").string();
    request.output_path = output.string();
    request.project = project;
    pack::BuildResult result;
    std::string error;
    EXPECT_TRUE(pack::BuildPackage(request, result, error)) << error;
    return output;
  }
  long Run(const fs::path& setup, const std::string& arguments = "") {
    web::Program program(setup.string(), arguments);
    EXPECT_TRUE(program.Started()) << setup;
    return program.Wait();
  }
  // The origin the engine that ran was built with; empty when none ran.
  std::string EngineOrigin() const {
    const std::string report = ReadAll(report_);
    const size_t at = report.find("/From=");
    return at == std::string::npos ? "" : report.substr(at + 6, report.find_first_of(" \n", at) - at - 6);
  }
  size_t Requests() const { return web::CountOf(web::AccessLog(), "GET /" + name_ + "/"); }

  std::string name_;
  fs::path root_, served_, report_;
  pack::Project stub_;
};

TEST_F(WebSetup, SetupFileBesideTheStubRunsWithoutDownloadAndIsKept) {
  BuildFullSetup(served_ / kSetupName, "web", stub_.web_token);
  const fs::path local = BuildFullSetup(root_ / "stub" / kSetupName, "local", stub_.web_token);
  const fs::path stub = BuildStub();
  EXPECT_EQ(Run(stub), 0);
  EXPECT_EQ(EngineOrigin(), "local");
  EXPECT_TRUE(fs::exists(local));
  EXPECT_EQ(Requests(), 0u);
}

TEST_F(WebSetup, AlwaysDownloadFetchesTheServedFileAndDeletesIt) {
  BuildFullSetup(served_ / kSetupName, "web", stub_.web_token);
  const fs::path local = BuildFullSetup(root_ / "stub" / kSetupName, "local", stub_.web_token);
  stub_.always_download = "1";
  const fs::path stub = BuildStub();
  EXPECT_EQ(Run(stub), 0);
  EXPECT_EQ(EngineOrigin(), "web");
  EXPECT_TRUE(fs::exists(local));
  EXPECT_FALSE(fs::exists(Downloaded()));
  EXPECT_NE(web::AccessLog().find("GET /" + name_ + "/" + kSetupName + " HTTP/1.1\" 200"), std::string::npos);
}

TEST_F(WebSetup, ConfirmDownloadAsksUnlessHidden) {
  BuildFullSetup(served_ / kSetupName, "web", stub_.web_token);
  stub_.confirm_download = true;
  const fs::path stub = BuildStub();
  const struct {
    const char* arguments;
    char key;
    bool asked, ran;
  } cases[] = {{"", 'y', true, true}, {"", 'n', true, false}, {"/hide", 'n', false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.arguments) + " " + c.key);
    fs::remove(report_);
    const size_t requests_before = Requests();
    fixture::BoxAnswerer answerer([&](HWND box, const std::string&) { fixture::PressAltKey(box, c.key); });
    EXPECT_EQ(Run(stub, c.arguments), 0);
    ASSERT_EQ(answerer.Texts().size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_NE(answerer.Texts()[0].find("INTERNET DOWNLOAD"), std::string::npos) << answerer.Texts()[0];
      EXPECT_NE(answerer.Texts()[0].find("Size: 50.0 MB"), std::string::npos) << answerer.Texts()[0];
    }
    EXPECT_EQ(EngineOrigin(), c.ran ? "web" : "");
    // A declined download fetches nothing: not even the warm-up request.
    EXPECT_EQ(Requests() > requests_before, c.ran);
    EXPECT_FALSE(fs::exists(Downloaded()));
  }
}

// What is fetched but not the product's setup file is deleted, nothing runs
// and the user is told why.
TEST_F(WebSetup, WrongDownloadsAreReportedAndDeleted) {
  BuildFullSetup(served_ / kSetupName, "web", "token of another product");
  const struct {
    std::string url;
    std::vector<std::string> message;  // in the box's plain text
  } cases[] = {
      {stub_.web_url, {"Vkz Hyyjgw Yzzyl!"}},
      {web::Url("/nothing-here"),
       {"404 File Not Found...", "URL:  " + web::Url("/nothing-here/") + kSetupName + "."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    stub_.web_url = c.url;
    const fs::path stub = BuildStub();
    fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'o'); });
    EXPECT_EQ(Run(stub), 0);
    ASSERT_EQ(answerer.Texts().size(), 1u);
    for (const std::string& part : c.message)
      EXPECT_NE(answerer.Texts()[0].find(part), std::string::npos) << answerer.Texts()[0];
    if (c.message.size() == 1) {
      EXPECT_EQ(answerer.Texts()[0].find("404"), std::string::npos);
    }
    EXPECT_EQ(EngineOrigin(), "");
    EXPECT_FALSE(fs::exists(Downloaded()));
  }
}

// A web stub with bytes appended after its package makes its agent copy from
// the image up to the package end, with the trailer's AgentMode byte set.
TEST_F(WebSetup, AgentCopyOfAStubWithAppendedBytes) {
  BuildFullSetup(served_ / kSetupName, "web", stub_.web_token, " /Sleep=3000");
  stub_.create_agent = true;
  stub_.has_agent_list = true;
  stub_.agent_exe_name = "AppAgent.exe";
  const fs::path stub = BuildStub();
  const std::string image = ReadAll(stub);
  std::ofstream(stub, std::ios::binary | std::ios::app) << std::string(3000, '\xEE');
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(image.data()), image.size());
  const uint64_t end = package::PackageEndOffset(bytes);
  ASSERT_EQ(end, image.size());

  web::Program program(stub.string(), "/hide");
  // The copy lies in the run's folder while the engine runs.
  ASSERT_TRUE(web::WaitFor([&] { return EngineOrigin() == "web"; }, 60000));
  const std::string report = ReadAll(report_);
  const size_t folder_end = report.find("\\Engine.exe");
  const std::string folder = report.substr(5, folder_end - 5);
  const std::string copy = ReadAll(fs::path(folder) / "AppAgent.exe");
  EXPECT_EQ(program.Wait(), 0);
  EXPECT_NE(report.find("|AppAgent.exe|"), std::string::npos) << report;
  ASSERT_EQ(copy.size(), end);
  std::string expected = image;
  expected[end - 5] = 1;
  EXPECT_TRUE(copy == expected) << "only the AgentMode byte differs";
  const package::Trailer trailer = package::ParseTrailer(std::span<const uint8_t>(
      reinterpret_cast<const uint8_t*>(copy.data()) + end - package::kTrailerSize, package::kTrailerSize));
  EXPECT_EQ(trailer.agent_mode, 1);
  EXPECT_EQ(trailer.web_setup, 1);
}

}  // namespace
