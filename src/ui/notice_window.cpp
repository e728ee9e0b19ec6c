// The notice window and its own message loop. Like the message box it runs
// on the GUI thread and dispatches every message of the thread, so the
// agent's timer keeps ticking while a notice is open.
#include "ui/notice_window.h"

#include <richedit.h>
#include <shellapi.h>

#include "ui/rich_label.h"
#include "util/string_ops.h"
#include "ui/screen.h"
#include "ui/window_class.h"

namespace {

constexpr char kNoticeClass[] = "DRichEditBox";
constexpr int kStripHeight = 43;  // button strip at the bottom
constexpr int kButtonWidth = 160;
constexpr int kButtonHeight = 25;
constexpr int kTextLeft = 3;

// One notice at a time.
struct NoticeState {
  std::string address;  // kept until the next notice
  bool done = false;
  HWND window = nullptr;
  HWND text = nullptr;
  HWND button = nullptr;
};

NoticeState g_notice;

void OpenAddress(const std::string& address) {
  ::ShellExecuteA(::GetDesktopWindow(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOW);
}

HFONT MakeFont(int height, int charset, const std::string& face) {
  return ::CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, static_cast<DWORD>(charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face.c_str());
}

bool HasButtonStrip() { return !g_notice.address.empty(); }

void Layout(int cw, int ch) {
  if (g_notice.text != nullptr) {
    const int height = HasButtonStrip() ? ch - kStripHeight : ch;
    ::SetWindowPos(g_notice.text, nullptr, kTextLeft, 0, cw - kTextLeft, height,
                   SWP_NOZORDER | SWP_SHOWWINDOW);
  }
  if (g_notice.button != nullptr) {
    ::SetWindowPos(g_notice.button, nullptr, (cw - kButtonWidth) / 2, ch - 33, kButtonWidth, kButtonHeight,
                   SWP_NOZORDER | SWP_SHOWWINDOW);
  }
}

void Paint(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(window, &paint);
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
  if (HasButtonStrip()) {
    const RECT line{0, client.bottom - kStripHeight, client.right, client.bottom - kStripHeight + 1};
    const RECT strip{0, client.bottom - kStripHeight + 1, client.right, client.bottom};
    ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_3DDKSHADOW));
    ::FillRect(dc, &strip, ::GetSysColorBrush(COLOR_BTNFACE));
  }
  ::EndPaint(window, &paint);
}

LRESULT CALLBACK NoticeProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      Layout(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_COMMAND:
      if (g_notice.button != nullptr && reinterpret_cast<HWND>(lparam) == g_notice.button) {
        OpenAddress(g_notice.address);
        ::PostMessageA(window, WM_CLOSE, 0, 0);
      }
      break;
    case WM_DESTROY:
      g_notice.done = true;
      return 1;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

void RunNotice(HWND owner, const std::string& caption, const std::string& button_caption,
               const std::string& body, int width, int height, const std::string& face, int size,
               int charset) {
  KeepRichEditLoaded();

  HFONT button_font = MakeFont(-::MulDiv(size, ScreenPixelsPerInch(), 72), charset, face);
  // The publisher's notices were written for Verdana; a face chosen on purpose
  // (anything but the default Tahoma) is honoured.
  const std::string text_face = (!face.empty() && face != "Tahoma") ? face : "Verdana";
  HFONT text_font = MakeFont(15, charset, text_face);

  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  RegisterShowingClass(kNoticeClass, NoticeProc);

  g_notice.window = nullptr;
  g_notice.text = nullptr;
  g_notice.button = nullptr;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  g_notice.window = ::CreateWindowExA(WS_EX_DLGMODALFRAME, kNoticeClass, caption.c_str(),
                                      WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, x, y, width,
                                      height, owner, nullptr, instance, nullptr);
  if (g_notice.window != nullptr) {
    RECT client{};
    ::GetClientRect(g_notice.window, &client);
    const int text_height = HasButtonStrip() ? client.bottom - kStripHeight : client.bottom;
    g_notice.text = ::CreateWindowExA(
        0, "RICHEDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_WANTRETURN,
        kTextLeft, 0, client.right - kTextLeft, text_height, g_notice.window, nullptr, instance, nullptr);
    ::SendMessageA(g_notice.text, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
    ::SendMessageA(g_notice.text, WM_SETFONT, reinterpret_cast<WPARAM>(text_font), FALSE);
    ::SendMessageA(g_notice.text, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_WINDOW)));
    ::SendMessageA(g_notice.text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(body.c_str()));

    if (HasButtonStrip()) {
      g_notice.button =
          ::CreateWindowExA(0, "Button", button_caption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                            (client.right - kButtonWidth) / 2, client.bottom - 33, kButtonWidth,
                            kButtonHeight, g_notice.window, nullptr, instance, nullptr);
      ::SendMessageA(g_notice.button, WM_SETFONT, reinterpret_cast<WPARAM>(button_font), TRUE);
      ::SetFocus(g_notice.button);
      ::SetActiveWindow(g_notice.button);
      ::SendMessageA(g_notice.button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }

    g_notice.done = false;
    while (!g_notice.done) {
      MSG msg{};
      if (::GetMessageA(&msg, nullptr, 0, 0) == -1) break;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  ::UnregisterClassA(kNoticeClass, instance);
  g_notice.window = g_notice.text = g_notice.button = nullptr;
  ::DeleteObject(button_font);
  ::DeleteObject(text_font);
}

}  // namespace

bool ShowNotice(HWND owner, const std::string& caption, const std::string& button_caption,
                const std::string& body, const std::string& address, int width, int height,
                const std::string& face, int size, int charset) {
  g_notice.address = Trim(address);
  if (body.empty()) {
    if (g_notice.address.empty()) return false;
    OpenAddress(g_notice.address);
    return true;
  }
  RunNotice(owner, caption, button_caption, body, width, height, face, size, charset);
  return true;
}
