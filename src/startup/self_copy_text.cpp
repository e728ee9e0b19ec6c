// Texts of the self-copies and of the self-removal batch file.
#include "startup/self_copy_text.h"

#include "util/path_ops.h"
#include "util/string_ops.h"

std::string FolderOfFile(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string_view::npos) return "";
  std::string folder(path.substr(0, slash));
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

std::string SelfDeleteBatchText(std::string_view exe_path, std::string_view batch_path, bool remove_folder) {
  const std::string exe = "\"" + std::string(exe_path) + "\"";
  const std::string tries = std::to_string(kSelfDeleteTries);
  // A program that can never be deleted must not leave a hidden command
  // interpreter looping for ever: the loop counts its tries, and PING is the
  // one pause every Windows command interpreter can make without a console.
  std::string text;
  text += "@ECHO OFF\r\n";
  text += "SET DVX_DEL_TRIES=0\r\n";
  text += ":START\r\n";
  text += "DEL " + exe + "\r\n";
  text += "IF NOT exist " + exe + " GOTO DONE\r\n";
  text += "SET /A DVX_DEL_TRIES+=1\r\n";
  text += "IF %DVX_DEL_TRIES% GEQ " + tries + " GOTO DONE\r\n";
  text += "PING -n 2 127.0.0.1 >NUL\r\n";
  text += "GOTO START\r\n";
  text += ":DONE\r\n";
  if (remove_folder) text += "RD \"" + FolderOfFile(exe_path) + "\"\r\n";
  text += "DEL \"" + std::string(batch_path) + "\"\r\n";
  return text;
}

std::string RelaunchCopyPath(std::string_view temp_folder, std::string_view own_path) {
  return SetTrailingBackslash(temp_folder, true) + "Y_" + FileNamePart(own_path);
}

std::string RelaunchCommandLine(std::string_view copy_path, std::string_view tail,
                                std::string_view own_path) {
  const std::string own(own_path);
  const std::string switches =
      std::string(tail) + " /SpanCdLvl=2 /SpanDiskFName1=\"" + own + ".001\"" + " /OriginExe=\"" + own + "\"";
  return std::string(copy_path) + " " + Trim(switches);
}

std::string XCopyPath(std::string_view own_path) {
  const std::string folder = FolderOfFile(own_path);
  const std::string name = "X_" + FileNamePart(own_path);
  return folder.empty() ? name : SetTrailingBackslash(folder, true) + name;
}

std::string XCopyCommandLine(std::string_view x_path, std::string_view transient, std::string_view delay) {
  std::string line(x_path);
  if (!transient.empty()) line += " /TRANSIENTx=" + std::string(transient);
  if (!delay.empty()) line += " /SleepX=" + std::string(delay);
  return line;
}
