// The setup road end to end: real setup files made with the builder from
// DunvexStub.exe and a test engine, started as their own processes under
// Wine, watched through the engine's report, the trace viewer and the files
// they leave; prompts are answered with key presses.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "box_driver.h"
#include "package/engine_command.h"
#include "package/package_format.h"
#include "package_writer.h"
#include "programs.h"
#include "util/files.h"
#include "util/string_ops.h"
#include "wine_paths.h"

namespace fs = std::filesystem;

namespace {

std::string BinDir() { return fixture::BuildDir() + "\\bin"; }

using fixture::Program;
using fixture::ReadAll;
using fixture::TraceCapture;
using fixture::WaitFor;

class SetupRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    root_ = fs::temp_directory_path() / ("dunvex-setup-" + name);
    fs::remove_all(root_);
    fs::create_directories(root_ / "files");
    fs::copy_file(BinDir() + "\\test_engine\\Engine.exe", root_ / "files" / "Engine.exe");
    std::ofstream(root_ / "files" / "app.txt", std::ios::binary) << "the application";
    std::ofstream(root_ / "files" / "data.bin", std::ios::binary) << std::string(300000, 'd');
    report_ = root_ / "engine-report.txt";
    ::SetEnvironmentVariableA("DUNVEX_ENGINE_REPORT", report_.string().c_str());
    project_.engine_arguments = "/LANG=2";
  }
  void TearDown() override {
    ::SetEnvironmentVariableA("DUNVEX_ENGINE_REPORT", nullptr);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  fs::path Build(const std::string& output = "setup.exe") {
    parts_ = 0;
    pack::BuildRequest request;
    request.stub_path = BinDir() + "\\DunvexStub.exe";
    request.files_folder = (root_ / "files").string();
    request.output_path = (root_ / output).string();
    request.project = project_;
    pack::BuildResult result;
    std::string error;
    EXPECT_TRUE(pack::BuildPackage(request, result, error)) << error;
    parts_ = result.parts.size();
    return request.output_path;
  }
  // Runs a setup file to its end; its exit code.
  long Run(const fs::path& setup, const std::string& arguments = "") {
    Program program(setup.string(), arguments);
    EXPECT_TRUE(program.Started()) << setup;
    return program.Wait();
  }
  std::string Report() const { return ReadAll(report_); }
  // The value of "key=" in the engine's first report.
  std::string Reported(const std::string& key) const {
    const std::string report = Report();
    const size_t at = report.find(key + "=");
    if (at == std::string::npos) return "";
    const size_t start = at + key.size() + 1;
    return report.substr(start, report.find('\n', start) - start);
  }
  // Every "SETUP_" folder of the temporary path (the run's folder is one).
  static std::vector<fs::path> SetupFolders() {
    std::vector<fs::path> folders;
    for (const auto& entry : fs::directory_iterator(TempDir(true)))
      if (entry.path().filename().string().rfind("SETUP_", 0) == 0) folders.push_back(entry.path());
    return folders;
  }

  fs::path root_;
  fs::path report_;
  pack::Project project_;
  size_t parts_ = 0;
};

