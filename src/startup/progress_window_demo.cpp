// Shows the progress window as a setup shows it while extracting, for
// screenshots: progress_window_demo [CHARSET]. Closes itself after a minute.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "net/download_abort.h"
#include "startup/main_window.h"

int main(int argc, char** argv) {
  MainWindowSettings settings;
  settings.class_name = "Dunvex progress window demo";
  settings.title = "Example Application Setup";
  settings.charset = argc > 1 ? std::atoi(argv[1]) : 0;
  int ticks = 0;
  settings.on_timer = [&] {
    const MainWindowHandles& h = MainWindow();
    if (++ticks == 1) {
      SetProgressLabel(h.label, "Extracting Files...", "Tahoma", settings.charset, 8);
      ::SendMessageA(h.main_bar, PBM_SETRANGE, 0, MAKELPARAM(0, 10));
      ::SendMessageA(h.busy_bar, PBM_SETRANGE, 0, MAKELPARAM(0, 10));
      ::ShowWindow(h.busy_bar, SW_SHOW);
      ::ShowWindow(h.window, SW_SHOW);
    }
    ::SendMessageA(h.main_bar, PBM_SETPOS, 4 + ticks % 3, 0);
    ::SendMessageA(h.busy_bar, PBM_SETPOS, (ticks * 3) % 10, 0);
    if (ticks >= 60) {
      SetDownloadAbort(true);
      ::PostMessageA(h.window, WM_CLOSE, 0, 0);
    }
  };
  RunMainWindow(settings);
  return 0;
}
