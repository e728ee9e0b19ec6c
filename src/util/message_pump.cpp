// Win32 message pumping for the waits of the GUI thread.
#include "util/message_pump.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <string>

#include "util/system_text.h"
#include "util/trace.h"
#include "util/trace_buffer.h"

namespace {

void DispatchQueue(const char* caller) {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Swallowing it here would keep the program's own loop running forever.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    // Only a window procedure built with unwinding through the system's
    // frames can throw up to here; whatever arrives is reported, not fatal.
    try {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    } catch (const std::exception& error) {
      LogException(error, caller);
    } catch (...) {
      Trace(ExceptionTraceLine(caller, "unknown exception"));
    }
  }
}

}  // namespace

void PumpPendingMessages() { DispatchQueue("PumpPendingMessages"); }

void YieldX(uint32_t ms) {
  DispatchQueue("YieldX");
  ::Sleep(ms);
}

void WaitPumping(uint32_t interval, int64_t ms) {
  if (interval == 0) interval = static_cast<uint32_t>(std::clamp<int64_t>(ms / 10, 1, 25));
  const int64_t deadline = MsClock() + ms;
  do {
    YieldX(interval);
  } while (MsClock() < deadline);
}
