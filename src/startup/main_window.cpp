// The main window and the message loop of the process.
#include "startup/main_window.h"

#include <commctrl.h>

#include "net/download_abort.h"
#include "net/host_message.h"
#include "net/wininet_binding.h"
#include "ui/message_box.h"
#include "ui/screen.h"
#include "util/autoplay.h"
#include "util/system_info.h"
#include "util/trace.h"

namespace {

constexpr int kWidth = 492;
constexpr int kHeight = 110;
constexpr UINT_PTR kTimer = 1;
constexpr UINT kFirstPrivateMessage = 1123;
constexpr UINT kLastPrivateMessage = 1125;

struct MainWindowState {
  MainWindowSettings settings;
  MainWindowHandles handles;
  bool loop_end = false;
  HFONT label_font = nullptr;
};

MainWindowState& State() {
  static MainWindowState state;
  return state;
}

bool IsRightToLeft(int charset) { return charset == 177 || charset == 178; }

void CreateChildren(HWND window) {
  MainWindowState& state = State();
  const bool rtl = IsRightToLeft(state.settings.charset);
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  state.handles.window = window;
  state.handles.label = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, rtl ? 122 : 70, 20, 340, 18,
                                          window, nullptr, instance, nullptr);
  state.handles.main_bar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 70, 38, 392, 13, window,
                                             nullptr, instance, nullptr);
  state.handles.busy_bar = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, rtl ? 70 : 416, 20, 46, 13, window,
                                             nullptr, instance, nullptr);
  ::SetTimer(window, kTimer, 1000, nullptr);
  state.label_font = ::CreateFontA(-11, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  ::SendMessageA(state.handles.label, WM_SETFONT, reinterpret_cast<WPARAM>(state.label_font), FALSE);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window, &paint);
  RECT client;
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  if (HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), "MainIcon")) ::DrawIcon(dc, 18, 20, icon);
  ::EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  MainWindowState& state = State();
  switch (message) {
    case WM_CREATE:
      CreateChildren(window);
      break;
    case WM_DESTROY:
      Trace("- wm_Destroy -");
      DestroyMainWindow();
      break;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_CLOSE:
      if (!CloseMainWindow()) return 0;
      break;
    case WM_QUIT:
      Trace("- wm_Quit -");
      DestroyMainWindow();
      break;
    case WM_TIMER:
      if (state.settings.on_timer) state.settings.on_timer();
      break;
    default:
      if (message >= kFirstPrivateMessage && message <= kLastPrivateMessage && state.settings.on_private_message) {
        LRESULT result = 0;
        if (state.settings.on_private_message(message, wparam, lparam, result)) return result;
      } else if (message != 0 && message == AutoPlayCancelMessage()) {
        return 1;
      }
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

const MainWindowHandles& MainWindow() { return State().handles; }

void RunMainWindow(const MainWindowSettings& settings) {
  MainWindowState& state = State();
  state.settings = settings;
  state.loop_end = false;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  ::InitCommonControlsEx(&controls);

  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA window_class{};
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = MainWindowProcedure;
  window_class.hInstance = instance;
  window_class.hIcon = ::LoadIconA(instance, "MainIcon");
  window_class.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = settings.class_name.c_str();
  ::RegisterClassA(&window_class);

  const WindowOrigin at = CenterInWorkArea(kWidth, kHeight);
  HWND window = ::CreateWindowExA(0, settings.class_name.c_str(), settings.title.c_str(),
                                  WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, at.x, at.y, kWidth, kHeight, nullptr,
                                  nullptr, instance, nullptr);
  SetMsgBoxFont(settings.font_name, settings.font_size, settings.charset);
  if (window) {
    ::ShowWindow(window, SW_HIDE);
    MSG message;
    while (!state.loop_end && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  if (state.handles.window) ::KillTimer(state.handles.window, kTimer);
  SetDownloadAbort(true);
  FreeInternetLibrary();
  PostHostMessage(43, 0);
  ::UnregisterClassA(settings.class_name.c_str(), instance);
}

void SetProgressLabel(HWND label, const std::string& text, const std::string& face, int charset, int size) {
  const bool rtl = IsRightToLeft(charset);
  ::SetWindowLongPtrA(label, GWL_EXSTYLE, rtl ? WS_EX_RTLREADING : 0);
  ::SetWindowLongPtrA(label, GWL_STYLE, WS_CHILD | WS_VISIBLE | (rtl ? SS_RIGHT : 0));
  // Fonts made here live until the process ends, as the label may still use them.
  HFONT font = ::CreateFontA(-::MulDiv(size, ScreenPixelsPerInch(), 72), 0, 0, 0, 0, FALSE, FALSE, FALSE, BYTE(charset),
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
  ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ::SetWindowTextA(label, text.c_str());
}

bool CloseMainWindow() {
  Trace(".. CloseMainWindow() - Start");
  const bool close = DownloadAbortRequested();
  if (!close) SetDownloadAbort(true);
  Trace(".. CloseMainWindow() - End");
  return close;
}

void DestroyMainWindow() {
  MainWindowState& state = State();
  Trace(".. DestroyMainWindow() - Start");
  SetDownloadAbort(true);
  if (state.settings.on_destroy) state.settings.on_destroy();
  ::PostQuitMessage(0);
  state.loop_end = true;
  Trace(".. DestroyMainWindow() - End");
}
