// Programs that tests start as their own processes under Wine: a started
// program that is never left running, the trace viewer capturing the stub's
// trace, polling, and reading a whole file.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "wine_paths.h"

namespace fixture {

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

template <typename Condition>
bool WaitFor(Condition condition, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// A started program; killed at the end if a failing test left it running.
class Program {
 public:
  Program(const std::string& path, const std::string& arguments) {
    std::string line = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = ::CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process_);
    if (started_) ::CloseHandle(process_.hThread);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() {
    if (!started_) return;
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      ::TerminateProcess(process_.hProcess, 99);
    ::CloseHandle(process_.hProcess);
  }
  bool Started() const { return started_; }
  // The exit code, or -1 when the program has not ended in time.
  long Wait(DWORD milliseconds = 60000) {
    if (::WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

// The stub's trace, received by the trace viewer for the test's duration.
class TraceCapture {
 public:
  explicit TraceCapture(fs::path output)
      : output_(std::move(output)),
        viewer_(fixture::BuildDir() + "\\bin\\dunvex-trace.exe",
                "--seconds 300 --output \"" + output_.string() + "\"") {
    WaitFor([] { return ::FindWindowA(".DDebug.", nullptr) != nullptr; }, 30000);
  }
  std::string Stop() {
    if (HWND viewer = ::FindWindowA(".DDebug.", nullptr)) ::PostMessageA(viewer, WM_CLOSE, 0, 0);
    viewer_.Wait(30000);
    return ReadAll(output_);
  }

 private:
  fs::path output_;
  Program viewer_;
};

}  // namespace fixture
