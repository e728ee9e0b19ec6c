// The registered host of the host notifications.
#include "net/host_message.h"

namespace {

struct Host {
  HWND window = nullptr;
  UINT message = 0;
};

Host& RegisteredHost() {
  static Host host;
  return host;
}

}  // namespace

void SetHostWindow(HWND window, UINT message) { RegisteredHost() = {window, message}; }

void PostHostMessage(WPARAM wparam, LPARAM lparam) {
  const Host& host = RegisteredHost();
  if (host.window && host.message) ::PostMessageA(host.window, host.message, wparam, lparam);
}
