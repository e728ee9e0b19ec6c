// The setup run on Windows.
#include "package/setup_run.h"

#include "net/main_progress.h"
#include "package/engine_command.h"
#include "package/extract_package_win32.h"
#include "package/file_info.h"
#include "package/temp_folder.h"
#include "package/temp_space.h"
#include "package/web_setup.h"
#include "startup/main_window.h"
#include "startup/stub_main.h"
#include "ui/message_box.h"
#include "util/command_line.h"
#include "util/files.h"
#include "util/message_pump.h"
#include "util/path_ops.h"
#include "util/process_start.h"
#include "util/settings.h"
#include "util/string_ops.h"
#include "util/system_text.h"
#include "util/trace.h"

namespace {

constexpr char kSpanDiskKey[] = "HKEY_CURRENT_USER\\Software\\Veldrana\\Dunvex\\SpanDisk";

uint32_t& ExitCodeOfRun() {
  static uint32_t code = 0;
  return code;
}

// The global atom whose disappearance tells that the engine completed. Adding
// and finding it by name is what the engine sees; this object only makes
// sure the run's own reference is dropped on every path.
class CompletionAtom {
 public:
  explicit CompletionAtom(std::string name)
      : name_(std::move(name)), atom_(::GlobalAddAtomA(name_.c_str())) {}
  CompletionAtom(const CompletionAtom&) = delete;
  CompletionAtom& operator=(const CompletionAtom&) = delete;
  ~CompletionAtom() { Consume(); }
  // True when the engine deleted the atom; deletes it otherwise.
  bool Consume() {
    if (consumed_) return completed_;
    consumed_ = true;
    const ATOM found = ::GlobalFindAtomA(name_.c_str());
    completed_ = atom_ != 0 && found == 0;
    if (found != 0) ::GlobalDeleteAtom(found);
    return completed_;
  }

 private:
  std::string name_;
  ATOM atom_;
  bool consumed_ = false;
  bool completed_ = false;
};

// The shortcuts an update may remove, named in the agent's settings file
// beside the running program.
struct Shortcuts {
  std::string start_up;
  std::string check_for_update;
};

std::string ProgramFolderFile(const std::string& name) {
  return name.empty() ? "" : ProgramDir(true) + FileNamePart(name);
}

Shortcuts ReadShortcuts() {
  const std::string settings = ProgramFolderFile(OwnPackage().SettingsFileName());
  if (settings.empty()) return {};
  return {ReadIniString(settings, "UnInstall", "StartUpLink", ""),
          ReadIniString(settings, "UnInstall", "CheckforNewUpdateLink", "")};
}

void RemoveShortcuts(const Shortcuts& shortcuts) {
  const std::string info = ProgramFolderFile(OwnPackage().InfoFileName());
  if (info.empty()) return;
  const auto remove = [&](const char* key, const std::string& path) {
    if (ReadIniString(info, "NewSetup", key, "0") == "1" && !path.empty() && FileExists(path))
      ::DeleteFileA(path.c_str());
  };
  remove("RemoveStartUpShortcut", shortcuts.start_up);
  remove("RemoveCheckForNewUpdateShortcut", shortcuts.check_for_update);
}

// Starts the engine, waits for it and its dialog; true when it completed.
bool RunEngine(const std::string& folder, const setup::EngineCommand& engine, bool foreground) {
  const std::string token = setup::RunToken(::GetCurrentThreadId());
  setup::EngineLineInput input;
  input.temp_folder = folder;
  input.engine = engine;
  input.run_token = token;
  input.own_path = ProgramFile();
  input.agent_mode = OwnPackage().AgentMode();
  const std::string line = setup::EngineCommandLine(input);
  const Shortcuts shortcuts = ReadShortcuts();

  Trace(TracePid() + " ==== WinExec(Engine.exe) >>" + line + "<<");
  CompletionAtom atom(setup::kCompletionAtomPrefix + token);
  KernelHandle process =
      StartProgram(setup::EnginePath(folder, engine.file_name), line, foreground ? SW_SHOW : SW_HIDE);
  if (!process) Trace(TracePid() + " ==== the setup engine did not start: " + LastErrorText());
  ::ShowWindow(MainWindow().window, SW_HIDE);
  WaitPumping(0, 1000);
  ExitCodeOfRun() = WaitForProgram(process.Get());
  const std::string dialog_class = setup::kEngineDialogClassPrefix + token;
  while (::FindWindowA(dialog_class.c_str(), nullptr)) WaitPumping(0, 100);
  WaitPumping(0, 1000);
  const bool completed = atom.Consume();
  if (completed) RemoveShortcuts(shortcuts);
  return completed;
}

void ResetExtractionProgress(int event, uint32_t value) {
  if (event == 0)
    MainProgressCallback(0, 0, static_cast<int>(value), 0, 1, "");
  else
    MainProgressCallback(1, 0, 0, 0, 0, "");
}

}  // namespace

