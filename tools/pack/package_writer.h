// Writing a setup file: the stub, the header lists, the file entries (stored
// or zlib), part files of a spanned package, the trailer of each part, the
// package end offset and the checksum.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "project.h"

namespace pack {

struct BuildRequest {
  std::string stub_path;
  std::string files_folder;  // resolved folder of the files (unused for a web stub)
  std::string output_path;   // part 1
  Project project;
  uint32_t seed = 0;  // randomness of the token encoding; 0 draws one
};

struct BuildResult {
  std::vector<std::string> parts;
  std::vector<uint64_t> part_sizes;
  uint32_t files_count = 0;
  uint64_t entries = 0;
};

// Returns false with a message in `error`; partial output files are removed.
bool BuildPackage(const BuildRequest& request, BuildResult& result, std::string& error);

// The path of part `number` (2, 3, ...) for the given part-1 path.
std::string PartPath(const std::string& part1_path, int number);

// The language block bytes for the project's sections.
std::string MakeLanguageBlock(const std::vector<LanguageSection>& languages);

}  // namespace pack
