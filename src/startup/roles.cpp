// Role choice of the stub.
#include "startup/roles.h"

#include "util/path_ops.h"
#include "util/string_ops.h"

namespace {

constexpr char kAgentClassPrefix[] = ".AutoUpdate.";

}  // namespace

bool ThisIs_Plain_AutoUpdate_Exe(const RoleFacts& facts) {
  return facts.agent_mode && SameTextTrimmed(facts.own_file_name, facts.agent_exe_name);
}

bool ThisIs_X_AutoUpdate_Exe(const RoleFacts& facts) {
  return facts.agent_mode && SameTextTrimmed(facts.own_file_name, "X_" + facts.agent_exe_name);
}

bool IsDiskSpanStarter(const RoleFacts& facts) {
  return facts.disk_span_relaunch && facts.span_cd_level == 1;
}

bool IsDiskSpanCopy(const RoleFacts& facts) { return facts.span_cd_level == 2; }

Role ChooseRole(const RoleFacts& facts) {
  if (ThisIs_Plain_AutoUpdate_Exe(facts)) return Role::kPlainAgent;
  if (ThisIs_X_AutoUpdate_Exe(facts)) return Role::kXAgent;
  if (IsDiskSpanStarter(facts)) return Role::kDiskSpanStarter;
  return Role::kSetup;
}

std::string MainWindowClassName(bool agent_mode, std::string_view exe_path) {
  if (!agent_mode) return std::string(exe_path);
  return kAgentClassPrefix + FileBaseName(exe_path, false);
}

std::string XAgentWindowClassName(std::string_view agent_exe_name) {
  return kAgentClassPrefix + FileBaseName("X_" + std::string(agent_exe_name), false);
}
