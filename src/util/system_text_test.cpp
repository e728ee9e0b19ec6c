// Tests of the last-error text and the millisecond clock.
#include "util/system_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(LastErrorTextTest, GivesTheSystemTextWithoutLineBreak) {
  for (const DWORD code : {DWORD(ERROR_FILE_NOT_FOUND), DWORD(ERROR_ACCESS_DENIED), DWORD(ERROR_SUCCESS)}) {
    ::SetLastError(code);
    const std::string text = LastErrorText();
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << code << ": " << text;
    EXPECT_EQ(text.find("not available"), std::string::npos) << code << ": " << text;
    EXPECT_EQ(::GetLastError(), code);
  }
}

TEST(LastErrorTextTest, NamesCodesWithoutSystemText) {
  const std::pair<DWORD, std::string> cases[] = {
      {0x80070002u, "System error text not available (code 2147942402)"},  // top bit set
      {0xE0000001u, "System error text not available (code 3758096385)"},
      {0x1FFFFFF0u, "System error text not available (code 536870896)"},  // no such message
  };
  for (const auto& [code, notice] : cases) {
    ::SetLastError(code);
    EXPECT_EQ(LastErrorText(), notice);
    EXPECT_EQ(::GetLastError(), code);
  }
}

TEST(MsClockTest, FollowsElapsedTime) {
  const int64_t start = MsClock();
  ::Sleep(100);
  const int64_t elapsed = MsClock() - start;
  EXPECT_GE(elapsed, 95);
  EXPECT_LT(elapsed, 1000);
  EXPECT_LE(start, MsClock());
}

}  // namespace
