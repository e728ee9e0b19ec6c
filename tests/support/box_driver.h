// Answering the stub's own message boxes ("DMsgBox") from a test thread the
// way a user does: by key presses posted to the box.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace fixture {

// The text of the box's rich label.
inline std::string BoxText(HWND box) {
  HWND label = ::FindWindowExA(box, nullptr, "RICHEDIT", nullptr);
  char text[4096] = {};
  ::SendMessageA(label ? label : box, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// An access key as the keyboard sends it: Alt and the character.
inline void PressAltKey(HWND box, char c) {
  ::PostMessageA(box, WM_SYSCHAR, static_cast<WPARAM>(c), LPARAM(1) << 29);
}

// Watches for boxes on a thread of its own; `answer` gets each new box and
// its text and presses the keys. Stops at destruction; a box still open then
// is closed so that a failing test cannot hang.
class BoxAnswerer {
 public:
  using Answer = std::function<void(HWND box, const std::string& text)>;
  explicit BoxAnswerer(Answer answer) : answer_(std::move(answer)), thread_([this] { Run(); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  void Run() {
    HWND last = nullptr;
    while (!stop_) {
      HWND box = ::FindWindowA("DMsgBox", nullptr);
      if (box && box != last && ::IsWindowVisible(box)) {
        last = box;
        // Let the box finish its set-up before keys arrive.
        ::SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_BLOCK, 2000, nullptr);
        const std::string text = BoxText(box);
        texts_.push_back(text);
        answer_(box, text);
      } else if (!box) {
        last = nullptr;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (HWND box = ::FindWindowA("DMsgBox", nullptr)) ::PostMessageA(box, WM_CLOSE, 0, 0);
  }

  Answer answer_;
  std::vector<std::string> texts_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace fixture
