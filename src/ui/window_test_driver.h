// Test support for the stub's own modal windows: the user is played by a
// timer on the window's own thread, and a watchdog ends a test program whose
// window never closes, so a fault fails the run instead of hanging it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace window_test {

using Clock = std::chrono::steady_clock;

// Under Wine on a display without a window manager, every top-level window
// that closes waits two seconds for a manager that never answers. Wine reads
// its per-program settings when the program's first window is made, so this
// runs before any test does. Windows has no such key and ignores it.
inline const bool g_unmanaged_windows = [] {
  if (::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr) return false;
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = path;
  name = name.substr(name.find_last_of("\\/") + 1);
  const std::string key = "Software\\Wine\\AppDefaults\\" + name + "\\X11 Driver";
  HKEY handle = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
    return false;
  }
  ::RegSetValueExA(handle, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
  ::RegCloseKey(handle);
  return true;
}();

// Ends the program when a test takes far too long: a box that never closes
// would otherwise keep its loop running for ever.
class Watchdog {
 public:
  explicit Watchdog(std::chrono::seconds limit)
      : thread_([this, limit] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!done_cv_.wait_for(lock, limit, [this] { return done_; })) {
            std::fputs("watchdog: a window under test did not close; giving up\n", stderr);
            std::fflush(stderr);
            std::_Exit(3);
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    done_cv_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_cv_;
  bool done_ = false;
  std::thread thread_;
};

inline HWND FocusOfBox() { return ::GetFocus(); }

inline std::vector<HWND> Buttons(HWND box) {
  std::vector<HWND> found;
  for (HWND child = ::FindWindowExA(box, nullptr, "Button", nullptr); child != nullptr;
       child = ::FindWindowExA(box, child, "Button", nullptr)) {
    found.push_back(child);
  }
  // Left to right.
  std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    ::GetWindowRect(a, &ra);
    ::GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return found;
}

inline HWND Label(HWND box) { return ::FindWindowExA(box, nullptr, "RICHEDIT", nullptr); }

inline std::string Text(HWND window) {
  char text[1024] = {};
  const int length =
      static_cast<int>(::SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)));
  return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

inline bool IsDefault(HWND button) {
  return (::GetWindowLongPtrA(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
}

inline void PostKey(HWND target, UINT key) {
  ::PostMessageA(target, WM_KEYDOWN, key, 1);
  ::PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// The user, played by a timer on the box's own thread: each tick runs the
// next step on the open box. A timer message only comes when nothing else is
// queued, so every step sees the box after it has handled all earlier input.
using Step = std::function<void(HWND box)>;
using Steps = std::vector<Step>;

struct Driven {
  int result = -1;
  bool found = false;
  bool closed_by_driver = false;
};

struct Script {
  const char* window_class = nullptr;
  Steps steps;
  size_t next = 0;
  HWND box = nullptr;
  int idle_ticks = 0;
  Driven* outcome = nullptr;
};

inline Script* g_script = nullptr;

inline void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  Script& script = *g_script;
  if (script.box == nullptr) {
    script.box = ::FindWindowA(script.window_class, nullptr);
    if (script.box == nullptr) return;
    script.outcome->found = true;
  }
  if (script.next < script.steps.size()) {
    script.steps[script.next++](script.box);
    return;
  }
  // A box that the steps should have closed but did not is closed after two
  // seconds, and the test fails.
  if (::IsWindow(script.box) && ++script.idle_ticks == 200) {
    script.outcome->closed_by_driver = true;
    ::PostMessageA(script.box, WM_CLOSE, 0, 0);
  }
}

inline Driven RunDriven(const std::function<int()>& show, Steps steps, const char* window_class = "DMsgBox") {
  Watchdog watchdog(std::chrono::seconds(30));
  Driven outcome;
  Script script;
  script.window_class = window_class;
  script.steps = std::move(steps);
  script.outcome = &outcome;
  g_script = &script;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, ScriptTick);
  outcome.result = show();
  ::KillTimer(nullptr, timer);
  g_script = nullptr;
  return outcome;
}

inline Steps operator+(Steps a, const Steps& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Keys go where the keyboard sends them: to the focused button.
inline Steps AltChar(char c) {
  return {[c](HWND box) { ::PostMessageA(box, WM_SYSCHAR, static_cast<WPARAM>(c), 1 << 29); }};
}
inline Steps Keys(const std::vector<UINT>& keys) {
  Steps steps;
  for (UINT key : keys) {
    steps.push_back([key](HWND box) {
      HWND focus = FocusOfBox();
      PostKey(focus != nullptr ? focus : box, key);
    });
  }
  return steps;
}
inline Steps CloseCommand() {
  return {[](HWND box) { ::PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }};
}
inline Steps ClickSlot(size_t slot) {
  return {[slot](HWND box) {
    const auto buttons = Buttons(box);
    if (slot < buttons.size()) ::PostMessageA(buttons[slot], BM_CLICK, 0, 0);
  }};
}
inline Steps Pause(int ticks) {
  return Steps(static_cast<size_t>(ticks), [](HWND) {});
}

}  // namespace window_test
