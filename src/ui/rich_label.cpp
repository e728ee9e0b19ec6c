// The rich label on the RichEdit 1.0 control. RichEdit reports the size its
// content wants through EN_REQUESTRESIZE to the parent; the label reads that
// size back to widen texts whose bold runs wrap where the regular-weight
// measurement said they would not.
#include "ui/rich_label.h"

#include <richedit.h>

#include "util/system_library.h"

namespace {

TextSize g_last_request;

// The control's device context with `font` selected, restored on every path.
class FontContext {
 public:
  FontContext(HWND window, HFONT font) : window_(window), dc_(::GetDC(window)) {
    if (dc_ != nullptr) old_font_ = ::SelectObject(dc_, font);
  }
  FontContext(const FontContext&) = delete;
  FontContext& operator=(const FontContext&) = delete;
  ~FontContext() {
    if (dc_ == nullptr) return;
    ::SelectObject(dc_, old_font_);
    ::ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ old_font_ = nullptr;
};

// Resizes the control and returns the size it then asks for. Windows' control
// reports while it is resized; Wine's only when asked with EM_REQUESTRESIZE,
// so it is asked as well (on Windows that repeats the same report).
TextSize ResizeAndRead(HWND control, int width, int height) {
  ::SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageA(control, EM_REQUESTRESIZE, 0, 0);
  return g_last_request;
}

}  // namespace

HMODULE LoadRichEditLibrary() { return LoadSystemLibrary("RICHED32.DLL"); }

HMODULE KeepRichEditLoaded() {
  static HMODULE kept = nullptr;
  if (kept == nullptr) {
    HMODULE module = LoadRichEditLibrary();
    // Values up to 32 are the error codes of the old loader interface.
    if (reinterpret_cast<uintptr_t>(module) > 32) kept = module;
  }
  return kept;
}

HWND CreateRichLabel(HWND parent, int x, int y, int width, int height, uint32_t style,
                     const std::string& text, HFONT font) {
  DWORD window_style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_WANTRETURN;
  if (style & MB_RIGHT) window_style |= ES_RIGHT;
  const DWORD ex_style = (style & MB_RTLREADING) ? WS_EX_RTLREADING : 0;
  HWND control = ::CreateWindowExA(ex_style, "RICHEDIT", "", window_style, x, y, width, height, parent,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (control == nullptr) return nullptr;

  ::SendMessageA(control, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageA(control, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_WINDOW)));

  const RichText rich = ParseRichText(text);
  ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rich.plain.c_str()));
  CHARFORMATA bold{};
  bold.cbSize = sizeof(bold);
  // A bold run is also explicitly upright, not underlined and not struck out.
  bold.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  bold.dwEffects = CFE_BOLD;
  for (size_t i = 0; i < rich.starts.size(); ++i) {
    CHARRANGE range{rich.starts[i], rich.ends[i]};
    ::SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    ::SendMessageA(control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&bold));
  }
  CHARRANGE start{0, 0};
  ::SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));

  const TextSize size = MeasureRichText(control, font, rich.plain);
  ResizeAndRead(control, size.width + 10, size.height);
  // Bold glyphs are wider than the measurement, which used the regular weight.
  if (!rich.starts.empty()) {
    FitRichLabelWidth(size.width, size.height, [&](int w) { return ResizeAndRead(control, w, size.height); });
  }
  return control;
}

TextSize MeasureRichText(HWND control, HFONT font, const std::string& plain) {
  FontContext context(control, font);
  if (context.Get() == nullptr) return {};
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(context.Get(), &metrics);
  LOGFONTA logfont{};
  ::GetObjectA(font, sizeof(logfont), &logfont);
  const int line_height = RichTextLineHeight(metrics.tmHeight, metrics.tmExternalLeading, logfont.lfFaceName);
  return MeasureRichLines(plain, line_height, [&](std::string_view line) {
    SIZE extent{};
    ::GetTextExtentPoint32A(context.Get(), line.data(), static_cast<int>(line.size()), &extent);
    return static_cast<int>(extent.cx);
  });
}

bool NoteRichLabelResizeRequest(LPARAM notify) {
  const auto* header = reinterpret_cast<const NMHDR*>(notify);
  if (header == nullptr || header->code != EN_REQUESTRESIZE) return false;
  const auto* request = reinterpret_cast<const REQRESIZE*>(notify);
  g_last_request = {request->rc.right - request->rc.left, request->rc.bottom - request->rc.top};
  return true;
}

TextSize LastRichLabelRequest() { return g_last_request; }