uint32_t EngineExitCode() { return ExitCodeOfRun(); }

bool ForcePrompt() { return ReadRegString(kSpanDiskKey, "ForcePrompt", "0", kUse64BitRegistryView) == "1"; }

bool TempSpacePrompt(const std::string& folder, const TGFileInfo& package) {
  const std::string drive = folder.empty() ? "" : std::string(1, UpperAscii(folder[0])) + ":";
  const std::string text = setup::TempSpacePromptText(
      package.AlwaysConfirmTemp(), drive, package.RequiredSpace(folder), DiskFreeBytes(folder),
      [&](std::string_view key, std::string_view fallback) { return package.LangString(key, fallback); });
  if (text.empty()) return true;
  return MsgConfirm(0, text, package.LangString("Confirm", "Confirm"),
                    package.LangString("BtnText", kDefaultButtonCaptions), package.Charset());
}

bool RunSetup(const std::string& temp_folder, const std::string& package_path,
              const std::string& agent_copy_name, const std::string& extra_arguments, bool foreground) {
  bool completed = false;
  const TGFileInfo package(package_path);
  const MainWindowHandles& window = MainWindow();
  if (package.ShowBusyBar()) ::ShowWindow(window.busy_bar, SW_SHOW);
  SetProgressLabel(window.label, package.LangString("s1", "Extracting Files..."), package.FontName(),
                   package.Charset(), package.FontSize());
  std::string folder = temp_folder;
  if (!TempSpaceOK(folder, package) && FindAlternativeTempDrive()) folder = AlternativeTempFolder();
  Trace(std::string("========= ForegroundOp=") + (foreground ? "TRUE" : "FALSE") + " ==========");
  const bool proceed = !foreground || TempSpacePrompt(folder, package);
  if (proceed) {
    ExtractPackageInput input;
    input.part1_path = package_path;
    input.target_folder = folder;
    input.agent_copy_name = agent_copy_name;
    input.force_prompt = ForcePrompt();
    input.prompt_text =
        package.LangString("s8", "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue");
    input.prompt_caption = package.LangString("Attention", "Attention");
    input.button_captions = package.LangString("BtnText", kDefaultButtonCaptions);
    input.charset = package.Charset();
    input.progress = ResetExtractionProgress;
    if (foreground) ::ShowWindow(window.window, SW_SHOW);
    WaitPumping(0, 1000);
    const package::ExtractResult result = ExtractPackage(input);
    WaitPumping(0, 1000);
    if (!result.engine_command.empty() && result.verdict) {
      const setup::EngineCommand engine = setup::SplitEngineCommand(result.engine_command, extra_arguments);
      // The engine's name comes from the package: it must name a file inside
      // the folder just extracted, never a program elsewhere.
      if (IsPlainFileName(engine.file_name))
        completed = RunEngine(folder, engine, foreground);
      else
        Trace(TracePid() + " ==== refused engine name >>" + engine.file_name + "<<");
    }
    if (!result.verdict && !result.error_shown)
      MsgError(
          0, package.LangString("s7", "Bad CRC!<P>This indicates that your setup file might be corrupted..."),
          package.LangString("Error", "Error"), package.LangString("BtnText", kDefaultButtonCaptions),
          package.Charset());
  }
  DeleteAlternativeTempFolder();
  return completed;
}

void StartSetupMode(HWND main_window) {
  ::KillTimer(main_window, 1);
  const TGFileInfo& own = OwnPackage();
  const std::string agent_copy_name = own.CreateAgent() ? own.AgentExeName() : "";
  if (own.WebSetup()) {
    PrepareWebSetup(TempFolder());
  } else {
    const std::string tail = OwnCommandLineTail();
    const std::string package_path = SwitchValue(tail, "/SpanDiskFName1=", ProgramFile());
    const bool hidden = HasSwitch(tail, "/hide") || own.HiddenSetup();
    RunSetup(TempFolder(), package_path, agent_copy_name, tail, !hidden);
  }
  DeleteTree(TempFolder(), true);
  ::PostQuitMessage(0);
}
