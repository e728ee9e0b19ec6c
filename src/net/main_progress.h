// The display of transfers and extraction on the main window's two progress
// bars, and the process-wide progress object that downloads report to.
#pragma once

#include <string>

#include "ui/progress_bar.h"

// Event 0: the main bar gets the range 0..maximum, the position and the step,
// and the busy bar starts again; event 1: the main bar steps once and the
// busy bar moves to its next position. Other events do nothing.
void MainProgressCallback(int event, int reserved, int maximum, int position, int step,
                          const std::string& text);

// The process-wide TProgBar that reports to MainProgressCallback, made on
// first use.
TProgBar& CreateMainProgress();
