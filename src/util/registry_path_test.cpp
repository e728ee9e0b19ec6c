// Tests of registry path splitting and of the text that raw registry values
// give: root names in every spelling, paths without a root, and values of
// each type at the edges of their rules.
#include "util/registry_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TEST(RootKeyOfTest, KnowsLongAndShortNamesInAnyCase) {
  const std::vector<std::pair<std::string, RegRoot>> cases = {
      {"HKEY_CLASSES_ROOT", RegRoot::kClassesRoot},
      {"hkcr", RegRoot::kClassesRoot},
      {"HKEY_CURRENT_USER", RegRoot::kCurrentUser},
      {"hkcu", RegRoot::kCurrentUser},
      {"hkey_local_machine", RegRoot::kLocalMachine},
      {"HKLM", RegRoot::kLocalMachine},
      {"HKEY_USERS", RegRoot::kUsers},
      {"Hku", RegRoot::kUsers},
      {"HKEY_CURRENT_CONFIG", RegRoot::kCurrentConfig},
      {"HKCC", RegRoot::kCurrentConfig},
      {"HKEY_DYN_DATA", RegRoot::kDynData},
      {"hkdd", RegRoot::kDynData},
      // Anything else is the current user's root.
      {"HKLM2", RegRoot::kCurrentUser},
      {"HKEY_LOCAL", RegRoot::kCurrentUser},
      {" HKLM", RegRoot::kCurrentUser},
      {"", RegRoot::kCurrentUser},
      {"Software", RegRoot::kCurrentUser},
  };
  for (const auto& [name, root] : cases) EXPECT_EQ(RootKeyOf(name), root) << "[" << name << "]";
}

TEST(SplitRegPathTest, SplitsAtTheFirstBackslashOnlyAfterARootName) {
  struct Case {
    std::string path;
    RegRoot root;
    std::string sub_key;
  };
  const std::vector<Case> cases = {
      {"HKLM\\Software\\X", RegRoot::kLocalMachine, "Software\\X"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", RegRoot::kLocalMachine,
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"},
      {"  hkcr\\.txt\\  ", RegRoot::kClassesRoot, ".txt\\"},
      {"HKU\\.DEFAULT", RegRoot::kUsers, ".DEFAULT"},
      // No root name: the whole trimmed path under the current user.
      {"Software\\X", RegRoot::kCurrentUser, "Software\\X"},
      {"  Software\\X  ", RegRoot::kCurrentUser, "Software\\X"},
      {"\\HKLM\\Software", RegRoot::kCurrentUser, "\\HKLM\\Software"},
      // A root alone has an empty sub-key.
      {"HKLM", RegRoot::kLocalMachine, ""},
      {"hklm\\", RegRoot::kLocalMachine, ""},
      // "HK" opens a root name even when the name is unknown: the text before
      // the backslash is dropped and the root is the current user's.
      {"HKXY\\Software\\X", RegRoot::kCurrentUser, "Software\\X"},
      {"HKSoftware", RegRoot::kCurrentUser, ""},
      {"HKLM \\Software", RegRoot::kCurrentUser, "Software"},
      {"", RegRoot::kCurrentUser, ""},
  };
  for (const auto& c : cases) {
    const RegPath split = SplitRegPath(c.path);
    EXPECT_EQ(split.root, c.root) << "[" << c.path << "]";
    EXPECT_EQ(split.sub_key, c.sub_key) << "[" << c.path << "]";
  }
}

TEST(RegValueTextTest, FollowsTheRuleOfEachType) {
  constexpr uint32_t kSz = 1, kExpandSz = 2, kBinary = 3, kBigEndianDword = 5, kQword = 11;
  struct Case {
    uint32_t type;
    std::string bytes;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {kSz, "hello\0"s, "hello"},
      {kSz, "hello"s, "hello"},
      {kSz, "a\0b\0"s, "a"},
      {kSz, ""s, ""},
      {kExpandSz, "%TEMP%\\x\0"s, "%TEMP%\\x"},
      {kBinary, "ab\0cd"s, "ab"},
      // DWORDs are little-endian and unsigned.
      {kRegTypeDword, "\xFF\xFF\xFF\xFF"s, "4294967295"},
      {kRegTypeDword, "\x01\x02\x00\x00"s, "513"},
      {kRegTypeDword, "\0\0\0\0"s, "0"},
      {kRegTypeDword, "\0\0\0\x80"s, "2147483648"},
      // Only a 4-byte DWORD is a number; other sizes read as text.
      {kRegTypeDword, "12\0"s, "12"},
      {kRegTypeDword, "12345"s, "12345"},
      {kBigEndianDword, "\0\0\0\x01"s, ""},
      {kQword, "AB\0\0\0\0\0\0"s, "AB"},
      // Multi-strings show the zero bytes between their strings.
      {kRegTypeMultiSz, "a\0b\0\0"s, "a<0>b"},
      {kRegTypeMultiSz, "one\0two\0three\0\0"s, "one<0>two<0>three"},
      {kRegTypeMultiSz, "a\0\0b\0\0"s, "a<0><0>b"},
      {kRegTypeMultiSz, "abc"s, "abc"},
      {kRegTypeMultiSz, "a\0\0\0"s, "a"},
      {kRegTypeMultiSz, "\0\0\0"s, ""},
      // Up to 2 bytes the plain rule applies.
      {kRegTypeMultiSz, "\0\0"s, ""},
      {kRegTypeMultiSz, "a\0"s, "a"},
      {kRegTypeMultiSz, "ab"s, "ab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegValueText(c.type, c.bytes), c.expected) << "type " << c.type << " size " << c.bytes.size();
  }
}

}  // namespace
