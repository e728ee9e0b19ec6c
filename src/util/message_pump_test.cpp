// Tests of the message-pumping waits: how long they wait, that they dispatch
// what is posted before and during the wait, and that a quit request
// survives them.
#include "util/message_pump.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>
#include <vector>

#include "util/system_text.h"

namespace {

std::vector<int64_t> g_handled;  // MsClock times at which WM_APP arrived

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) {
    g_handled.push_back(MsClock());
    return 0;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

// A message-only window of the test thread that records WM_APP arrivals.
class MessagePumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = CountingProc;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClass;
    ::RegisterClassA(&window_class);
    window_ = ::CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, window_class.hInstance,
                                nullptr);
    ASSERT_NE(window_, nullptr);
    MSG stale{};
    while (::PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
    g_handled.clear();
  }
  void TearDown() override {
    if (window_) ::DestroyWindow(window_);
    ::UnregisterClassA(kClass, ::GetModuleHandleA(nullptr));
  }
  void Post() const { ASSERT_TRUE(::PostMessageA(window_, WM_APP, 0, 0)); }

  static constexpr const char* kClass = "DunvexMessagePumpTest";
  HWND window_ = nullptr;
};

TEST_F(MessagePumpTest, WaitPumpingWaitsAndDispatches) {
  struct Case {
    uint32_t interval;
    int64_t ms;
  };
  for (const Case c : {Case{0, 300}, Case{0, 0}, Case{50, 120}}) {
    g_handled.clear();
    Post();
    const int64_t start = MsClock();
    WaitPumping(c.interval, c.ms);
    const int64_t elapsed = MsClock() - start;
    EXPECT_GE(elapsed, c.ms) << c.ms;
    EXPECT_LT(elapsed, c.ms + 150) << c.ms;
    EXPECT_EQ(g_handled.size(), 1u) << c.ms;
  }
}

TEST_F(MessagePumpTest, WaitPumpingDispatchesDuringTheWait) {
  // The automatic interval for 300 ms is 25 ms, so a message posted midway
  // waits about that long, not for the end of the wait.
  int64_t posted = 0;
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    posted = MsClock();
    ::PostMessageA(window_, WM_APP, 0, 0);
  });
  WaitPumping(0, 300);
  poster.join();
  ASSERT_EQ(g_handled.size(), 1u);
  EXPECT_LT(g_handled[0] - posted, 100);
}

TEST_F(MessagePumpTest, QuitRequestSurvivesThePump) {
  for (const auto pump : {+[] { YieldX(0); }, +[] { PumpPendingMessages(); }, +[] { WaitPumping(0, 30); }}) {
    g_handled.clear();
    Post();
    ::PostQuitMessage(7);
    pump();
    EXPECT_EQ(g_handled.size(), 1u);
    MSG quit{};
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
  }
}

TEST_F(MessagePumpTest, PumpPendingMessagesNeverSleeps) {
  Post();
  const int64_t start = MsClock();
  for (int i = 0; i < 200; ++i) PumpPendingMessages();
  EXPECT_LT(MsClock() - start, 100);
  EXPECT_EQ(g_handled.size(), 1u);
}

TEST_F(MessagePumpTest, YieldXSleepsAfterDispatching) {
  Post();
  const int64_t start = MsClock();
  YieldX(50);
  EXPECT_GE(MsClock() - start, 49);
  ASSERT_EQ(g_handled.size(), 1u);
  EXPECT_LT(g_handled[0] - start, 40);
}

}  // namespace
