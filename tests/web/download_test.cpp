// HTTP downloads under Wine against a real nginx on 127.0.0.1: complete,
// chunked, error pages, failures, an abort through the main window and a
// server that goes away in the middle, as the stub's download code meets
// them; the stub's trace is watched through the trace viewer.
#include <gtest/gtest.h>
// clang-format off
#include <winsock2.h>  // before windows.h, which would bring the older winsock.h
#include <windows.h>
// clang-format on

#include <functional>
#include <random>
#include <vector>

#include "net/download_abort.h"
#include "net/download_rules.h"
#include "net/error_page.h"
#include "net/inet_http.h"
#include "startup/main_window.h"
#include "ui/progress_bar.h"
#include "util/system_text.h"
#include "web_fixture.h"

namespace {

namespace fs = std::filesystem;
using web::DocumentRoot;
using web::ReadAll;
using web::Url;
using web::WriteAll;

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// A port on 127.0.0.1 where nothing listens: one the system just handed out
// and took back.
std::string DeadPort() {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int length = sizeof address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  ::closesocket(s);
  return std::to_string(ntohs(address.sin_port));
}

// Sets a file's modification time (UTC), which nginx sends as Last-Modified.
void SetModified(const fs::path& path, SYSTEMTIME when) {
  FILETIME time;
  ::SystemTimeToFileTime(&when, &time);
  HANDLE file = ::CreateFileA(path.string().c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ::SetFileTime(file, nullptr, nullptr, &time);
  ::CloseHandle(file);
}

// The progress object a download reports to, recording the reports; `on_step`
// runs inside step n (from 1).
struct RecordingBar {
  int maximum = -1, position = -1, steps = 0;
  std::function<void(int step)> on_step;
  TProgBar bar{[this](int event, int, int max, int pos, int, const std::string&) {
    if (event == 0) {
      maximum = max;
      position = pos;
    } else if (event == 1) {
      ++steps;
      if (on_step) on_step(steps);
    }
  }};
};

std::vector<std::string> FilesStartingWith(const fs::path& folder, const std::string& prefix) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().rfind(prefix, 0) == 0)
      names.push_back(entry.path().filename().string());
  return names;
}

struct Download {
  std::string error, content;
};

Download Fetch(const std::string& url, const std::string& target, TProgBar* bar = nullptr,
               HWND window = nullptr) {
  Download d;
  SetDownloadAbort(false);
  HTTP_DownloadFile_Incremental(window, url, target, d.content, bar, d.error);
  return d;
}

class HttpDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = fs::temp_directory_path() / ("dunvex-download-" + name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    served_ = DocumentRoot() / name;
    fs::remove_all(served_);
    fs::create_directories(served_);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder_, ignored))
      ::SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder_, ignored);
    fs::remove_all(served_, ignored);
  }
  std::string ServedUrl(const std::string& file) const {
    return Url("/" + served_.filename().string() + "/" + file);
  }

  fs::path folder_;
  fs::path served_;
};

