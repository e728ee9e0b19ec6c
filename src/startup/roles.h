// Which role a start of the stub plays, and the window class names by which
// each role makes sure it runs only once. Pure: the caller reads the facts
// from the own package, the own path and the command line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class Role {
  kPlainAgent,       // starts its "X_" copy and forwards its switches
  kXAgent,           // the agent cycle, then removes itself
  kDiskSpanStarter,  // relaunches from a temporary copy
  kSetup,            // the setup run
};

struct RoleFacts {
  bool agent_mode = false;          // the trailer's AgentMode byte
  std::string own_file_name;        // without folder
  std::string agent_exe_name;       // item 2 of the agent list
  bool disk_span_relaunch = false;  // the trailer flag
  int64_t span_cd_level = 1;        // "/SpanCdLvl=", default 1
};

bool ThisIs_Plain_AutoUpdate_Exe(const RoleFacts& facts);
bool ThisIs_X_AutoUpdate_Exe(const RoleFacts& facts);
bool IsDiskSpanStarter(const RoleFacts& facts);
// The temporary copy started by the disk-span starter.
bool IsDiskSpanCopy(const RoleFacts& facts);
Role ChooseRole(const RoleFacts& facts);

// Setup: the executable's full path; agent: ".AutoUpdate." + the file name
// without its last extension.
std::string MainWindowClassName(bool agent_mode, std::string_view exe_path);
// The class of a running "X_" agent for the given agent file name.
std::string XAgentWindowClassName(std::string_view agent_exe_name);
