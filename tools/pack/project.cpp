// Parsing the project description.
#include "project.h"

#include <map>

#include "util/string_ops.h"

namespace pack {
namespace {

std::optional<bool> ParseBool(const std::string& value) {
  const std::string v = UpperCaseAscii(value);
  if (v == "1" || v == "YES" || v == "TRUE" || v == "ON") return true;
  if (v == "0" || v == "NO" || v == "FALSE" || v == "OFF" || v.empty()) return false;
  return std::nullopt;
}

std::optional<uint8_t> ParseFlags(const std::string& value) {
  static const std::map<std::string, uint8_t> kNames = {{"ALWAYSCONFIRMTEMP", 0x01},
                                                        {"DISKSPANRELAUNCH", 0x04},
                                                        {"SHOWBUSYBAR", 0x08},
                                                        {"AGENTLOG", 0x10}};
  uint8_t flags = 0;
  std::string rest = value;
  for (char& c : rest)
    if (c == ',' || c == '|') c = ' ';
  size_t start = 0;
  while (start < rest.size()) {
    size_t stop = rest.find(' ', start);
    if (stop == std::string::npos) stop = rest.size();
    const std::string word = UpperCaseAscii(rest.substr(start, stop - start));
    start = stop + 1;
    if (word.empty()) continue;
    auto it = kNames.find(word);
    if (it == kNames.end()) return std::nullopt;
    flags |= it->second;
  }
  return flags;
}

}  // namespace

std::optional<Project> ParseProject(const std::string& text, std::string& error) {
  Project project;
  std::string section;
  LanguageSection* language = nullptr;
  int line_number = 0;
  size_t start = 0;
  auto fail = [&](const std::string& why) {
    error = "line " + std::to_string(line_number) + ": " + why;
    return std::nullopt;
  };
  while (start <= text.size()) {
    size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    std::string line = Trim(std::string_view(text).substr(start, stop - start));
    start = stop + 1;
    ++line_number;
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return fail("section header without ']'");
      section = Trim(line.substr(1, line.size() - 2));
      language = nullptr;
      const std::string upper = UpperCaseAscii(section);
      if (upper.starts_with("LANGUAGE ")) {
        project.languages.push_back({Trim(section.substr(9)), {}});
        language = &project.languages.back();
      } else if (upper == "AGENT") {
        project.has_agent_list = true;
      } else if (upper == "WEB") {
        project.has_web_list = true;
      } else if (upper != "PACKAGE") {
        return fail("unknown section [" + section + "]");
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return fail("expected key = value");
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    if (section.empty()) return fail("key outside a section");
    if (language) {
      // The language block separates with bytes 1 and 2, and "=" ends a key.
      if (key.find_first_of("\x01\x02=") != std::string::npos || value.find_first_of("\x01\x02") != std::string::npos)
        return fail("a language key or text holds a separator byte");
      language->entries.emplace_back(key, value);
      continue;
    }
    const std::string k = UpperCaseAscii(key);
    const std::string s = UpperCaseAscii(section);
    auto set_bool = [&](bool& target) {
      auto b = ParseBool(value);
      if (!b) return false;
      target = *b;
      return true;
    };
    auto set_number = [&](uint64_t& target) {
      auto n = ParseInt64(value);
      if (!n || *n < 0) return false;
      target = uint64_t(*n);
      return true;
    };
    bool ok = true;
    if (s == "PACKAGE") {
      if (k == "FILES") project.files_folder = value;
      else if (k == "ENGINE") project.engine = value;
      else if (k == "ENGINE_ARGUMENTS") project.engine_arguments = value;
      else if (k == "COMPRESSION") {
        const std::string v = UpperCaseAscii(value);
        ok = v == "ZLIB" || v == "STORED";
        project.compress = v == "ZLIB";
      } else if (k == "LEVEL") {
        auto n = ParseInt64(value);
        ok = n && *n >= 0 && *n <= 9;
        if (ok) project.level = int(*n);
      } else if (k == "ENTRY_SIZE") {
        ok = set_number(project.entry_size) && project.entry_size > 0;
      } else if (k == "PART_SIZE") {
        ok = set_number(project.part_size);
      } else if (k == "FLAGS") {
        auto f = ParseFlags(value);
        ok = f.has_value();
        if (ok) project.flags = *f;
      } else if (k == "WEB_SETUP") ok = set_bool(project.web_setup);
      else if (k == "CONFIRM_DOWNLOAD") ok = set_bool(project.confirm_download);
      else if (k == "CREATE_AGENT") ok = set_bool(project.create_agent);
      else if (k == "AGENT_MODE") ok = set_bool(project.agent_mode);
      else if (k == "CHECKSUM") ok = set_bool(project.checksum);
      else return fail("unknown key " + key + " in [package]");
    } else if (s == "AGENT") {
      if (k == "UPDATEURL") project.update_url = value;
      else if (k == "INFOFILENAME") project.info_file_name = value;
      else if (k == "AGENTEXENAME") project.agent_exe_name = value;
      else if (k == "PRODUCTTOKEN") project.product_token = value;
      else if (k == "HIDDENSETUP") project.hidden_setup = value;
      else return fail("unknown key " + key + " in [agent]");
    } else if (s == "WEB") {
      if (k == "URL") project.web_url = value;
      else if (k == "SETUPFILENAME") project.web_setup_file_name = value;
      else if (k == "ALWAYSDOWNLOAD") project.always_download = value;
      else if (k == "TOKEN") project.web_token = value;
      else if (k == "SETUPSIZE") project.web_setup_size = value;
      else return fail("unknown key " + key + " in [web]");
    }
    if (!ok) return fail("bad value for " + key + ": " + value);
    if ((s == "AGENT" || s == "WEB") && value.find('|') != std::string::npos)
      return fail("list items cannot hold '|'");
  }
  return project;
}

}  // namespace pack
