// What the download and web-setup tests share: the private nginx started by
// nginx-env.sh (ports, document root, logs, the request to stop its slow
// twin), started programs and polling.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "programs.h"
#include "wine_paths.h"

namespace web {

namespace fs = std::filesystem;
using fixture::Program;
using fixture::ReadAll;
using fixture::TraceCapture;
using fixture::WaitFor;

inline void WriteAll(const fs::path& path, const std::string& data) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << data;
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

inline size_t CountOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace web
