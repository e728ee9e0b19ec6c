// Paths of the build tree as Windows programs under Wine see them.
#pragma once

#include <cstdlib>
#include <string>

namespace fixture {

// A Linux path as the Z: drive shows it.
inline std::string WindowsPath(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The build tree the test runs in (CTest passes it in DUNVEX_BUILD_DIR).
inline std::string BuildDir() {
  const char* dir = std::getenv("DUNVEX_BUILD_DIR");
  return WindowsPath(dir ? dir : "/");
}

}  // namespace fixture