TEST_F(HttpDownload, CompleteFileGoesThroughItsTemporaryNameAndLeftoversGo) {
  const std::string body = RandomBytes(300000, 1);
  WriteAll(served_ / "setup.exe", body);
  SetModified(served_ / "setup.exe", {2025, 6, 0, 15, 10, 20, 30, 0});
  const fs::path target = folder_ / "setup.exe";
  WriteAll(target, "an older download");
  for (const char* leftover : {"setup.exe.123", "setup.exe.old"}) WriteAll(folder_ / leftover, "partial");
  WriteAll(folder_ / "setup.exe.keep", "read-only");
  ::SetFileAttributesA((folder_ / "setup.exe.keep").string().c_str(), FILE_ATTRIBUTE_READONLY);
  WriteAll(folder_ / "setup.exe1", "another file");

  const uint32_t stamp = PackedFileDate({2025, 6, 15, 10, 20, 30, 0});
  const std::string temporary = "setup.exe." + std::to_string(300000 + stamp);
  RecordingBar recording;
  std::vector<std::string> seen_while_running;
  recording.on_step = [&](int step) {
    if (step == 1) seen_while_running = FilesStartingWith(folder_, "setup.exe");
  };
  const size_t log_before = web::AccessLog().size();
  const Download d = Fetch(ServedUrl("setup.exe"), target.string(), &recording.bar);

  EXPECT_EQ(d.error, "");
  EXPECT_EQ(ReadAll(target), body);
  // While running: the old target, the partial file under the announced
  // size and date, the read-only leftover and the unrelated file.
  std::sort(seen_while_running.begin(), seen_while_running.end());
  EXPECT_EQ(seen_while_running,
            (std::vector<std::string>{"setup.exe", temporary, "setup.exe.keep", "setup.exe1"}));
  auto after = FilesStartingWith(folder_, "setup.exe");
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, (std::vector<std::string>{"setup.exe", "setup.exe.keep", "setup.exe1"}));
  EXPECT_EQ(recording.position, 1);
  EXPECT_EQ(recording.maximum, 38);  // ceil(300000 / 8192) + 1
  EXPECT_GE(recording.steps, 37);
  EXPECT_NE(web::AccessLog().find("\"HTTP_Connect_3\""), std::string::npos);
  // The warm-up request asked for one byte only, so nothing large was left
  // unread behind it.
  const std::string log = web::AccessLog().substr(log_before);
  bool warm_up_ranged = false;
  for (size_t start = 0, end; start < log.size(); start = end + 1) {
    end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    const std::string line = log.substr(start, end - start);
    if (line.find("/setup.exe HTTP/1.1\" 206 1 ") != std::string::npos &&
        line.find("\"HTTP_Connect_2\"") != std::string::npos)
      warm_up_ranged = true;
  }
  EXPECT_TRUE(warm_up_ranged) << log;
}

// Outcomes by URL: what the download reports and what it leaves.
TEST_F(HttpDownload, OutcomesOfUnusualAnswers) {
  const std::string body = RandomBytes(50000, 2);
  WriteAll(served_ / "small.bin", body);
  WriteAll(served_ / "empty.bin", "");
  WriteAll(DocumentRoot() / "chunked" / "body.bin", body);
  const std::string dead = "http://127.0.0.1:" + DeadPort() + "/x/setup.exe";
  const std::string no_scheme = ServedUrl("small.bin").substr(7);
  const struct {
    std::string url;
    std::string error;
    bool target;  // the target holds the body afterwards
  } cases[] = {
      {no_scheme, "", true},
      // Not an address with a scheme: "http://" in its query changes nothing.
      {no_scheme + "?from=http://other.test/", "", true},
      {ServedUrl("empty.bin"), ServedUrl("empty.bin") + " --- File Not Found !", false},
      {dead, "Unable to open Internet Connection: " + dead, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    const fs::path target = folder_ / "small.bin";
    fs::remove(target);
    const Download d = Fetch(c.url, target.string());
    EXPECT_EQ(d.error, c.error);
    EXPECT_EQ(fs::exists(target) && ReadAll(target) == body, c.target);
    if (!c.target) {
      EXPECT_TRUE(FilesStartingWith(folder_, "small.bin").empty());
    }
  }
  // Without a Content-Length the body stays in its temporary file (the
  // announced size reads as 4294967295, no date) and the target is not made.
  const fs::path target = folder_ / "body.bin";
  const Download chunked = Fetch(Url("/chunked/body.bin"), target.string());
  EXPECT_EQ(chunked.error, "");
  EXPECT_FALSE(fs::exists(target));
  EXPECT_EQ(ReadAll(folder_ / "body.bin.4294967295"), body);
  // Without a target the body comes back as content.
  const Download in_memory = Fetch(ServedUrl("small.bin"), "");
  EXPECT_EQ(in_memory.error, "");
  EXPECT_EQ(in_memory.content, body);
}

TEST_F(HttpDownload, NginxNotFoundPageIsDownloadedAndRecognised) {
  const fs::path target = folder_ / "missing.exe";
  const std::string url = ServedUrl("missing.exe");
  const Download d = Fetch(url, target.string());
  EXPECT_EQ(d.error, "");
  ASSERT_TRUE(fs::exists(target));
  EXPECT_NE(ReadAll(target).find("404 Not Found"), std::string::npos);
  EXPECT_EQ(ErrorPageMessage(target.string(), "", url, "Vkz Hyyjgw Yzzyl!"),
            "<B>404 File Not Found...</B><P><P>URL:  " + url +
                ".<P><P>Please make sure the file is available and access is allowed to this file.");
}

TEST_F(HttpDownload, FileSizeQuery) {
  WriteAll(served_ / "sized.bin", RandomBytes(12345, 3));
  WriteAll(DocumentRoot() / "chunked" / "sized.bin", RandomBytes(12345, 3));
  EXPECT_EQ(HTTP_GetFileSize(ServedUrl("sized.bin")), 12345);
  EXPECT_EQ(HTTP_GetFileSize(Url("/chunked/sized.bin")), -1);
  EXPECT_EQ(HTTP_GetFileSize("http://127.0.0.1:" + DeadPort() + "/sized.bin"), -1);
}

void CALLBACK EndStuckRun(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(1); }

// Closing the main window while a slow download runs: the close only asks the
// download to stop, which ends after its current chunk.
TEST_F(HttpDownload, ClosingTheMainWindowAbortsTheDownload) {
  const std::string body = RandomBytes(1 << 20, 4);
  WriteAll(DocumentRoot() / "slow" / "big.bin", body);
  const fs::path target = folder_ / "big.bin";
  Download d;
  bool shown = false;
  bool window_alive_after = false;
  MainWindowSettings settings;
  settings.class_name = "Z:\\dunvex\\download test.exe";
  settings.title = "Download test";
  bool started = false;
  settings.on_timer = [&] {
    if (started) return;
    started = true;
    RecordingBar recording;
    recording.on_step = [&](int step) {
      if (step == 3) {
        shown = ::IsWindowVisible(MainWindow().window) != FALSE;
        ::PostMessageA(MainWindow().window, WM_CLOSE, 0, 0);
      }
    };
    d = Fetch(Url("/slow/big.bin"), target.string(), &recording.bar, MainWindow().window);
    window_alive_after = ::IsWindow(MainWindow().window) != FALSE;
    DestroyMainWindow();
  };
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 60000, EndStuckRun);
  RunMainWindow(settings);
  ::KillTimer(nullptr, guard);
  MSG quit;
  while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  EXPECT_EQ(d.error, "Download Aborted");
  EXPECT_TRUE(shown) << "a download given the main window shows it";
  EXPECT_TRUE(window_alive_after) << "the first close only stops the download";
  EXPECT_FALSE(fs::exists(target));
  const auto partial = FilesStartingWith(folder_, "big.bin.");
  ASSERT_EQ(partial.size(), 1u);
  const uintmax_t size = fs::file_size(folder_ / partial[0]);
  EXPECT_GT(size, 0u);
  EXPECT_LT(size, body.size());
  EXPECT_EQ(ReadAll(folder_ / partial[0]), body.substr(0, size));
}

