// Tests of the message box and the rich label on real windows: a timer on the
// box's thread finds the open box, reads it back and presses keys by posting
// the messages that the keyboard would bring; the box's own loop must then
// end with the right result.
#include "ui/message_box.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ui/rich_label.h"
#include "ui/window_test_driver.h"
#include "util/autoplay.h"

namespace {

using namespace window_test;

struct ResultCase {
  const char* name;
  uint32_t style;
  std::string captions;
  Steps action;
  int result;
};

TEST(MessageBoxTest, KeysButtonsAndCloseGiveResultCodes) {
  const std::string defaults = kDefaultButtonCaptions;
  const std::vector<ResultCase> cases = {
      {"OK: Alt+O", MB_OK, defaults, AltChar('o'), IDOK},
      {"OK: O", MB_OK, defaults, Keys({'O'}), IDOK},
      {"OK: Enter", MB_OK, defaults, Keys({VK_RETURN}), IDOK},
      {"OK: Space", MB_OK, defaults, Keys({VK_SPACE}), IDOK},
      {"OK: click", MB_OK, defaults, ClickSlot(0), IDOK},
      {"OK: Close command", MB_OK, defaults, CloseCommand(), 0},
      {"Yes/No: Y", MB_YESNO, defaults, Keys({'Y'}), IDYES},
      {"Yes/No: N", MB_YESNO, defaults, Keys({'N'}), IDNO},
      {"Yes/No: Alt+n", MB_YESNO, defaults, AltChar('n'), IDNO},
      {"Yes/No/Cancel: Alt+C", MB_YESNOCANCEL, defaults, AltChar('C'), IDCANCEL},
      {"Abort/Retry/Ignore: I", MB_ABORTRETRYIGNORE, defaults, Keys({'I'}), IDIGNORE},
      {"Retry/Cancel: click right", MB_RETRYCANCEL, defaults, ClickSlot(1), IDCANCEL},
      {"OK/Cancel default 2: Enter", MB_OKCANCEL | MB_DEFBUTTON2, defaults, Keys({VK_RETURN}), IDCANCEL},
      {"two buttons, default 3 wraps", MB_OKCANCEL | MB_DEFBUTTON3, defaults, Keys({VK_RETURN}), IDOK},
      {"Abort/Retry/Ignore default 2", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, defaults, Keys({VK_RETURN}),
       IDRETRY},
      {"Tab Tab Enter", MB_YESNOCANCEL, defaults, Keys({VK_TAB, VK_TAB, VK_RETURN}), IDCANCEL},
      {"Left on the first wraps", MB_YESNOCANCEL, defaults, Keys({VK_LEFT, VK_RETURN}), IDCANCEL},
      {"Up on the first wraps", MB_YESNO, defaults, Keys({VK_UP, VK_RETURN}), IDNO},
      {"Right on the last wraps", MB_YESNOCANCEL | MB_DEFBUTTON3, defaults, Keys({VK_RIGHT, VK_RETURN}),
       IDYES},
      {"Down moves right", MB_YESNOCANCEL, defaults, Keys({VK_DOWN, VK_RETURN}), IDNO},
      {"Tab with one button stays", MB_OK, defaults, Keys({VK_TAB, VK_RETURN}), IDOK},
      {"translated captions", MB_YESNO, "|&OK|&Abbrechen|&Ja|&Nein|", Keys({'J'}), IDYES},
      {"caption letter without &", MB_OKCANCEL, "|Go|Stop|", Keys({'S'}), IDCANCEL},
      {"same letter: key takes the rightmost", MB_OKCANCEL, "|&Run|&Rest|", Keys({'R'}), IDCANCEL},
      {"same letter: Alt takes the leftmost", MB_OKCANCEL, "|&Run|&Rest|", AltChar('r'), IDOK},
  };
  for (const auto& c : cases) {
    const Driven outcome = RunDriven(
        [&] { return ShowMessageBox(nullptr, "Some text", "Title", c.captions, c.style); }, c.action);
    EXPECT_TRUE(outcome.found) << c.name;
    EXPECT_FALSE(outcome.closed_by_driver) << c.name;
    EXPECT_EQ(outcome.result, c.result) << c.name;
  }
}

TEST(MessageBoxTest, KeysWithoutMeaningLeaveTheBoxOpen) {
  struct Case {
    const char* name;
    Steps action;
  };
  const std::vector<Case> cases = {
      {"Esc", Keys({VK_ESCAPE})},
      {"a letter no caption has", Keys({'Z'})},
      {"Alt with a character no caption has", AltChar('z')},
      {"a quit message", {[](HWND) { ::PostQuitMessage(0); }}},
  };
  for (const auto& c : cases) {
    bool open_after = false;
    const Driven outcome = RunDriven(
        [] { return ShowMessageBox(nullptr, "Text", "Title", kDefaultButtonCaptions, MB_OKCANCEL); },
        c.action + Pause(10) + Steps{[&](HWND box) {
          open_after = ::IsWindow(box) && ::IsWindowVisible(box);
        }} + CloseCommand());
    EXPECT_TRUE(open_after) << c.name;
    EXPECT_EQ(outcome.result, 0) << c.name;
  }
}

TEST(MessageBoxTest, FocusStepMakesTheFocusedButtonTheDefault) {
  std::vector<int> default_slot;
  std::vector<int> focus_slot;
  RunDriven(
      [] {
        return ShowMessageBox(nullptr, "Text", "Title", kDefaultButtonCaptions,
                              MB_YESNOCANCEL | MB_DEFBUTTON2);
      },
      [&] {
        Step record = [&](HWND box) {
          const auto buttons = Buttons(box);
          int d = -1, f = -1;
          for (size_t i = 0; i < buttons.size(); ++i) {
            if (IsDefault(buttons[i])) d = d == -1 ? static_cast<int>(i) : 99;
            if (FocusOfBox() == buttons[i]) f = static_cast<int>(i);
          }
          default_slot.push_back(d);
          focus_slot.push_back(f);
        };
        Steps steps{record};
        for (UINT key : {VK_RIGHT, VK_TAB, VK_LEFT, VK_LEFT}) steps = steps + Keys({key}) + Steps{record};
        return steps + CloseCommand();
      }());
  EXPECT_EQ(default_slot, (std::vector<int>{1, 2, 0, 2, 1}));
  EXPECT_EQ(focus_slot, default_slot);
}

struct Geometry {
  RECT window{}, client{}, label{};
  std::vector<RECT> buttons;
  std::vector<std::string> captions;
  std::string title, label_text;
  bool close_greyed = false;
  LONG_PTR label_style = 0, label_ex_style = 0;
  HWND owner = nullptr;
  LRESULT autoplay = 0;
  std::vector<std::pair<LONG, LONG>> bold_runs;
};

RECT ClientRectOf(HWND child, HWND parent) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Bold runs of the label, found by asking for the format of every character.
std::vector<std::pair<LONG, LONG>> BoldRuns(HWND label) {
  std::vector<std::pair<LONG, LONG>> runs;
  const LONG length = static_cast<LONG>(::SendMessageA(label, WM_GETTEXTLENGTH, 0, 0));
  const std::string text = Text(label);
  for (LONG i = 0; i < length; ++i) {
    // The control reports a line break with the format of the text before
    // it; only visible characters count.
    if (static_cast<size_t>(i) < text.size() &&
        (text[static_cast<size_t>(i)] == '\r' || text[static_cast<size_t>(i)] == '\n'))
      continue;
    CHARRANGE range{i, i + 1};
    ::SendMessageA(label, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    ::SendMessageA(label, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const bool bold = (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
    if (!bold) continue;
    if (!runs.empty() && runs.back().second == i) {
      runs.back().second = i + 1;
    } else {
      runs.emplace_back(i, i + 1);
    }
  }
  CHARRANGE none{0, 0};
  ::SendMessageA(label, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
  return runs;
}

Geometry ReadBack(HWND box) {
  Geometry g;
  ::GetWindowRect(box, &g.window);
  ::GetClientRect(box, &g.client);
  HWND label = Label(box);
  g.label = ClientRectOf(label, box);
  g.label_text = Text(label);
  g.label_style = ::GetWindowLongPtrA(label, GWL_STYLE);
  g.label_ex_style = ::GetWindowLongPtrA(label, GWL_EXSTYLE);
  for (HWND b : Buttons(box)) {
    g.buttons.push_back(ClientRectOf(b, box));
    g.captions.push_back(Text(b));
  }
  g.title = Text(box);
  g.close_greyed = (::GetMenuState(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
  g.owner = ::GetWindow(box, GW_OWNER);
  g.autoplay = ::SendMessageA(box, ::RegisterWindowMessageA("QueryCancelAutoPlay"), 0, 0);
  g.bold_runs = BoldRuns(label);
  return g;
}

Geometry ShowAndRead(const std::function<int()>& show, int* result = nullptr) {
  Geometry g;
  const Driven outcome = RunDriven(show, Steps{[&](HWND box) { g = ReadBack(box); }} + CloseCommand());
  if (result != nullptr) *result = outcome.result;
  return g;
}

TEST(MessageBoxTest, ErrorWrapperShowsHeadingIconAndOneButton) {
  const Geometry g = ShowAndRead([] {
    MsgError(0, "The disk is full.", "Error");
    return 0;
  });
  EXPECT_EQ(g.title, "Error");
  EXPECT_EQ(g.label_text, "ERROR\r\n\r\nThe disk is full.\r\n");
  EXPECT_EQ(g.bold_runs, (std::vector<std::pair<LONG, LONG>>{{0, 5}}));
  EXPECT_EQ(g.captions, (std::vector<std::string>{"&OK"}));
  EXPECT_FALSE(g.close_greyed);
}

TEST(MessageBoxTest, WrapperTitlesAndModes) {
  struct Case {
    const char* name;
    std::function<void()> show;
    std::string title;
    std::string label_text;
    std::vector<std::string> captions;
    bool close_greyed;
  };
  const std::vector<Case> cases = {
      {"confirm heading",
       [] { MsgConfirm(0, "Go on?"); },
       "Confirm",
       "CONFIRM\r\n\r\nGo on?\r\n",
       {"&Yes", "&No"},
       false},
      {"attention, no heading", [] { MsgAttention(1, "Look"); }, "Attention", "Look", {"&OK"}, false},
      {"ok/cancel, Close disabled",
       [] { MsgConfirmOk(2, "Insert disk"); },
       "Confirm",
       "Insert disk",
       {"&OK", "&Cancel"},
       true},
      {"translated title stays",
       [] { MsgError(0, "Voll", "Fehler"); },
       "Fehler",
       "Fehler\r\n\r\nVoll\r\n",
       {"&OK"},
       false},
      {"own captions",
       [] { MsgConfirm(1, "?", "", "|a|b|&Sure|&Never|"); },
       "Confirm",
       "?",
       {"&Sure", "&Never"},
       false},
      {"short captions list", [] { MsgConfirmOk(1, "?", "T", "|&Go|"); }, "T", "?", {"&Go", ""}, false},
  };
  for (const auto& c : cases) {
    const Geometry g = ShowAndRead([&] {
      c.show();
      return 0;
    });
    EXPECT_EQ(g.title, c.title) << c.name;
    EXPECT_EQ(g.label_text, c.label_text) << c.name;
    EXPECT_EQ(g.captions, c.captions) << c.name;
    EXPECT_EQ(g.close_greyed, c.close_greyed) << c.name;
  }
}

TEST(MessageBoxTest, ConfirmWrappersAnswer) {
  struct Case {
    const char* name;
    std::function<bool()> ask;
    Steps action;
    bool answer;
  };
  const std::vector<Case> cases = {
      {"confirm Y", [] { return MsgConfirm(1, "?"); }, Keys({'Y'}), true},
      {"confirm N", [] { return MsgConfirm(1, "?"); }, Keys({'N'}), false},
      {"confirm Close", [] { return MsgConfirm(1, "?"); }, CloseCommand(), false},
      {"confirm-ok Enter", [] { return MsgConfirmOk(1, "?"); }, Keys({VK_RETURN}), true},
      {"confirm-ok C", [] { return MsgConfirmOk(1, "?"); }, Keys({'C'}), false},
  };
  for (const auto& c : cases) {
    const Driven outcome = RunDriven([&] { return c.ask() ? 1 : 0; }, c.action);
    EXPECT_EQ(outcome.result == 1, c.answer) << c.name;
  }
}

TEST(MessageBoxTest, Layout) {
  const std::vector<std::pair<uint32_t, std::string>> cases = {
      {MB_OK, "Short"},
      {MB_OKCANCEL, "<P>Continue with Setup?<P>"},
      {MB_ABORTRETRYIGNORE,
       "A much longer line of text that makes the label wider than two hundred pixels.<P>"
       "And a <B>second line with a bold run</B> in it.<P>Third."},
      {MB_YESNO, std::string(300, 'x')},  // longer than one row of 600 pixels
  };
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  for (const auto& [style, text] : cases) {
    const Geometry g =
        ShowAndRead([&] { return ShowMessageBox(nullptr, text, "Layout", kDefaultButtonCaptions, style); });
    const int w = g.label.right - g.label.left;
    const int width = g.window.right - g.window.left;
    const int height = g.window.bottom - g.window.top;
    const int cw = g.client.right, ch = g.client.bottom;
    const int margin = w < 200 ? 64 : 32;
    SCOPED_TRACE(text.substr(0, 20));
    EXPECT_LE(w, 610);
    EXPECT_EQ(width, std::max(360, w + 54 + 2 * margin + 2 * ::GetSystemMetrics(SM_CXFRAME)));
    EXPECT_GE(width, 360);
    EXPECT_EQ(g.window.left, work.left + (work.right - work.left - width) / 2);
    EXPECT_EQ(g.window.top, work.top + (work.bottom - work.top - height) / 2);
    EXPECT_EQ(g.label.left, 54 + (cw - 54 - w) / 2);
    EXPECT_EQ(g.label.bottom, ch - 39);
    ASSERT_FALSE(g.buttons.empty());
    for (size_t i = 0; i < g.buttons.size(); ++i) {
      const RECT& b = g.buttons[i];
      EXPECT_EQ(b.left, cw - 80 - 70 * static_cast<int>(g.buttons.size() - 1 - i));
      EXPECT_EQ(b.top, ch - 29);
      EXPECT_EQ(b.right - b.left, 70);
      EXPECT_EQ(b.bottom - b.top, 23);
    }
  }
}

// The switch is read once per process (its values are checked on the host):
// on at the first read, it stays on after the variable changes.
TEST(MessageBoxTest, DeveloperModeMovesOneQuestionAside) {
  struct Case {
    const char* dvx;
    std::string text;
    int shift;
  };
  const std::vector<Case> cases = {
      {"847", "Do you want to store the new Entry in the list?", 150},
      {"847", "Do you want to store it?", 0},
      {"846", "Do you want to store the new Entry in the list?", 150},
  };
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  for (const auto& c : cases) {
    ::SetEnvironmentVariableA("DVX", c.dvx);
    const Geometry g =
        ShowAndRead([&] { return ShowMessageBox(nullptr, c.text, "T", kDefaultButtonCaptions, MB_OK); });
    const int width = g.window.right - g.window.left;
    const int height = g.window.bottom - g.window.top;
    EXPECT_EQ(g.window.left, work.left + (work.right - work.left - width) / 2 + c.shift) << c.text;
    EXPECT_EQ(g.window.top, work.top + (work.bottom - work.top - height) / 2 + c.shift) << c.text;
  }
  ::SetEnvironmentVariableA("DVX", nullptr);
}

TEST(MessageBoxTest, RightToLeftCharsetsTurnTheLabel) {
  for (int charset : {1, 177, 178}) {
    const Geometry g =
        ShowAndRead([&] { return MsgBoxEx(1, "Text", "T", kDefaultButtonCaptions, charset, MB_OK); });
    const bool rtl = charset != 1;
    EXPECT_EQ((g.label_style & ES_RIGHT) != 0, rtl) << charset;
    EXPECT_EQ((g.label_ex_style & WS_EX_RTLREADING) != 0, rtl) << charset;
  }
}

TEST(MessageBoxTest, OwnerIsDisabledWhileOpenAndParentComesFromTheMode) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = ::DefWindowProcA;
  cls.hInstance = ::GetModuleHandleA(nullptr);
  cls.lpszClassName = "MsgBoxTestOwner";
  ::RegisterClassA(&cls);
  HWND owner = ::CreateWindowExA(0, "MsgBoxTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, cls.hInstance, nullptr);
  ASSERT_NE(owner, nullptr);
  for (MsgBoxMode mode : {MsgBoxMode{1}, reinterpret_cast<MsgBoxMode>(owner)}) {
    ::SetActiveWindow(owner);
    bool disabled_while_open = false;
    HWND box_owner = nullptr;
    RunDriven([&] { return MsgBoxEx(mode, "Text", "T", kDefaultButtonCaptions, 1, MB_OK); },
              Steps{[&](HWND box) {
                disabled_while_open = !::IsWindowEnabled(owner);
                box_owner = ::GetWindow(box, GW_OWNER);
              }} + CloseCommand());
    EXPECT_TRUE(disabled_while_open) << mode;
    EXPECT_EQ(box_owner, owner) << mode;
    EXPECT_TRUE(::IsWindowEnabled(owner)) << mode;
  }
  ::DestroyWindow(owner);
  ::UnregisterClassA("MsgBoxTestOwner", cls.hInstance);
}

TEST(MessageBoxTest, CancelsAutoPlayOnlyWhileSwitchedOn) {
  for (bool on : {true, false}) {
    SetAutoPlayCancel(on);
    const Geometry g =
        ShowAndRead([] { return ShowMessageBox(nullptr, "Insert", "T", kDefaultButtonCaptions, MB_OK); });
    EXPECT_EQ(g.autoplay, on ? 1 : 0);
  }
}

TEST(MessageBoxTest, UnregistersItsClassAfterClosing) {
  ShowAndRead([] { return ShowMessageBox(nullptr, "Text", "T", kDefaultButtonCaptions, MB_OK); });
  WNDCLASSA cls{};
  EXPECT_FALSE(::GetClassInfoA(::GetModuleHandleA(nullptr), "DMsgBox", &cls));
}

TEST(MessageBoxTest, FontSettingsReachTheLabel) {
  auto label_height_twips = [] {
    LONG height = 0;
    RunDriven([] { return ShowMessageBox(nullptr, "Text", "T", kDefaultButtonCaptions, MB_OK); },
              Steps{[&](HWND box) {
                CHARFORMATA format{};
                format.cbSize = sizeof(format);
                ::SendMessageA(Label(box), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
                height = format.yHeight;
              }} + CloseCommand());
    return height;
  };
  // Point sizes come back from the control in twentieths of a point; the
  // pixel rounding of the font allows a little slack.
  SetMsgBoxFont("Tahoma", 16, DEFAULT_CHARSET);
  EXPECT_NEAR(label_height_twips(), 16 * 20, 20);
  SetMsgBoxFont("Tahoma", 0, DEFAULT_CHARSET);
  EXPECT_NEAR(label_height_twips(), 16 * 20, 20);
  SetMsgBoxFont("Tahoma", 8, DEFAULT_CHARSET);
  EXPECT_NEAR(label_height_twips(), 8 * 20, 20);
}

TEST(RichEditLibraryTest, LoadedFromTheSystemFolderNotBesideTheProgram) {
  // The build puts a planted RICHED32.DLL beside this program.
  char own[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string planted = own;
  planted = planted.substr(0, planted.find_last_of("\\/") + 1) + "RICHED32.DLL";
  EXPECT_NE(::GetFileAttributesA(planted.c_str()), INVALID_FILE_ATTRIBUTES) << planted;

  HMODULE module = LoadRichEditLibrary();
  ASSERT_NE(module, nullptr);
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(module, path, MAX_PATH);
  char system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, static_cast<int>(length), system,
                             static_cast<int>(length)),
            CSTR_EQUAL)
      << path;
  EXPECT_EQ(::GetProcAddress(module, "PlantedRichEditMarker"), nullptr);
  ::FreeLibrary(module);
}

// A bare parent window that passes the label's size requests on, as the box does.
LRESULT CALLBACK LabelParentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY) NoteRichLabelResizeRequest(lparam);
  return ::DefWindowProcA(window, message, wparam, lparam);
}

class RichLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadRichEditLibrary();
    WNDCLASSA cls{};
    cls.lpfnWndProc = LabelParentProc;
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.lpszClassName = "RichLabelTestParent";
    ::RegisterClassA(&cls);
    parent_ = ::CreateWindowExA(0, cls.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                nullptr, cls.hInstance, nullptr);
    font_ = ::CreateFontA(-11, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Tahoma");
  }
  void TearDown() override {
    ::DestroyWindow(parent_);
    ::UnregisterClassA("RichLabelTestParent", ::GetModuleHandleA(nullptr));
    ::DeleteObject(font_);
    ::FreeLibrary(library_);
  }
  int LineHeight() {
    HDC dc = ::GetDC(parent_);
    HGDIOBJ old = ::SelectObject(dc, font_);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(parent_, dc);
    return tm.tmHeight + tm.tmExternalLeading;
  }
  SIZE SizeOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
  }

  HMODULE library_ = nullptr;
  HWND parent_ = nullptr;
  HFONT font_ = nullptr;
};

TEST_F(RichLabelTest, ShowsPlainTextWithBoldRuns) {
  struct Case {
    const char* text;
    std::string plain;
    std::vector<std::pair<LONG, LONG>> bold;
  };
  const std::vector<Case> cases = {
      {"Please insert <B>DISK #<DISK_NUM></B> and press OK to continue",
       "Please insert DISK #<DISK_NUM> and press OK to continue",
       {{14, 30}}},
      {"<b>INTERNET DOWNLOAD</b><p><p>Fetching", "INTERNET DOWNLOAD\r\n\r\nFetching", {{0, 17}}},
      {"x</B><B>y</B>", "xy", {}},
      {"<B>a</B>b<B>c</B>", "abc", {{0, 1}, {2, 3}}},
  };
  for (const auto& c : cases) {
    HWND label = CreateRichLabel(parent_, 86, 30, 100, 13, 0, c.text, font_);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(Text(label), c.plain) << c.text;
    EXPECT_EQ(BoldRuns(label), c.bold) << c.text;
    ::DestroyWindow(label);
  }
}

TEST_F(RichLabelTest, SizedToTheText) {
  const int line = LineHeight();
  HDC dc = ::GetDC(parent_);
  HGDIOBJ old = ::SelectObject(dc, font_);
  SIZE space{};
  ::GetTextExtentPoint32A(dc, " ", 1, &space);
  ::SelectObject(dc, old);
  ::ReleaseDC(parent_, dc);

  struct Case {
    std::string text;
    int rows;
  };
  const std::vector<Case> cases = {{"", 1}, {"<P>Continue with Setup?<P>", 2}, {"a<P><P>b", 3}};
  for (const auto& c : cases) {
    HWND label = CreateRichLabel(parent_, 86, 30, 100, 13, 0, c.text, font_);
    EXPECT_EQ(SizeOf(label).cy, c.rows * line) << c.text;
    if (c.text.empty()) {
      EXPECT_EQ(SizeOf(label).cx, space.cx + 20);
    }
    const TextSize measured = MeasureRichText(label, font_, ParseRichText(c.text).plain);
    EXPECT_EQ(measured.height, c.rows * line) << c.text;
    ::DestroyWindow(label);
  }
  HWND wide = CreateRichLabel(parent_, 86, 30, 100, 13, 0, std::string(400, 'W'), font_);
  EXPECT_EQ(SizeOf(wide).cx, 610);
  EXPECT_GE(SizeOf(wide).cy, 2 * line);
  ::DestroyWindow(wide);
}

TEST_F(RichLabelTest, BoldTextIsWidenedUntilItFitsItsRows) {
  // Bold glyphs are wider than the regular-weight measurement: a bold line
  // sized to its regular width would wrap into a second row.
  const std::string line(40, 'm');
  LOGFONTA logfont{};
  ::GetObjectA(font_, sizeof(logfont), &logfont);
  logfont.lfWeight = FW_BOLD;
  HFONT bold = ::CreateFontIndirectA(&logfont);
  HDC dc = ::GetDC(parent_);
  HGDIOBJ old = ::SelectObject(dc, font_);
  SIZE regular_extent{}, bold_extent{};
  ::GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &regular_extent);
  ::SelectObject(dc, bold);
  ::GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &bold_extent);
  ::SelectObject(dc, old);
  ::ReleaseDC(parent_, dc);
  ::DeleteObject(bold);
  if (bold_extent.cx <= regular_extent.cx) {
    GTEST_SKIP() << "bold glyphs of this font are no wider than regular ones here";
  }

  HWND label = CreateRichLabel(parent_, 86, 30, 100, 13, 0, "<B>" + line + "</B>", font_);
  const TextSize regular = MeasureRichText(label, font_, line);
  EXPECT_GT(SizeOf(label).cx, regular.width);
  EXPECT_EQ(SizeOf(label).cy, regular.height);
  ::SendMessageA(label, EM_REQUESTRESIZE, 0, 0);
  EXPECT_LE(LastRichLabelRequest().height, regular.height);
  ::DestroyWindow(label);
}

}  // namespace