TEST_F(SetupRun, ForegroundRunAsksForRoomStartsTheEngineAndHandsOnItsExitCode) {
  project_.flags = package::kAlwaysConfirmTemp;
  project_.engine_arguments = "/LANG=2 /ExitCode=7";
  const fs::path setup = Build();
  TraceCapture trace(root_ / "trace.txt");
  fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'y'); });
  const long code = Run(setup, "/Extra=1 /SpanCdLvl=1");
  const std::string traced = trace.Stop();

  EXPECT_EQ(code, 7);
  ASSERT_EQ(answerer.Texts().size(), 1u);
  EXPECT_NE(answerer.Texts()[0].find("Continue with Setup?"), std::string::npos) << answerer.Texts()[0];
  // The engine line exactly: the stub's own switches first, the entry's after
  // them, the run token, the origin; the span level removed.
  const std::string line = Reported("line");
  const std::regex expected(
      R"((.*\\SETUP_\d+)\\Engine\.exe /Extra=1 /LANG=2 /ExitCode=7 /TH_ID=_\d+ /OriginExe=")" +
      std::regex_replace(setup.string(), std::regex(R"([\\.])"), R"(\$&)") + "\"");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(line, match, expected)) << line;
  EXPECT_EQ(Reported("show"), std::to_string(SW_SHOW));
  EXPECT_EQ(Reported("files"), "|Engine.exe|app.txt|data.bin|");
  EXPECT_FALSE(fs::exists(match[1].str())) << "the temporary folder is removed";
  // The trace names every step, with the same engine line.
  EXPECT_NE(traced.find("==== STUB START ====> "), std::string::npos) << traced;
  EXPECT_NE(traced.find("==== WinExec(Engine.exe) >>" + line + "<<"), std::string::npos) << traced;
  EXPECT_NE(traced.find("==== STUB END ====> "), std::string::npos) << traced;
}

TEST_F(SetupRun, NoToTheSpacePromptExtractsNothing) {
  project_.flags = package::kAlwaysConfirmTemp;
  const fs::path setup = Build();
  fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'n'); });
  EXPECT_EQ(Run(setup), 0);
  EXPECT_EQ(answerer.Texts().size(), 1u);
  EXPECT_FALSE(fs::exists(report_));
  EXPECT_TRUE(SetupFolders().empty());
}

TEST_F(SetupRun, HiddenRunAsksNothingAndHidesTheEngine) {
  project_.flags = package::kAlwaysConfirmTemp;
  const fs::path setup = Build();
  fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'n'); });
  EXPECT_EQ(Run(setup, "/hide"), 0);
  EXPECT_TRUE(answerer.Texts().empty());
  EXPECT_EQ(Reported("show"), std::to_string(SW_HIDE));
  // The engine sees the stub's switches, "/hide" included.
  EXPECT_NE(Reported("line").find(" /hide /LANG=2 /TH_ID="), std::string::npos) << Reported("line");
}

// A user name with a blank puts one into the temporary folder: the engine
// still starts, from the right path, with its command line unchanged.
TEST_F(SetupRun, TemporaryFolderWithABlank) {
  const fs::path temp = root_ / "Ann Lee";
  fs::create_directories(temp);
  // A program of that shorter name must not be what runs.
  fs::copy_file(BinDir() + "\\test_engine\\Engine.exe", root_ / "Ann.exe");
  const std::string saved = TempDir(false);
  ::SetEnvironmentVariableA("TMP", temp.string().c_str());
  ::SetEnvironmentVariableA("TEMP", temp.string().c_str());
  const fs::path setup = Build();
  const long code = Run(setup, "/hide");
  ::SetEnvironmentVariableA("TMP", saved.c_str());
  ::SetEnvironmentVariableA("TEMP", saved.c_str());
  EXPECT_EQ(code, 0);
  const std::string line = Reported("line");
  EXPECT_EQ(line.rfind(temp.string() + "\\SETUP_", 0), 0u) << line;
  EXPECT_EQ(Reported("files"), "|Engine.exe|app.txt|data.bin|");
  EXPECT_EQ(Report().find("line=", 1), std::string::npos) << Report();
}