// The server goes away in the middle: the partial file stays, the target is
// not made and the failure is traced once. Runs once per fixture: the slow
// server stays down afterwards.
TEST_F(HttpDownload, ServerStoppedInTheMiddle) {
  const std::string body = RandomBytes(1 << 20, 5);
  WriteAll(DocumentRoot() / "doomed.bin", body);
  const fs::path target = folder_ / "doomed.bin";
  web::TraceCapture trace(folder_.parent_path() / "dunvex-download-trace.txt");
  RecordingBar recording;
  bool stopped = false;
  recording.on_step = [&](int step) {
    if (step == 5) stopped = web::StopDoomedServer();
  };
  const Download d = Fetch(Url("/doomed.bin", "doomed"), target.string(), &recording.bar);
  const std::string traced = trace.Stop();
  ASSERT_TRUE(stopped);
  EXPECT_EQ(d.error.rfind("doomed.bin --- Error downloading file (", 0), 0u) << d.error;
  EXPECT_FALSE(fs::exists(target));
  const auto partial = FilesStartingWith(folder_, "doomed.bin.");
  ASSERT_EQ(partial.size(), 1u);
  const uintmax_t size = fs::file_size(folder_ / partial[0]);
  EXPECT_GT(size, 0u);
  EXPECT_LT(size, body.size());
  EXPECT_EQ(ReadAll(folder_ / partial[0]), body.substr(0, size));
  EXPECT_EQ(web::CountOf(traced, " HTTP_DownloadFile_Incremental: "), 1u) << traced;
  EXPECT_NE(
      traced.find(std::to_string(::GetCurrentProcessId()) + " HTTP_DownloadFile_Incremental: " + d.error),
      std::string::npos)
      << traced;
}

}  // namespace
