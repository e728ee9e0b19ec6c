// The project description dunvex-pack builds from: a small INI-style text
// (see docs/project-format.md).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pack {

struct LanguageSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;  // in file order
};

struct Project {
  std::string files_folder;  // absolute or relative to the project file
  std::string engine = "Engine.exe";
  std::string engine_arguments;
  bool compress = true;
  int level = 6;
  uint64_t entry_size = 8u << 20;  // largest piece of a file in one entry
  uint64_t part_size = 0;          // 0: one file; else the most bytes of a part
  uint8_t flags = 0;               // trailer flag bits (Spanned is set by the builder)
  bool web_setup = false;
  bool confirm_download = false;
  bool create_agent = false;
  bool agent_mode = false;
  bool checksum = true;

  bool has_agent_list = false;
  std::string update_url, info_file_name, agent_exe_name, product_token, hidden_setup = "0";

  bool has_web_list = false;
  std::string web_url, web_setup_file_name, always_download = "0", web_token, web_setup_size;

  std::vector<LanguageSection> languages;
};

// Parses a project text; on failure returns nullopt and sets `error` to a
// message naming the line.
std::optional<Project> ParseProject(const std::string& text, std::string& error);

}  // namespace pack
