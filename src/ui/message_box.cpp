// The stub's own modal message box: a "DMsgBox" window with a dark band and an
// icon on the left, the text in a rich label and up to three buttons in a grey
// strip. It runs its own loop on the GUI thread, so the program's other
// windows (and their timers) keep running while it is open.
#include "ui/message_box.h"

#include <array>
#include <optional>

#include "ui/message_box_rules.h"
#include "ui/rich_label.h"
#include "ui/screen.h"
#include "ui/window_class.h"
#include "util/autoplay.h"
#include "util/delimited_list.h"
#include "util/message_pump.h"
#include "util/system_info.h"
#include "util/win32_handle.h"

namespace {

constexpr char kBoxClass[] = "DMsgBox";
constexpr COLORREF kBandColour = RGB(0, 78, 152);

struct FontSettings {
  std::string face = "Tahoma";
  int size = 8;
  int charset = DEFAULT_CHARSET;
};

FontSettings& Font() {
  static FontSettings settings;
  return settings;
}

// The one box that may be open at a time.
struct BoxState {
  std::array<HWND, 3> buttons{};
  HWND owner = nullptr;
  HWND box = nullptr;
  HWND label = nullptr;
  HFONT font = nullptr;
  int result = 0;
  bool done = false;
  HICON icon = nullptr;
};

BoxState g_box;

// Developers get the box of one particular question moved out of the way of
// the window it asks about; "DVX" set to 847 switches that on.
int ButtonCount() {
  if (g_box.buttons[2] != nullptr) return 3;
  if (g_box.buttons[1] != nullptr) return 2;
  return 1;
}

int FocusedSlot() {
  const HWND focus = ::GetFocus();
  for (int i = 0; i < 3; ++i) {
    if (focus != nullptr && g_box.buttons[static_cast<size_t>(i)] == focus) return i;
  }
  return -1;
}

void FocusButton(int index) {
  const int slot = MsgBoxFocusSlot(index, ButtonCount());
  if (slot < 0) return;
  const HWND button = g_box.buttons[static_cast<size_t>(slot)];
  if (button == nullptr) return;
  ::SetFocus(button);
  ::SetActiveWindow(button);
  for (HWND each : g_box.buttons) {
    if (each != nullptr) ::SendMessageA(each, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  }
  ::SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

MsgBoxCaptions CurrentCaptions() {
  MsgBoxCaptions captions;
  for (size_t i = 0; i < 3; ++i) {
    const HWND button = g_box.buttons[i];
    if (button == nullptr) continue;
    char text[256] = {};
    const int length = ::GetWindowTextA(button, text, sizeof(text));
    captions[i] = std::string(text, static_cast<size_t>(length > 0 ? length : 0));
  }
  return captions;
}

// Keys that choose or move between buttons; true when the message is used up.
bool FilterKey(const MSG& msg) {
  std::optional<int> candidate;
  if (msg.message == WM_SYSCHAR) {
    candidate = MsgBoxAltKeySlot(CurrentCaptions(), static_cast<char>(msg.wParam));
  } else if (msg.message == WM_KEYDOWN) {
    const auto key = static_cast<unsigned>(msg.wParam);
    if (key == VK_LEFT || key == VK_UP) {
      FocusButton(FocusedSlot() - 1);
    } else if (key == VK_TAB || key == VK_RIGHT || key == VK_DOWN) {
      FocusButton(FocusedSlot() + 1);
    } else if (key == VK_RETURN && FocusedSlot() >= 0) {
      candidate = FocusedSlot();
    }
    if (const auto letter = MsgBoxLetterKeySlot(CurrentCaptions(), key)) candidate = letter;
  }
  if (!candidate) return false;
  const HWND button = g_box.buttons[static_cast<size_t>(*candidate)];
  g_box.result = static_cast<int>(::GetWindowLongPtrA(button, GWLP_USERDATA));
  ::PostMessageA(g_box.box, WM_CLOSE, 0, 0);
  return true;
}

void PaintBox(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(window, &paint);
  RECT client{};
  ::GetClientRect(window, &client);
  const int cw = client.right;
  const int ch = client.bottom;
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));

  const RECT dark_line{0, ch - 37, cw, ch - 36};
  const RECT light_line{0, ch - 36, cw, ch - 35};
  const RECT strip{0, ch - 35, cw, ch};
  ::FillRect(dc, &dark_line, ::GetSysColorBrush(COLOR_3DDKSHADOW));
  HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  ::FillRect(dc, &light_line, white);
  ::FillRect(dc, &strip, ::GetSysColorBrush(COLOR_BTNFACE));

  const RECT band{0, 0, 54, ch - 37};
  HBRUSH band_brush = ::CreateSolidBrush(kBandColour);
  ::FillRect(dc, &band, band_brush);
  ::DeleteObject(band_brush);
  if (g_box.icon != nullptr) ::DrawIcon(dc, 11, 20, g_box.icon);
  ::EndPaint(window, &paint);
}

LRESULT CALLBACK BoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      PaintBox(window);
      return 0;
    case WM_NOTIFY:
      NoteRichLabelResizeRequest(lparam);
      break;
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lparam);
      for (HWND button : g_box.buttons) {
        if (from != nullptr && from == button) {
          g_box.result = static_cast<int>(::GetWindowLongPtrA(button, GWLP_USERDATA));
          ::PostMessageA(window, WM_CLOSE, 0, 0);
          return 0;
        }
      }
      break;
    }
    case WM_CLOSE:
      if (g_box.owner != nullptr) {
        ::EnableWindow(g_box.owner, TRUE);
        ::SetActiveWindow(g_box.owner);
        ::SetFocus(g_box.owner);
      }
      break;
    case WM_DESTROY:
      if (g_box.font != nullptr) ::DeleteObject(g_box.font);
      g_box.font = nullptr;
      g_box.done = true;
      return 1;
    default:
      // The shell asks the foreground window before it starts AutoPlay for an
      // inserted disk; a box asking for the next disk must not let it.
      if (message != 0 && message == AutoPlayCancelMessage()) return 1;
      break;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

