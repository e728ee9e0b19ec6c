// HTTP downloads over WinINet on the GUI thread: a connectivity test, a size
// query and the incremental download into a file (or into memory) with
// progress, abort and failures reported as text. Window messages keep being
// dispatched between chunks, so window procedures run inside a download.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class TProgBar;

// Downloads `url` into `target` through a temporary file target.N that is
// renamed to `target` once it holds the announced size; without a target the
// body (at most kMaxContentBytes) goes to `content`. `window`, when above 10,
// is shown; `bar`, when given, is started and stepped once per chunk. Ends
// after the current chunk when the download abort flag is set. `error` is
// empty on success; a failure is also traced.
void HTTP_DownloadFile_Incremental(HWND window, const std::string& url, const std::string& target,
                                   std::string& content, TProgBar* bar, std::string& error);

// The Content-Length of `url` (opened as given); -1 when the URL does not
// open or the header is absent.
int32_t HTTP_GetFileSize(const std::string& url);

// True when the system reports an Internet connection; otherwise false with
// the system's reason.
bool InternetConnected(std::string& reason);
bool InternetConnectedQuiet();
