// The main window under Wine: class, size and centring, the layout for left-
// to-right and right-to-left charsets, the timer, the two-step close, the
// private messages and the AutoPlay answer.
#include "startup/main_window.h"

#include <gtest/gtest.h>

#include "net/download_abort.h"
#include "util/autoplay.h"

namespace {

RECT ClientRectOf(HWND child) {
  RECT r;
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void CALLBACK EndStuckRun(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(1); }

// Runs the main window; `checks` runs on its first timer tick.
void RunWithFirstTick(MainWindowSettings settings, const std::function<void(HWND)>& checks, int* destroyed) {
  int ticks = 0;
  settings.on_timer = [&] {
    if (++ticks == 1) checks(MainWindow().window);
  };
  settings.on_destroy = [destroyed] { ++*destroyed; };
  // A safety net: the run must end on its own well before this.
  UINT_PTR guard = ::SetTimer(nullptr, 0, 20000, EndStuckRun);
  RunMainWindow(settings);
  ::KillTimer(nullptr, guard);
  // The loop ends on its flag; the quit message it posted is still queued.
  MSG quit;
  while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  EXPECT_EQ(ticks, 1);
}

}  // namespace

TEST(MainWindow, LayoutCentringAndTwoStepClose) {
  struct Case {
    int charset;
    int label_x;
    int busy_x;
  } cases[] = {{0, 70, 416}, {177, 122, 70}, {178, 122, 70}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charset);
    SetDownloadAbort(false);
    MainWindowSettings settings;
    settings.class_name = "Z:\\setups\\Example Setup.exe";
    settings.title = "Example Setup";
    settings.charset = c.charset;
    int destroyed = 0;
    RunWithFirstTick(
        settings,
        [&](HWND window) {
          char name[256] = {};
          ::GetClassNameA(window, name, sizeof name);
          EXPECT_STREQ(name, "Z:\\setups\\Example Setup.exe");
          EXPECT_FALSE(::IsWindowVisible(window));
          RECT r, work;
          ::GetWindowRect(window, &r);
          ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
          EXPECT_EQ(r.right - r.left, 492);
          EXPECT_EQ(r.bottom - r.top, 110);
          EXPECT_EQ(r.left, work.left + (work.right - work.left - 492) / 2);
          EXPECT_EQ(r.top, work.top + (work.bottom - work.top - 110) / 2);
          const MainWindowHandles& h = MainWindow();
          const RECT label = ClientRectOf(h.label), bar = ClientRectOf(h.main_bar), busy = ClientRectOf(h.busy_bar);
          EXPECT_EQ(label.left, c.label_x);
          EXPECT_EQ(label.top, 20);
          EXPECT_EQ(label.right - label.left, 340);
          EXPECT_EQ(bar.left, 70);
          EXPECT_EQ(bar.top, 38);
          EXPECT_EQ(bar.right - bar.left, 392);
          EXPECT_EQ(busy.left, c.busy_x);
          EXPECT_EQ(busy.right - busy.left, 46);
          EXPECT_FALSE(::IsWindowVisible(h.busy_bar) && ::IsWindowVisible(window));
          EXPECT_FALSE(::GetWindowLongPtrA(h.busy_bar, GWL_STYLE) & WS_VISIBLE);

          // The first close only asks a download to stop; the second closes.
          ::SendMessageA(window, WM_CLOSE, 0, 0);
          EXPECT_TRUE(::IsWindow(window));
          EXPECT_TRUE(DownloadAbortRequested());
          EXPECT_EQ(destroyed, 0);
          ::SendMessageA(window, WM_CLOSE, 0, 0);
          EXPECT_FALSE(::IsWindow(window));
        },
        &destroyed);
    EXPECT_EQ(destroyed, 1);
  }
}

TEST(MainWindow, PrivateMessagesAutoPlayAndLabel) {
  MainWindowSettings settings;
  settings.class_name = ".AutoUpdate.Agent";
  std::vector<UINT> received;
  settings.on_private_message = [&](UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
    received.push_back(message);
    result = lparam * 2;
    return message == 1125;
  };
  int destroyed = 0;
  RunWithFirstTick(
      settings,
      [&](HWND window) {
        EXPECT_EQ(::SendMessageA(window, 1125, 0, 21), 42);
        ::SendMessageA(window, 1123, 0, 0);
        EXPECT_EQ(received, (std::vector<UINT>{1125, 1123}));

        const UINT autoplay = ::RegisterWindowMessageA("QueryCancelAutoPlay");
        SetAutoPlayCancel(false);
        EXPECT_EQ(::SendMessageA(window, autoplay, 0, 0), 0);  // not switched on yet
        SetAutoPlayCancel(true);
        EXPECT_EQ(::SendMessageA(window, autoplay, 0, 0), 1);
        SetAutoPlayCancel(false);

        HWND label = MainWindow().label;
        SetProgressLabel(label, "Extracting Files...", "Tahoma", 177, 8);
        EXPECT_TRUE(::GetWindowLongPtrA(label, GWL_EXSTYLE) & WS_EX_RTLREADING);
        EXPECT_EQ(::GetWindowLongPtrA(label, GWL_STYLE) & SS_RIGHT, SS_RIGHT);
        char text[64] = {};
        ::GetWindowTextA(label, text, sizeof text);
        EXPECT_STREQ(text, "Extracting Files...");
        SetProgressLabel(label, "x", "Tahoma", 0, 8);
        EXPECT_FALSE(::GetWindowLongPtrA(label, GWL_EXSTYLE) & WS_EX_RTLREADING);

        SetDownloadAbort(true);  // no download runs: one close ends the run
        ::PostMessageA(window, WM_CLOSE, 0, 0);
      },
      &destroyed);
  EXPECT_EQ(destroyed, 1);
}
