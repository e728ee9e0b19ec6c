// Tests of the progress report object: what reaches the display, and that the
// thread's messages run around every report.
#include "ui/progress_bar.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Report {
  int event, reserved, maximum, position, step;
  std::string text;
  int dispatched_before;  // thread messages handled when the report came
  bool operator==(const Report&) const = default;
};

// A display that keeps a bar's position the way the main window's bar does.
struct FakeBar {
  std::vector<Report> reports;
  int maximum = -1, position = -1, step = 0;
  int* dispatched = nullptr;
  TProgBar::Display Display() {
    return [this](int event, int reserved, int max, int pos, int stp, const std::string& text) {
      reports.push_back({event, reserved, max, pos, stp, text, *dispatched});
      if (event == 0) {
        maximum = max;
        position = pos;
        step = stp;
      } else if (event == 1) {
        position += step;
      }
    };
  }
};

int g_dispatched = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) ++g_dispatched;
  return ::DefWindowProcA(window, message, wparam, lparam);
}

class TProgBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_dispatched = 0;
    bar_.dispatched = &g_dispatched;
    WNDCLASSA cls{};
    cls.lpfnWndProc = CountingProc;
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.lpszClassName = "TProgBarTestWindow";
    ::RegisterClassA(&cls);
    window_ = ::CreateWindowExA(0, cls.lpszClassName, "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                cls.hInstance, nullptr);
  }
  void TearDown() override {
    ::DestroyWindow(window_);
    ::UnregisterClassA("TProgBarTestWindow", ::GetModuleHandleA(nullptr));
  }
  void Post() { ::PostMessageA(window_, WM_APP, 0, 0); }

  FakeBar bar_;
  HWND window_ = nullptr;
};

TEST_F(TProgBarTest, StartThenTenStepsFillTheBar) {
  TProgBar progress(bar_.Display());
  progress.Start(1, 11);
  EXPECT_EQ(bar_.maximum, 11);
  EXPECT_EQ(bar_.position, 1);
  EXPECT_EQ(bar_.step, 1);
  for (int i = 0; i < 10; ++i) progress.Step("chunk");
  EXPECT_EQ(bar_.position, 11);
  ASSERT_EQ(bar_.reports.size(), 11u);
  EXPECT_EQ(bar_.reports[0], (Report{0, 0, 11, 1, 1, "", 0}));
  EXPECT_EQ(bar_.reports[1], (Report{1, 0, 0, 0, 0, "chunk", 0}));
  // Start again with a new range.
  progress.Start(0, 3);
  EXPECT_EQ(bar_.maximum, 3);
  EXPECT_EQ(bar_.position, 0);
}

TEST_F(TProgBarTest, EveryReportDispatchesBeforeAndAfter) {
  TProgBar progress(bar_.Display());
  Post();
  progress.Start(0, 5);
  EXPECT_EQ(bar_.reports.back().dispatched_before, 1);
  Post();
  progress.Step("");
  EXPECT_EQ(bar_.reports.back().dispatched_before, 2);
  // Something posted by the display itself runs before the call returns.
  TProgBar posting([&](int, int, int, int, int, const std::string&) { Post(); });
  posting.Step("");
  EXPECT_EQ(g_dispatched, 3);
}

TEST_F(TProgBarTest, CaptionOnlyDispatches) {
  TProgBar progress(bar_.Display());
  Post();
  progress.Caption("Downloading");
  EXPECT_TRUE(bar_.reports.empty());
  EXPECT_EQ(g_dispatched, 1);
}

TEST_F(TProgBarTest, NeverAsksToCancel) {
  TProgBar progress(bar_.Display());
  EXPECT_FALSE(progress.CancelRequested());
  progress.Start(0, 2);
  progress.Step("");
  progress.Caption("");
  EXPECT_FALSE(progress.CancelRequested());
}

TEST_F(TProgBarTest, DestructionResetsTheDisplay) {
  {
    TProgBar progress(bar_.Display());
    progress.Start(4, 9);
  }
  ASSERT_EQ(bar_.reports.size(), 2u);
  EXPECT_EQ(bar_.reports.back(), (Report{0, 0, 0, 0, 1, "", 0}));
  EXPECT_EQ(bar_.position, 0);
  EXPECT_EQ(bar_.maximum, 0);
}

}  // namespace
