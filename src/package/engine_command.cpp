// The setup engine's command line.
#include "package/engine_command.h"

#include "util/command_line.h"
#include "util/string_ops.h"

namespace setup {

std::string RunToken(uint32_t thread_id) { return "_" + std::to_string(thread_id); }

EngineCommand SplitEngineCommand(std::string_view engine_command, std::string_view caller_extra) {
  EngineCommand result;
  const size_t star = engine_command.find('*');
  result.file_name = Trim(engine_command.substr(0, star));
  std::string extra(caller_extra);
  if (star != std::string_view::npos) {
    const std::string own = Trim(engine_command.substr(star + 1));
    if (!own.empty()) extra += " " + own;
  }
  result.extra = Trim(extra);
  return result;
}

std::string EnginePath(std::string_view temp_folder, std::string_view engine_file_name) {
  std::string folder(temp_folder);
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder + "\\" + std::string(engine_file_name);
}

std::string EngineCommandLine(const EngineLineInput& input) {
  std::string line = EnginePath(input.temp_folder, input.engine.file_name);
  if (!input.engine.extra.empty()) line += " " + input.engine.extra;
  line += " /TH_ID=" + input.run_token;
  if (line.find("/OriginExe=") == std::string::npos) line += " /OriginExe=\"" + input.own_path + "\"";
  if (input.agent_mode) line += " /AutoUpdateProg";
  line = RemoveSwitch(line, "/SpanCdLvl=");
  return RemoveSwitch(line, "/SpanDiskFName1=");
}

}  // namespace setup
