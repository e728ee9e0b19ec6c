// Progress on the main window's bars.
#include "net/main_progress.h"

#include <windows.h>

#include <commctrl.h>

#include "startup/main_window.h"

namespace {

// The busy bar's position cycles 1, 2, 3, 4, 5, 0, ...
int& BusyCounter() {
  static int counter = 0;
  return counter;
}

}  // namespace

void MainProgressCallback(int event, int, int maximum, int position, int step, const std::string&) {
  const MainWindowHandles& window = MainWindow();
  if (event == 0) {
    ::SendMessageA(window.main_bar, PBM_SETRANGE, 0, MAKELPARAM(0, maximum));
    ::SendMessageA(window.main_bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    ::SendMessageA(window.main_bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
    ::SendMessageA(window.busy_bar, PBM_SETRANGE, 0, MAKELPARAM(0, 5));
    ::SendMessageA(window.busy_bar, PBM_SETPOS, 0, 0);
    ::SendMessageA(window.busy_bar, PBM_SETSTEP, 1, 0);
  } else if (event == 1) {
    ::SendMessageA(window.main_bar, PBM_STEPIT, 0, 0);
    int& counter = BusyCounter();
    if (++counter > 5) counter = 0;
    ::SendMessageA(window.busy_bar, PBM_SETPOS, static_cast<WPARAM>(counter), 0);
  }
}

TProgBar& CreateMainProgress() {
  static TProgBar progress(MainProgressCallback);
  return progress;
}
