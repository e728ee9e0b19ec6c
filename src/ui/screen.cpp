// Screen metrics, read once and kept.
#include "ui/screen.h"

#include <windows.h>

int ScreenPixelsPerInch() {
  static const int dpi = [] {
    HDC screen = ::GetDC(nullptr);
    const int value = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return value;
  }();
  return dpi;
}