// An update's shortcuts go only when the engine completed (deleted the atom).
TEST_F(SetupRun, CompletionDecidesOverTheShortcuts) {
  project_.has_agent_list = true;
  project_.info_file_name = "App.info";
  project_.agent_exe_name = "AppAgent.exe";
  for (bool keep_atom : {true, false}) {
    SCOPED_TRACE(keep_atom ? "atom kept" : "atom deleted");
    project_.engine_arguments = keep_atom ? "/KeepAtom" : "";
    const fs::path setup = Build();
    const fs::path shortcut = root_ / "Check for updates.lnk";
    std::ofstream(shortcut) << "link";
    std::ofstream(root_ / "App.original")
        << "[UnInstall]\r\nCheckforNewUpdateLink=" << shortcut.string() << "\r\n";
    std::ofstream(root_ / "App.info") << "[NewSetup]\r\nRemoveCheckForNewUpdateShortcut=1\r\n";
    EXPECT_EQ(Run(setup, "/hide"), 0);
    EXPECT_EQ(fs::exists(shortcut), keep_atom);
    // The run's reference to the atom is gone either way.
    const std::string token = Reported("line").substr(Reported("line").find("/TH_ID=") + 7);
    EXPECT_EQ(::GlobalFindAtomA((setup::kCompletionAtomPrefix + token.substr(0, token.find(' '))).c_str()),
              0);
    fs::remove(report_);
  }
}

TEST_F(SetupRun, WaitsForTheEnginesDialog) {
  project_.engine_arguments = "/Dialog=2000";
  const fs::path setup = Build();
  EXPECT_EQ(Run(setup, "/hide"), 0);
  // The dialog outlived the engine's process; the stub ended after it.
  EXPECT_NE(Report().find("dialog closed"), std::string::npos) << Report();
}

TEST_F(SetupRun, DamagedPackageShowsTheBoxAndStartsNoEngine) {
  const fs::path setup = Build();
  {
    std::fstream file(setup, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(fs::file_size(setup) - 74 - 1000));
    file.put('\x5A').put('\xA5');
  }
  fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'o'); });
  EXPECT_EQ(Run(setup, "/hide"), 0);
  ASSERT_EQ(answerer.Texts().size(), 1u);
  EXPECT_NE(answerer.Texts()[0].find("Bad CRC!"), std::string::npos) << answerer.Texts()[0];
  EXPECT_FALSE(fs::exists(report_));
}

TEST_F(SetupRun, SecondStartOfTheSameFileEndsAtOnce) {
  project_.engine_arguments = "/Sleep=10000";
  const fs::path setup = Build();
  Program first(setup.string(), "/hide");
  ASSERT_TRUE(WaitFor([&] { return fs::exists(report_); }, 30000));
  EXPECT_EQ(Run(setup, "/hide"), 0);
  // The second start ended while the first one's engine still runs.
  EXPECT_EQ(first.Wait(0), -1);
  EXPECT_EQ(first.Wait(), 0);
  // One engine ran.
  EXPECT_EQ(Report().find("line=", 1), std::string::npos) << Report();
}

TEST_F(SetupRun, MissingPartIsAskedForUntilItAppears) {
  project_.part_size = 200000;
  project_.compress = false;
  const fs::path setup = Build();
  const fs::path part2 = root_ / "setup.exe.002";
  const fs::path away = root_ / "away.002";
  ASSERT_TRUE(fs::exists(part2));
  fs::rename(part2, away);
  fixture::BoxAnswerer answerer([&](HWND box, const std::string&) {
    fs::rename(away, part2);
    fixture::PressAltKey(box, 'o');
  });
  EXPECT_EQ(Run(setup, "/hide"), 0);
  ASSERT_EQ(answerer.Texts().size(), 1u);
  EXPECT_NE(answerer.Texts()[0].find("DISK #2"), std::string::npos) << answerer.Texts()[0];
  EXPECT_EQ(Reported("files"), "|Engine.exe|app.txt|data.bin|");
}

TEST_F(SetupRun, ForcePromptAsksForPartsThatAreThere) {
  const char* key = "Software\\Veldrana\\Dunvex\\SpanDisk";
  HKEY handle = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
            0);
  ::RegSetValueExA(handle, "ForcePrompt", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  ::RegCloseKey(handle);
  project_.part_size = 200000;
  project_.compress = false;
  const fs::path setup = Build();
  fixture::BoxAnswerer answerer([](HWND box, const std::string&) { fixture::PressAltKey(box, 'o'); });
  const long code = Run(setup, "/hide");
  ::RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "ForcePrompt");
  EXPECT_EQ(code, 0);
  ASSERT_GE(parts_, 2u);
  EXPECT_EQ(answerer.Texts().size(), parts_ - 1);
  EXPECT_EQ(Reported("files"), "|Engine.exe|app.txt|data.bin|");
}

