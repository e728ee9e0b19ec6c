// The process-wide request to stop a running download. Closing the main
// window sets it first; a running download ends at its next chunk.
#pragma once

void SetDownloadAbort(bool abort);
bool DownloadAbortRequested();
