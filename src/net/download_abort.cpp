// The download abort flag. One GUI thread sets and reads it, also from
// window procedures re-entered during a download.
#include "net/download_abort.h"

namespace {
bool g_download_abort = false;
}

void SetDownloadAbort(bool abort) { g_download_abort = abort; }
bool DownloadAbortRequested() { return g_download_abort; }
