// What the download and web-setup tests share: the private nginx started by
// nginx-env.sh (ports, document root, logs, the request to stop its slow
// twin), started programs and polling.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "wine_paths.h"

namespace web {

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const fs::path& path, const std::string& data) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << data;
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

// The state folder of nginx-env.sh as Windows programs see it.
inline fs::path NginxState() {
  const char* dir = std::getenv("DUNVEX_BUILD_DIR");
  return fixture::WindowsPath(std::string(dir ? dir : "/") + "/nginx-web");
}
inline fs::path DocumentRoot() { return NginxState() / "root"; }
inline std::string Port(const char* server = "main") {
  std::string port = ReadAll(NginxState() / (std::string(server) + "-port"));
  while (!port.empty() && (port.back() == '\n' || port.back() == '\r')) port.pop_back();
  return port;
}
// "http://127.0.0.1:PORT" + path.
inline std::string Url(const std::string& path, const char* server = "main") {
  return "http://127.0.0.1:" + Port(server) + path;
}
inline std::string AccessLog(const char* server = "main") {
  return ReadAll(NginxState() / (std::string(server) + "-access.log"));
}
// Stops the slow server through the fixture's watcher; true once it is down.
inline bool StopDoomedServer() {
  WriteAll(NginxState() / "stop-doomed", "");
  return WaitFor([] { return fs::exists(NginxState() / "doomed-stopped"); }, 15000);
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

inline size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace web
