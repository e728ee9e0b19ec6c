// Tests of the notice window on real windows: its layout with and without the
// button strip, resizing, the button that opens the address, the fonts, and
// how the body is read (RTF formatted, anything else literally).
#include "ui/notice_window.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <fstream>
#include <string>

#include "ui/window_test_driver.h"

namespace {

using namespace window_test;

constexpr char kNoticeClass[] = "DRichEditBox";

HWND TextControl(HWND window) { return ::FindWindowExA(window, nullptr, "RICHEDIT", nullptr); }
HWND Button(HWND window) { return ::FindWindowExA(window, nullptr, "Button", nullptr); }

RECT ChildRect(HWND child, HWND parent) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

// An address whose opening leaves a trace: a batch file that writes a marker.
struct MarkedAddress {
  std::string batch = TempPath("dunvex_notice_open.bat");
  std::string marker = TempPath("dunvex_notice_opened.txt");
  MarkedAddress() {
    ::DeleteFileA(marker.c_str());
    std::ofstream(batch) << "@echo opened> \"" << marker << "\"\r\n";
  }
  ~MarkedAddress() {
    ::DeleteFileA(batch.c_str());
    ::DeleteFileA(marker.c_str());
  }
  // The shell starts the batch file in a process of its own.
  bool Opened() const {
    for (int i = 0; i < 100; ++i) {
      if (::GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
      ::Sleep(50);
    }
    return false;
  }
};

struct Layout {
  RECT client{}, text{}, button{};
  bool has_button = false;
  bool button_is_default = false;
  bool button_has_focus = false;
};

Layout ReadLayout(HWND window) {
  Layout layout;
  ::GetClientRect(window, &layout.client);
  layout.text = ChildRect(TextControl(window), window);
  HWND button = Button(window);
  layout.has_button = button != nullptr;
  if (button != nullptr) {
    layout.button = ChildRect(button, window);
    layout.button_is_default = IsDefault(button);
    layout.button_has_focus = ::GetFocus() == button;
  }
  return layout;
}

void ExpectTextFills(const Layout& l, int strip) {
  EXPECT_EQ(l.text.left, 3);
  EXPECT_EQ(l.text.top, 0);
  EXPECT_EQ(l.text.right, l.client.right);
  EXPECT_EQ(l.text.bottom, l.client.bottom - strip);
}

void ExpectButtonCentred(const Layout& l) {
  EXPECT_EQ(l.button.left, (l.client.right - 160) / 2);
  EXPECT_EQ(l.button.top, l.client.bottom - 33);
  EXPECT_EQ(l.button.right - l.button.left, 160);
  EXPECT_EQ(l.button.bottom - l.button.top, 25);
}

TEST(NoticeWindowTest, WithoutAddressTheTextFillsTheWindow) {
  Layout layout;
  bool result = false;
  RunDriven(
      [&] {
        result = ShowNotice(nullptr, "News", "Download", "Version 2 is out.", "  ", 400, 300, "Tahoma", 8, 1);
        return 0;
      },
      Steps{[&](HWND window) { layout = ReadLayout(window); }} + CloseCommand(), kNoticeClass);
  EXPECT_TRUE(result);
  EXPECT_FALSE(layout.has_button);
  ExpectTextFills(layout, 0);
}

TEST(NoticeWindowTest, ButtonOpensTheAddressAndClosesAndFollowsResizing) {
  MarkedAddress address;
  Layout first, resized;
  bool result = false;
  const Driven outcome = RunDriven(
      [&] {
        result = ShowNotice(nullptr, "News", "Download", "Version 2 is out.", "  " + address.batch + " ", 400,
                            300, "Tahoma", 8, 1);
        return 0;
      },
      Steps{[&](HWND window) { first = ReadLayout(window); },
            [](HWND window) { ::SetWindowPos(window, nullptr, 0, 0, 520, 380, SWP_NOMOVE | SWP_NOZORDER); },
            [&](HWND window) { resized = ReadLayout(window); }} +
          Keys({VK_SPACE}),
      kNoticeClass);
  EXPECT_TRUE(result);
  EXPECT_FALSE(outcome.closed_by_driver);
  EXPECT_TRUE(address.Opened());
  ASSERT_TRUE(first.has_button);
  EXPECT_TRUE(first.button_is_default);
  EXPECT_TRUE(first.button_has_focus);
  ExpectTextFills(first, 43);
  ExpectButtonCentred(first);
  EXPECT_GT(resized.client.right, first.client.right);
  ExpectTextFills(resized, 43);
  ExpectButtonCentred(resized);
}

TEST(NoticeWindowTest, EmptyBody) {
  MarkedAddress address;
  EXPECT_FALSE(ShowNotice(nullptr, "News", "Download", "", "   ", 400, 300, "Tahoma", 8, 1));
  EXPECT_TRUE(ShowNotice(nullptr, "News", "Download", "", address.batch, 400, 300, "Tahoma", 8, 1));
  EXPECT_TRUE(address.Opened());
  EXPECT_EQ(::FindWindowA(kNoticeClass, nullptr), nullptr);
}

TEST(NoticeWindowTest, TextFontAndBody) {
  struct Case {
    const char* name;
    std::string face;
    std::string body;
    std::string text_face;
    std::string shown;
    bool first_bold;
  };
  const std::vector<Case> cases = {
      {"default face", "Tahoma", "<B>not a tag</B><P>", "Verdana", "<B>not a tag</B><P>", false},
      {"empty face", "", "plain", "Verdana", "plain", false},
      {"chosen face", "Arial", "plain", "Arial", "plain", false},
      {"face compared exactly", "tahoma", "plain", "tahoma", "plain", false},
      {"RTF body", "Tahoma", "{\\rtf1 {\\b Bold} text}", "Verdana", "Bold text", true},
  };
  for (const auto& c : cases) {
    CHARFORMATA format{};
    CHARFORMATA first{};
    std::string shown;
    RunDriven(
        [&] {
          ShowNotice(nullptr, "News", "", c.body, "", 400, 300, c.face, 8, 1);
          return 0;
        },
        Steps{[&](HWND window) {
          HWND text = TextControl(window);
          shown = Text(text);
          format.cbSize = sizeof(format);
          ::SendMessageA(text, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
          CHARRANGE range{0, 1};
          ::SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
          first.cbSize = sizeof(first);
          ::SendMessageA(text, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&first));
        }} + CloseCommand(),
        kNoticeClass);
    if (!c.first_bold) {
      EXPECT_EQ(std::string(format.szFaceName), c.text_face) << c.name;
    }
    EXPECT_EQ(shown, c.shown) << c.name;
    EXPECT_EQ((first.dwEffects & CFE_BOLD) != 0, c.first_bold) << c.name;
  }
}

}  // namespace
