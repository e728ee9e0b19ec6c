// The setup engine's command line and the names that tie an engine to the
// run that started it. Pure: the Win32 layer supplies the folder, the run
// token and the executable's path.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace setup {

// The engine deletes this global atom (+ the run token) when it completes.
inline constexpr char kCompletionAtomPrefix[] = "DgbtFbirzkBwsdYkysvAhAlhzib";
// While a top-level window of this class (+ the run token) exists after the
// engine's process ended, the run keeps waiting.
inline constexpr char kEngineDialogClassPrefix[] = ".SDialog_Class_Name.";

// "_" and the decimal id of the thread that runs the setup.
std::string RunToken(uint32_t thread_id);

struct EngineCommand {
  std::string file_name;  // the engine's file name inside the temporary folder
  std::string extra;      // the caller's arguments, then the entry's own, trimmed
};

// Splits the engine command met during extraction ("Engine.exe* /LANG=2"):
// the text before the first '*' names the engine, the text after it is
// appended to the caller's extra arguments.
EngineCommand SplitEngineCommand(std::string_view engine_command, std::string_view caller_extra);

struct EngineLineInput {
  std::string temp_folder;  // with or without a trailing backslash
  EngineCommand engine;
  std::string run_token;
  std::string own_path;  // the running executable, named in /OriginExe=
  bool agent_mode = false;
};

// The engine's path: the folder with exactly one trailing backslash and the
// engine's file name.
std::string EnginePath(std::string_view temp_folder, std::string_view engine_file_name);

// The command line the engine receives: its path, the extra arguments,
// " /TH_ID=" + token, " /OriginExe=" + the quoted own path unless the line
// already has one, " /AutoUpdateProg" in agent mode; then the first
// "/SpanCdLvl=" and the first "/SpanDiskFName1=" are removed.
std::string EngineCommandLine(const EngineLineInput& input);

}  // namespace setup
