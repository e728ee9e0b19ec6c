// Tests of the INI and registry readers on real files and registry keys:
// round trips, the cases that fall back to the default, value types and
// sizes, root names and the registry view.
#include "util/settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "util/files.h"
#include "util/win32_handle.h"

namespace {

using namespace std::string_literals;

// A fresh INI file under the system's temporary folder for each test.
class IniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = TempDir(true) + "dvx_settings_test_" + std::to_string(::GetCurrentProcessId()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    ::DeleteFileA(file_.c_str());
  }
  void TearDown() override { ::DeleteFileA(file_.c_str()); }

  std::string file_;
};

TEST_F(IniTest, StringsAndNumbersComeBackAsWritten) {
  const std::vector<std::pair<std::string, std::string>> strings = {
      {"Plain", "value"},  {"Blanks", "a value with blanks"}, {"Path", "C:\\Program Files\\App\\app.exe"},
      {"Equals", "x=y;z"}, {"Long", std::string(10240, 'L')},
  };
  for (const auto& [key, value] : strings) ASSERT_TRUE(WriteIniString(file_, "Main", key, value)) << key;
  for (const auto& [key, value] : strings)
    EXPECT_EQ(ReadIniString(file_, "Main", key, "default"), value) << key;

  const std::vector<int64_t> numbers = {0, -1, 4294967296, std::numeric_limits<int64_t>::min(),
                                        std::numeric_limits<int64_t>::max()};
  for (const int64_t number : numbers) {
    ASSERT_TRUE(WriteIniInt64(file_, "Numbers", "N", number));
    EXPECT_EQ(ReadIniInt64(file_, "Numbers", "N", 7), number);
    EXPECT_EQ(ReadIniString(file_, "Numbers", "N", ""), std::to_string(number));
  }
}

TEST_F(IniTest, WhatIsMissingEmptyOrNoNumberGivesTheDefault) {
  ASSERT_TRUE(
      WriteToFile(file_,
                  "[Main]\r\nEmpty=\r\nBlank=   \r\nText=abc\r\nMixed=12abc\r\nHuge=9223372036854775808\r\n"
                  "Spaced=  42  \r\n[Other]\r\nOnly=here\r\n"));
  struct Case {
    std::string file, section, key, text;
    int64_t number;
  };
  const std::string missing_file = file_ + ".missing";
  const std::vector<Case> cases = {
      {file_, "Main", "Empty", "default", 7},
      {file_, "Main", "Blank", "default", 7},
      {file_, "Main", "Missing", "default", 7},
      {file_, "Main", "Only", "default", 7},
      {file_, "NoSection", "Text", "default", 7},
      {missing_file, "Main", "Text", "default", 7},
      {file_, "Main", "Text", "abc", 7},
      {file_, "Main", "Mixed", "12abc", 7},
      {file_, "Main", "Huge", "9223372036854775808", 7},
      {file_, "Main", "Spaced", "42", 42},
      // Section and key names ignore case.
      {file_, "main", "TEXT", "abc", 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadIniString(c.file, c.section, c.key, "default"), c.text) << c.section << "." << c.key;
    EXPECT_EQ(ReadIniInt64(c.file, c.section, c.key, 7), c.number) << c.section << "." << c.key;
  }
  EXPECT_EQ(::GetFileAttributesA(missing_file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(IniTest, AValueLongerThanTheBufferIsCut) {
  ASSERT_TRUE(WriteIniString(file_, "Main", "Long", std::string(12000, 'x')));
  EXPECT_EQ(ReadIniString(file_, "Main", "Long", "default"), std::string(10240, 'x'));
}

TEST_F(IniTest, AnEmptySectionNameGivesTheDefaultWithoutReadingTheFile) {
  // The system's reader (Wine's at least) files keys above the first section
  // header under a section without a name, so reading one would show.
  const std::string content = "Key=unnamed\r\n[Main]\r\nKey=named\r\n";
  ASSERT_TRUE(WriteToFile(file_, content));
  EXPECT_EQ(ReadIniString(file_, "", "Key", "default"), "default");
  EXPECT_EQ(ReadIniInt64(file_, "", "Key", -5), -5);
  EXPECT_EQ(ReadIniString(file_, "Main", "Key", "default"), "named");
  EXPECT_EQ(ReadFileText(file_), content);
}

TEST(RootKeyHandleTest, MatchesTheSystemHandles) {
  const std::vector<std::pair<RegRoot, HKEY>> cases = {
      {RegRoot::kClassesRoot, HKEY_CLASSES_ROOT},     {RegRoot::kCurrentUser, HKEY_CURRENT_USER},
      {RegRoot::kLocalMachine, HKEY_LOCAL_MACHINE},   {RegRoot::kUsers, HKEY_USERS},
      {RegRoot::kCurrentConfig, HKEY_CURRENT_CONFIG}, {RegRoot::kDynData, HKEY_DYN_DATA},
  };
  for (const auto& [root, handle] : cases)
    EXPECT_EQ(RootKeyHandle(root), handle) << static_cast<uint32_t>(root);
}

void SetValue(HKEY root, const std::string& sub_key, REGSAM view, const std::string& name, DWORD type,
              const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(
      ::RegCreateKeyExA(root, sub_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr),
      ERROR_SUCCESS)
      << sub_key;
  const RegKey owner(key);
  ASSERT_EQ(::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
            ERROR_SUCCESS)
      << name;
}

std::string Dword(uint32_t value) {
  return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
          static_cast<char>(value >> 24)};
}

// A key of the test's own under the current user, removed afterwards.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sub_key_ = "Software\\DunvexTest" + std::to_string(::GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, sub_key_.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
  }
  void TearDown() override {
    EXPECT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, sub_key_.c_str()), ERROR_SUCCESS);
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, sub_key_.c_str(), view, 0);
    }
  }

  std::string sub_key_;
};

