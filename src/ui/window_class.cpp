// Window class registration for the message box and the notice window.
#include "ui/window_class.h"

#include <cstdint>

void RegisterShowingClass(const char* name, WNDPROC procedure) {
  WNDCLASSA window_class{};
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ::GetModuleHandleA(nullptr);
  window_class.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_BTNFACE + 1));
  window_class.lpszClassName = name;
  ::RegisterClassA(&window_class);
}