TEST_F(SetupRun, DiskSpanRelaunchRunsFromATemporaryCopyThatRemovesItself) {
  project_.part_size = 200000;
  project_.compress = false;
  project_.flags = package::kDiskSpanRelaunch;
  const fs::path part1 = Build("setup.exe.001");
  const fs::path setup = root_ / "setup.exe";
  fs::copy_file(part1, setup);
  EXPECT_EQ(Run(setup, "/hide"), 0);
  // The copy runs the setup; the engine learns the original file.
  ASSERT_TRUE(WaitFor([&] { return !Reported("line").empty(); }, 60000));
  const std::string line = Reported("line");
  EXPECT_NE(line.find(" /hide /OriginExe=\"" + setup.string() + "\" /LANG=2 /TH_ID="), std::string::npos)
      << line;
  EXPECT_EQ(line.find("/SpanCdLvl="), std::string::npos) << line;
  EXPECT_EQ(line.find("/SpanDiskFName1="), std::string::npos) << line;
  // The copy, its temporary folder and the batch file go away by themselves.
  const fs::path folder = fs::path(line.substr(0, line.find("\\Engine.exe")));
  EXPECT_TRUE(WaitFor([&] { return !fs::exists(folder); }, 60000)) << folder;
  EXPECT_TRUE(WaitFor([] { return !fs::exists(TempDir(true) + "_DEL_ME_.BAT"); }, 30000));
}

// The plain agent starts its "X_" copy beside itself and ends; the copy
// runs its window (with no update cycle yet it ends on the first tick) and
// deletes itself. The agent log tells the steps.
TEST_F(SetupRun, PlainAgentStartsItsCopyWhichRemovesItself) {
  project_.agent_mode = true;
  project_.has_agent_list = true;
  project_.agent_exe_name = "AppAgent.exe";
  project_.flags = package::kAgentLog;
  const fs::path agent = Build("AppAgent.exe");
  const fs::path copy = root_ / "X_AppAgent.exe";
  EXPECT_EQ(Run(agent, "/WAIT=0"), 0);
  EXPECT_TRUE(fs::exists(copy));
  EXPECT_TRUE(WaitFor([&] { return !fs::exists(copy); }, 60000));
  EXPECT_FALSE(fs::exists(report_)) << "an agent runs no setup";
  const std::string log = ReadAll(root_ / "AppAgent.log") + ReadAll(root_ / "X_AppAgent.log");
  for (const char* step : {"ThisIs_Plain_AutoUpdate_Exe=TRUE", "CreateAndRun_X_Exe() --- Start",
                           "WinExec: ", "ThisIs_X_AutoUpdate_Exe=TRUE", "DeleteMySelf", "=== EXIT === "})
    EXPECT_NE(log.find(step), std::string::npos) << step << "\n" << log;
}

TEST_F(SetupRun, LibrariesBesideTheSetupFileAreNotLoaded) {
  const fs::path setup = Build();
  const char* names[] = {"version.dll", "USP10.dll",    "MSLS31.dll",  "RICHED32.DLL", "WinINet.dll",
                         "PSAPI.dll",   "SHFolder.dll", "uxtheme.dll", "comctl32.dll"};
  for (const char* name : names) fs::copy_file(BinDir() + "\\planted_library.dll", root_ / name);
  EXPECT_EQ(Run(setup, "/hide"), 0);
  EXPECT_FALSE(Reported("line").empty());
  for (const char* name : names) EXPECT_FALSE(fs::exists(root_ / (std::string(name) + ".loaded"))) << name;
}

}  // namespace