TEST_F(RegistryTest, ValuesOfEachTypeReadAsText) {
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Sz", REG_SZ, "hello world\0"s);
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Expand", REG_EXPAND_SZ, "%TEMP%\\x\0"s);
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Dword", REG_DWORD, Dword(4294967295u));
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Dword513", REG_DWORD, Dword(513));
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Multi", REG_MULTI_SZ, "a\0b\0\0"s);
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Binary", REG_BINARY, "ab\0cd"s);
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Empty", REG_SZ, "\0"s);
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "", REG_SZ, "the key's own value\0"s);
  // The buffer holds 10241 bytes: a string of 10240 characters with its zero
  // byte fits, one more character does not.
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Fits", REG_SZ, std::string(10240, 'f') + '\0');
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "TooLarge", REG_SZ, std::string(10241, 't') + '\0');

  struct Case {
    std::string name, expected;
  };
  const std::vector<Case> cases = {
      {"Sz", "hello world"},   {"Expand", "%TEMP%\\x"},     {"Dword", "4294967295"},
      {"Dword513", "513"},     {"Multi", "a<0>b"},          {"Binary", "ab"},
      {"Empty", ""},           {"", "the key's own value"}, {"Fits", std::string(10240, 'f')},
      {"TooLarge", "default"}, {"Missing", "default"},
  };
  const std::string path = "HKCU\\" + sub_key_;
  for (const auto& c : cases) {
    EXPECT_EQ(ReadRegString(path, c.name, "default", kUse64BitRegistryView), c.expected)
        << "[" << c.name << "]";
  }
}

TEST_F(RegistryTest, PathsNameTheirRootOrTheCurrentUser) {
  SetValue(HKEY_CURRENT_USER, sub_key_, 0, "Where", REG_SZ, "user\0"s);
  SetValue(HKEY_LOCAL_MACHINE, sub_key_, 0, "Where", REG_SZ, "machine\0"s);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"HKEY_CURRENT_USER\\" + sub_key_, "user"},
      {"hkcu\\" + sub_key_, "user"},
      {sub_key_, "user"},
      {"  " + sub_key_ + "  ", "user"},
      {"HKLM\\" + sub_key_, "machine"},
      {"  hkey_local_machine\\" + sub_key_, "machine"},
      // An unknown root name stands for the current user.
      {"HKXX\\" + sub_key_, "user"},
      {"HKU\\" + sub_key_, "default"},
      {"HKCU\\" + sub_key_ + "\\Missing", "default"},
      {"HKCU", "default"},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(ReadRegString(path, "Where", "default", kUse64BitRegistryView), expected) << path;
  }
}

TEST_F(RegistryTest, TheViewFlagReadsThe64BitView) {
  BOOL wow64 = FALSE;
  if (sizeof(void*) == 4 && (!::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64))
    GTEST_SKIP() << "a 32-bit system has a single view";
  // Machine software keys have a 32-bit and a 64-bit view on 64-bit Windows.
  SetValue(HKEY_LOCAL_MACHINE, sub_key_, KEY_WOW64_64KEY, "View", REG_SZ, "64\0"s);
  SetValue(HKEY_LOCAL_MACHINE, sub_key_, KEY_WOW64_32KEY, "View", REG_SZ, "32\0"s);
  const std::string path = "HKLM\\" + sub_key_;
  EXPECT_EQ(ReadRegString(path, "View", "default", true), "64");
  // Without the flag a program reads the view of its own bitness.
  EXPECT_EQ(ReadRegString(path, "View", "default", false), sizeof(void*) == 8 ? "64" : "32");
}

}  // namespace