HICON IconOfStyle(uint32_t style) {
  switch (style & 0xF0) {
    case 0x10:
      return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32513));
    case 0x20:
      return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32514));
    case 0x30:
      return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32515));
    case 0x40:
      return ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516));
    default:
      return ::LoadIconA(::GetModuleHandleA(nullptr), "MainIcon");
  }
}

SIZE WindowSize(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void CreateButtons(uint32_t style, const std::string& captions) {
  RECT client{};
  ::GetClientRect(g_box.box, &client);
  const std::vector<MsgBoxButton> set = MsgBoxButtons(style);
  const int count = static_cast<int>(set.size());
  for (int slot = count - 1; slot >= 0; --slot) {
    const MsgBoxButton& entry = set[static_cast<size_t>(slot)];
    const BoxRect place = MsgBoxButtonPlace(client.right, client.bottom, slot, count);
    const std::string caption = SUB::Item(captions, entry.caption_index);
    HWND button = ::CreateWindowExA(0, "Button", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                    place.x, place.y, place.width, place.height, g_box.box, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(g_box.font), TRUE);
    ::SetWindowLongPtrA(button, GWLP_USERDATA, entry.result);
    g_box.buttons[static_cast<size_t>(slot)] = button;
  }
  if (count > 0) FocusButton(static_cast<int>((style >> 8) & 0xF));
}

}  // namespace

void SetMsgBoxFont(const std::string& face, int size, int charset) {
  Font().face = face;
  if (size != 0) Font().size = size;
  Font().charset = charset;
}

