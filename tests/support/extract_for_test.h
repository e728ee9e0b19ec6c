// A plain reader of every file in a package, for round-trip tests of the
// builder: walks the parts with the shared block walk and inflates in memory.
#pragma once

#include <map>
#include <string>

namespace fixture {

struct ExtractedPackage {
  std::map<std::string, std::string> files;  // name -> content
  std::map<std::string, uint32_t> dates;
  std::string engine_command;
  int parts = 0;
  bool checksums_ok = true;
  bool sound = true;
};

ExtractedPackage ExtractForTest(const std::string& part1_path);

}  // namespace fixture
