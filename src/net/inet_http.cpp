// The WinINet download. Decisions live in download_rules; this file only
// talks to the system.
#include "net/inet_http.h"

#include <array>
#include <optional>

#include "net/bytes_rate.h"
#include "net/download_abort.h"
#include "net/download_rules.h"
#include "net/target_file.h"
#include "net/wininet_binding.h"
#include "ui/progress_bar.h"
#include "util/message_pump.h"
#include "util/system_text.h"
#include "util/trace.h"

namespace {

using inet::InetHandle;

constexpr char kProbeAgent[] = "HTTP_Connect_2";
constexpr char kDownloadAgent[] = "HTTP_Connect_3";
constexpr DWORD kTimeoutMs = 180000;
constexpr DWORD kPumpIntervalMs = 5;
// The warm-up request reads nothing, but WinINet may read an unread answer
// to its end before the handle closes (Wine does, for a whole setup file):
// asking for the first byte only keeps that answer small. A server that
// ignores ranges answers in full, as without the header.
constexpr char kFirstByteOnly[] = "Range: bytes=0-0\r\n";

// Some servers answer the first request of a connection slowly or not at all
// (dial-up, proxies waking up); one request that is thrown away gets that
// over with before the real one.
void WarmUpUrl(const std::string& url) {
  InetHandle connection(inet::Open(kProbeAgent));
  if (!connection) return;
  InetHandle request(inet::OpenUrl(connection.Get(), url, 0, kFirstByteOnly));
}

void SetInternetTimeouts(HINTERNET connection) {
  static constexpr std::array<DWORD, 7> kOptions = {
      INTERNET_OPTION_CONNECT_TIMEOUT,  INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
      INTERNET_OPTION_RECEIVE_TIMEOUT,  INTERNET_OPTION_SEND_TIMEOUT,    INTERNET_OPTION_DATA_RECEIVE_TIMEOUT,
      INTERNET_OPTION_DATA_SEND_TIMEOUT};
  for (DWORD option : kOptions) {
    DWORD value = kTimeoutMs;
    inet::SetOption(connection, option, &value, sizeof value);
  }
}

HINTERNET OpenUrl(HINTERNET connection, const std::string& url) {
  return inet::OpenUrl(connection, UrlWithScheme(url), INTERNET_FLAG_RELOAD);
}

uint32_t QueryContentLength(HINTERNET request) {
  DWORD value = kUnknownSize;
  DWORD length = sizeof value;
  if (!inet::QueryInfo(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &value, &length))
    return kUnknownSize;
  return value;
}

uint32_t QueryLastModified(HINTERNET request) {
  SYSTEMTIME time{};
  DWORD length = sizeof time;
  if (!inet::QueryInfo(request, HTTP_QUERY_LAST_MODIFIED | HTTP_QUERY_FLAG_SYSTEMTIME, &time, &length))
    return 0;
  return PackedFileDate(
      {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds});
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Partial files of earlier attempts at the same target; read-only files
// stay, and so does anything that is not target + "." + something.
void DeleteLeftovers(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string name = target.substr(folder.size());
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((target + ".*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0 &&
        IsLeftoverName(name, found.cFileName))
      ::DeleteFileA((folder + found.cFileName).c_str());
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

// Size on disk; 0 when the file does not exist.
uint64_t FileSizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
}

// The read loop of one opened request; returns the error text.
std::string ReadBody(HINTERNET request, const std::string& display, uint32_t size,
                     const std::string& temporary, std::string& content, TProgBar* bar) {
  const uint32_t chunk = ChunkSize(size);
  if (bar) bar->Start(1, ProgressMaximum(size, chunk));
  TBytesRate meter(UseKilobytes(size), UseMegabytes(size));
  if (bar) bar->Caption(display);

  std::optional<TargetFile> file;
  if (!temporary.empty()) file.emplace(temporary);
  std::array<char, kReadBufferSize> buffer;
  std::string error;
  uint32_t received = 0;
  DWORD last_pump = ::GetTickCount() - kPumpIntervalMs;
  for (;;) {
    // Between chunks the windows get their messages, without sleeping: a
    // wait would cost more than a chunk takes to arrive. On a fast link a
    // chunk arrives in a tenth of a millisecond, less than looking at the
    // queue costs under Wine, so the queue is looked at every few
    // milliseconds, which the user cannot tell from every chunk.
    if (::GetTickCount() - last_pump >= kPumpIntervalMs) {
      PumpPendingMessages();
      last_pump = ::GetTickCount();
    }
    const uint32_t wanted = NextReadSize(size, received, chunk, temporary.empty());
    DWORD n = 0;
    bool ok = true;
    if (wanted == 0) {
      // A known size fully received ends the body; anything else hit a bound.
      if (size == kUnknownSize || received < size) error = ReadErrorText(display, "the file is too large");
    } else {
      buffer.fill(0);
      ok = inet::ReadFile(request, buffer.data(), wanted, &n) != FALSE;
      if (ok && n > wanted) {  // a count beyond the buffer is not believed
        n = 0;
        ok = false;
      }
      if (ok) {
        received += n;
        if (file) {
          if (n > 0 && !file->Append(buffer.data(), n)) error = ReadErrorText(display, LastErrorText());
        } else {
          content.append(buffer.data(), n);
        }
        if (n == 0 && size != kUnknownSize && received < size)
          error = ReadErrorText(display, "the connection closed after " + std::to_string(received) + " of " +
                                             std::to_string(size) + " bytes");
      } else {
        std::string reason = LastErrorText();
        if (reason.empty()) reason = inet::LastResponseText();
        error = ReadErrorText(display, reason);
      }
    }
    const std::string text = meter.Text(size, received, n, ::GetTickCount());
    if (ok && n > 0 && bar) bar->Step(text);
    if (n == 0 || !error.empty() || DownloadAbortRequested() || (bar && bar->CancelRequested())) break;
  }
  if (file) file->Close();
  return error;
}

}  // namespace

void HTTP_DownloadFile_Incremental(HWND window, const std::string& url, const std::string& target,
                                   std::string& content, TProgBar* bar, std::string& error) {
  const std::string display = DisplayName(url);
  error.clear();
  content.clear();
  WarmUpUrl(url);
  {
    InetHandle connection(inet::Open(kDownloadAgent));
    if (!connection) {
      error = kInitErrorText;
    } else {
      SetInternetTimeouts(connection.Get());
      InetHandle request(OpenUrl(connection.Get(), url));
      if (!request) {
        error = OpenErrorText(url);
      } else {
        const uint32_t size = QueryContentLength(request.Get());
        const uint32_t stamp = QueryLastModified(request.Get());
        if (size == 0) {
          error = NotFoundText(url);
        } else {
          if (reinterpret_cast<uintptr_t>(window) > 10) ::ShowWindow(window, SW_SHOW);
          std::string temporary;
          if (!target.empty()) {
            temporary = TemporaryPath(target, size, stamp);
            DeleteLeftovers(target);
          }
          error = ReadBody(request.Get(), display, size, temporary, content, bar);
          if (DownloadAbortRequested()) error = kAbortedText;
          if (!temporary.empty() && FileSizeOf(temporary) == size) {
            ::DeleteFileA(target.c_str());
            ::MoveFileA(temporary.c_str(), target.c_str());
          }
        }
      }
    }
  }
  if (!error.empty()) Trace(DownloadTraceLine(::GetCurrentProcessId(), error));
}

int32_t HTTP_GetFileSize(const std::string& url) {
  WarmUpUrl(url);
  InetHandle connection(inet::Open(kProbeAgent));
  if (!connection) return -1;
  InetHandle request(inet::OpenUrl(connection.Get(), url, 0));
  if (!request) return -1;
  const int32_t value = static_cast<int32_t>(QueryContentLength(request.Get()));
  Trace("HTTP_GetFileSize=" + std::to_string(value) + "  " + url);
  return value;
}

bool InternetConnected(std::string& reason) {
  reason.clear();
  DWORD flags = 0;
  const bool connected = inet::GetConnectedState(&flags) != FALSE;
  if (!connected) reason = LastErrorText();
  return connected;
}

bool InternetConnectedQuiet() {
  std::string reason;
  return InternetConnected(reason);
}