int ShowMessageBox(HWND parent, const std::string& text, const std::string& title,
                   const std::string& captions, uint32_t style) {
  KeepRichEditLoaded();
  g_box = BoxState{};
  g_box.owner = ::GetActiveWindow();
  if (g_box.owner != nullptr) ::EnableWindow(g_box.owner, FALSE);
  g_box.result = 0;

  const FontSettings& font = Font();
  g_box.font = ::CreateFontA(-::MulDiv(font.size, ScreenPixelsPerInch(), 72), 0, 0, 0, 0, FALSE, FALSE, FALSE,
                             static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, FF_SWISS, font.face.c_str());
  const LibraryHandle box_reference(LoadRichEditLibrary());

  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  RegisterShowingClass(kBoxClass, BoxProc);

  g_box.box = ::CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kBoxClass, title.c_str(),
                                WS_VISIBLE | WS_CAPTION | WS_SYSMENU, -100, -100, 10, 10, parent, nullptr,
                                instance, nullptr);
  if (g_box.box == nullptr) {
    if (g_box.owner != nullptr) ::EnableWindow(g_box.owner, TRUE);
    if (g_box.font != nullptr) ::DeleteObject(g_box.font);
    g_box.font = nullptr;
    ::UnregisterClassA(kBoxClass, instance);
    return 0;
  }
  if (style & kMsgBoxNoClose) {
    style &= ~kMsgBoxNoClose;
    ::EnableMenuItem(::GetSystemMenu(g_box.box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  }

  g_box.label = CreateRichLabel(g_box.box, 86, 30, 100, 13, style, text, g_box.font);

  const SIZE label = WindowSize(g_box.label);
  const BoxRect outer = MsgBoxOuterSize(
      label.cx, label.cy,
      {::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME), ::GetSystemMetrics(SM_CYCAPTION)});
  WindowOrigin at = CenterInWorkArea(outer.width, outer.height);
  if (text.find("Do you want to store the new Entry in") != std::string::npos && DeveloperMode()) {
    at.x += 150;
    at.y += 150;
  }
  ::SetWindowPos(g_box.box, nullptr, at.x, at.y, outer.width, outer.height, SWP_NOZORDER | SWP_SHOWWINDOW);

  RECT client{};
  ::GetClientRect(g_box.box, &client);
  const BoxRect place = MsgBoxLabelPlace(client.right, client.bottom, label.cx, label.cy);
  ::SetWindowPos(g_box.label, nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_SHOWWINDOW);

  g_box.icon = IconOfStyle(style);
  CreateButtons(style, captions);

  g_box.done = false;
  while (!g_box.done) {
    MSG msg{};
    // A quit message does not end the box; the box ends only by closing.
    ::GetMessageA(&msg, nullptr, 0, 0);
    if (FilterKey(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  ::UnregisterClassA(kBoxClass, instance);
  const int result = g_box.result;
  g_box = BoxState{};
  return result;
}

int MsgBoxEx(MsgBoxMode mode, const std::string& text, const std::string& title, const std::string& captions,
             int charset, uint32_t style) {
  style = MsgBoxEffectiveStyle(style, mode, charset);
  const std::string shown = mode == 0 ? MsgBoxHeadingText(text, title) : text;
  const HWND parent = mode >= 3 ? reinterpret_cast<HWND>(mode) : ::GetActiveWindow();
  const int result = ShowMessageBox(parent, shown, title, captions, style);
  WaitPumping(0, 100);
  return result;
}

namespace {

int Wrapper(MsgBoxMode mode, const std::string& text, const std::string& title, int title_index,
            const std::string& captions, int charset, uint32_t style) {
  const std::string shown_title = title.empty() ? SUB::Item(kMsgBoxTitles, title_index) : title;
  const std::string shown_captions = captions.empty() ? std::string(kDefaultButtonCaptions) : captions;
  return MsgBoxEx(mode, text, shown_title, shown_captions, charset, style);
}

}  // namespace

void MsgError(MsgBoxMode mode, const std::string& text, const std::string& title, const std::string& captions,
              int charset) {
  Wrapper(mode, text, title, 0, captions, charset, MB_ICONHAND | MB_OK);
}

void MsgAttention(MsgBoxMode mode, const std::string& text, const std::string& title,
                  const std::string& captions, int charset) {
  Wrapper(mode, text, title, 1, captions, charset, MB_ICONEXCLAMATION | MB_OK);
}

bool MsgConfirm(MsgBoxMode mode, const std::string& text, const std::string& title,
                const std::string& captions, int charset) {
  return Wrapper(mode, text, title, 2, captions, charset, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

bool MsgConfirmOk(MsgBoxMode mode, const std::string& text, const std::string& title,
                  const std::string& captions, int charset) {
  return Wrapper(mode, text, title, 2, captions, charset, MB_ICONQUESTION | MB_OKCANCEL) == IDOK;
}
