// The trace stream against the real viewer program: started as its own
// process, it must receive every line whole and in order, and no atom may
// stay behind. Without a viewer, tracing must do nothing.
#include "util/trace.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "util/agent_log.h"
#include "util/files.h"
#include "util/trace_buffer.h"
#include "wine_paths.h"

namespace {

std::string ViewerPath() { return fixture::BuildDir() + "\\bin\\dunvex-trace.exe"; }

// Polls until `done` holds or `ms` milliseconds pass.
template <typename Done>
bool WaitFor(Done done, DWORD ms) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > ms) return false;
    ::Sleep(20);
  }
  return true;
}

HWND FindViewer() { return ::FindWindowA(kDebugViewerClass, nullptr); }

// A viewer process writing to `output`, closed through its window at the end.
class Viewer {
 public:
  explicit Viewer(const std::string& output) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + ViewerPath() + "\" --seconds 120 --output \"" + output + "\"";
    started_ = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                nullptr, &startup, &process_) != 0;
  }
  ~Viewer() {
    if (!started_) return;
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.hProcess, 1);
      ::WaitForSingleObject(process_.hProcess, 10000);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
  bool Started() const { return started_; }
  bool WaitReady() const { return WaitFor([] { return FindViewer() != nullptr; }, 30000); }
  // Closes the window and waits for the process; true on a clean end.
  bool Close() {
    HWND window = FindViewer();
    if (window) ::PostMessageA(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) return false;
    DWORD code = 1;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code == 0;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

// Text no other program will have in the atom table, with characters that
// differ along the line.
std::string Line(const std::string& tag, std::size_t length) {
  std::string line = tag + ":";
  for (std::size_t i = 0; line.size() < length; ++i) line += static_cast<char>('a' + i % 26);
  return line.substr(0, length);
}

TEST(TraceTest, WithoutViewerTracingIsHarmless) {
  ASSERT_EQ(FindViewer(), nullptr) << "a viewer is already running";
  const std::string line = Line("dunvex-no-viewer", 40);
  Trace(line);
  Trace(std::string(300, 'x'));
  WriteDebugText("dunvex-no-viewer-chunk");
  WriteDebugText("");
  WriteDebugText(nullptr);
  EXPECT_EQ(::GlobalFindAtomA((line + "\r\n").c_str()), 0);
  EXPECT_EQ(::GlobalFindAtomA("dunvex-no-viewer-chunk"), 0);
}

TEST(TraceTest, ViewerReceivesEveryLineInOrder) {
  ASSERT_EQ(FindViewer(), nullptr) << "a viewer is already running";
  const std::string output = TempDir(true) + "dunvex-trace-test-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  ::DeleteFileA(output.c_str());

  std::vector<std::string> lines = {
      Line("dunvex-short", 20), "", Line("dunvex-126", 126), Line("dunvex-127", 127), Line("dunvex-128", 128),
      Line("dunvex-300", 300), Line("dunvex-long", 1000), "dunvex-last",
  };
  std::string expected;
  std::vector<std::string> sent_chunks;
  for (const std::string& line : lines) {
    expected += line + "\r\n";
    for (const std::string& chunk : TraceLineChunks(line)) sent_chunks.push_back(chunk);
  }
  {
    Viewer viewer(output);
    ASSERT_TRUE(viewer.Started()) << ViewerPath();
    ASSERT_TRUE(viewer.WaitReady());
    InstallDebugOutput();
    for (const std::string& line : lines) Trace(line);
    LogException(std::runtime_error("dunvex-boom"), "YieldX");
    expected += " --- YieldX() --- dunvex-boom\r\n";
    ASSERT_TRUE(viewer.Close());
  }
  EXPECT_EQ(ReadFileText(output), expected);
  for (const std::string& chunk : sent_chunks)
    EXPECT_EQ(::GlobalFindAtomA(chunk.c_str()), 0) << "atom left behind: " << chunk;
  ::DeleteFileA(output.c_str());
}

TEST(AgentLogTest, WritesOnlyWhenEnabled) {
  const std::string path = AgentLogFileName();
  EXPECT_EQ(path, ProgramDir(true) + "X_util_trace_test.log");
  ::DeleteFileA(path.c_str());

  SetAgentLogEnabled(false);
  WriteAgentLog("dunvex-disabled");
  EXPECT_FALSE(FileExists(path));

  SetAgentLogEnabled(true);
  WriteAgentLog("first");
  SetAgentLogPrefix(" X ");
  WriteAgentLog("second");
  SetAgentLogEnabled(false);
  SetAgentLogPrefix("   ");

  const std::string content = ReadFileText(path);
  const std::string id = std::to_string(::GetCurrentThreadId());
  const std::string padded = std::string(id.size() < 5 ? 5 - id.size() : 0, ' ') + id;
  // The time stamp ("dd/mm/yy HH:NN:SS" with locale separators) is 17 characters.
  const std::string first_tail = " " + padded + "   first\r\n";
  const std::string second_tail = " " + padded + " X second\r\n";
  ASSERT_EQ(content.size(), 17 + first_tail.size() + 17 + second_tail.size()) << content;
  EXPECT_EQ(content.substr(17, first_tail.size()), first_tail);
  EXPECT_EQ(content.substr(17 + first_tail.size() + 17), second_tail);
  ::DeleteFileA(path.c_str());
}

}  // namespace
