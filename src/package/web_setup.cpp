// The web setup on Windows.
#include "package/web_setup.h"

#include "net/download_abort.h"
#include "net/error_page.h"
#include "net/inet_http.h"
#include "net/main_progress.h"
#include "package/file_info.h"
#include "package/setup_run.h"
#include "package/web_setup_rules.h"
#include "startup/main_window.h"
#include "startup/stub_main.h"
#include "ui/message_box.h"
#include "util/command_line.h"
#include "util/files.h"
#include "util/message_pump.h"
#include "util/path_ops.h"

namespace {

// The text shown when the fetched file belongs to another product.
constexpr char kWrongFileText[] = "Vkz Hyyjgw Yzzyl!";

constexpr char kDownloadPrompt[] =
    "<b>INTERNET DOWNLOAD</b><p><p>Dunvex will download the Setup File from the Internet...<p>Please make "
    "sure your Internet connection is properly set.<p><p>Continue with Setup?<p><P>Size: <SIZE> MB<P>";

void WriteAgentCopy(const std::string& temp_folder, const std::string& agent_name) {
  // The name comes from a package: it must stay inside the folder.
  if (!IsPlainFileName(agent_name)) return;
  const std::string own = ProgramFile();
  const std::string image = ReadFileText(own);
  if (image.empty()) return;
  WriteToFile(temp_folder + "\\" + agent_name, MakeAgentCopy(image), FileDosDate(own));
}

std::string Text(const char* key, const char* fallback) { return OwnPackage().LangString(key, fallback); }

// Downloads the setup file into the temporary path; the error text, "!" when
// the user declined.
std::string Download(const std::string& url, const std::string& target, bool hidden) {
  const TGFileInfo& own = OwnPackage();
  std::string error;
  SetProgressLabel(MainWindow().label, Text("s10", "Downloading File..."), own.FontName(), own.Charset(),
                   own.FontSize());
  if (own.ConfirmDownload() && !hidden &&
      !MsgConfirm(0, DownloadPromptText(Text("s11", kDownloadPrompt), own.WebSetupSize()),
                  Text("Confirm", "Confirm"), Text("BtnText", kDefaultButtonCaptions), own.Charset()))
    error = kDeclined;
  std::string reason;
  if (!InternetConnected(reason)) {
    error = Text("s12", "No valid Internet Connection.<p>Can not Download File!");
    if (!reason.empty()) error += "<P><P>" + reason;
  }
  SetDownloadAbort(false);
  HWND owner = hidden ? nullptr : MainWindow().window;
  TProgBar& progress = CreateMainProgress();
  if (error.empty()) {
    std::string content;
    HTTP_DownloadFile_Incremental(owner, url, target, content, &progress, error);
  }
  WaitPumping(0, 300);
  MainProgressCallback(0, 0, 10, 0, 1, "");
  WaitPumping(0, 700);
  return error;
}

}  // namespace

void PrepareWebSetup(const std::string& temp_folder) {
  const TGFileInfo& own = OwnPackage();
  if (own.CreateAgent()) WriteAgentCopy(temp_folder, own.AgentExeName());
  std::string source = own.WebURL();
  if (!own.AlwaysDownload() && FileExists(ProgramDir(true) + own.WebSetupFileName()))
    source = ProgramDir(false);
  WebDownloadAndRun(temp_folder, source, own.WebSetupFileName());
}

void WebDownloadAndRun(const std::string& temp_folder, const std::string& source, const std::string& name) {
  const TGFileInfo& own = OwnPackage();
  const std::string tail = OwnCommandLineTail();
  const bool hidden = HasSwitch(tail, "/hide") || own.HiddenSetup();
  const std::string url = WebDownloadUrl(source, name);
  std::string error;
  bool downloaded = false;
  std::string target = WebLocalPath(source, name);
  if (!IsPlainFileName(name)) {
    // A name with a folder in it would lead the download out of the
    // temporary path.
    error = kWrongFileText;
  } else if (!FileExists(target)) {
    target = TempDir(true) + name;
    // A file of that name left by an earlier, interrupted run must not pass
    // for this run's download.
    ::DeleteFileA(target.c_str());
    error = Download(url, target, hidden);
    downloaded = error.empty();
  }
  if (error.empty()) {
    const TGFileInfo fetched(target);
    if (fetched.WebToken(true) != own.WebToken(true))
      error = ErrorPageMessage(target, "", url, kWrongFileText);
  }
  if (error.empty()) RunSetup(temp_folder, target, "", tail, !hidden);
  if (downloaded) ::DeleteFileA(target.c_str());
  if (!error.empty() && error != kDeclined)
    MsgError(0, error, Text("Error", "Error"), Text("BtnText", kDefaultButtonCaptions), own.Charset());
}
