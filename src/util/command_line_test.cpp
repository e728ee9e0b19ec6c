// Tests of the command-line readers: how the program's own name is cut off,
// how switches and their values are found, and how the engine's line loses
// the disk-span switches.
#include "util/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TailCase {
  std::string line, exe_path, expected;
};

TEST(CommandLineTailTest, DropsTheProgramNameHoweverItWasWritten) {
  const std::string exe = "C:\\Program Files\\My App\\Setup.exe";
  const std::vector<TailCase> cases = {
      {"\"C:\\Program Files\\My App\\Setup.exe\" /S /X=1", exe, "/S /X=1"},
      {"\"C:\\Program Files\\My App\\Setup.exe\"", exe, ""},
      {"\"C:\\Program Files\\My App\\Setup.exe\"   ", exe, ""},
      // Started from its folder with a different case of the name.
      {"SETUP.EXE /hide", exe, "/hide"},
      {"\"setup.EXE\" /hide", exe, "/hide"},
      // Unquoted path with blanks: everything through the name goes.
      {"C:\\Program Files\\My App\\Setup.exe  /A=x y ", exe, "/A=x y"},
      // One stray character after the name is not a tail.
      {"Setup.exe\"x", exe, ""},
      {"\"C:\\Program Files\\My App\\Setup.exe\" /", exe, ""},
      {"Setup.exe x", exe, ""},
      {"Setup.exe xy", exe, "xy"},
      // The quoted form wins even when the bare name comes first.
      {"Setup.exe \"D:\\Setup.exe\" /Q", exe, "/Q"},
      // Name not in the line at all: the line is the tail.
      {"  /S /X=1 ", exe, "/S /X=1"},
      {"", exe, ""},
      {"/S", "", "/S"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommandLineTail(c.line, c.exe_path), c.expected) << "line [" << c.line << "]";
  }
}

TEST(SwitchListTest, SplitsAtBlankFollowedBySwitchCharacter) {
  const std::string s(1, kSwitchSeparator);
  struct Case {
    std::string tail;
    char switch_char;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"/A=1 /B=x y", '/', s + s + "A=1" + s + "B=x y" + s},
      {"", '/', s + " " + s},
      {"\"/DIR=C:\\A B\" /S", '/', s + s + "DIR=C:\\A B" + s + "S" + s},
      {"/A=1 -B=2", '-', s + " /A=1" + s + "B=2" + s},
      // A slash inside a value is no switch: it lacks the blank before it.
      {"/U=http://h/x /S", '/', s + s + "U=http://h/x" + s + "S" + s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SwitchList(c.tail, c.switch_char), c.expected) << c.tail;
  }
}

struct ValueCase {
  std::string tail, name, fallback, expected;
};

TEST(SwitchValueTest, FindsValuesByNameIgnoringCase) {
  const std::string tail = "/X=1 /DIR=C:\\Program Files\\A /S";
  const std::vector<ValueCase> cases = {
      {tail, "/DIR=", "none", "C:\\Program Files\\A"},
      {tail, "X=", "none", "1"},
      {tail, "/x", "none", "1"},
      {tail, "/dir=", "none", "C:\\Program Files\\A"},
      {tail, "  /X=  ", "none", "1"},
      // Written with the other switch character: not found.
      {tail, "-X=", "none", "none"},
      // A switch without value is not a switch with an empty value.
      {tail, "/S=", "none", "none"},
      {tail, "/Y=", " none ", "none"},
      {tail, "", "none", "none"},
      {"/E= /F=2", "/E=", "none", ""},
      {"/E=   /F=2", "/E=", "none", ""},
      // Prefix of a longer name is not that name.
      {"/SpanDiskFName1=a.exe", "/SpanDiskFName=", "none", "none"},
      {"/AB=1 /B=2", "/B=", "none", "2"},
      // The first of repeated switches counts.
      {"/B=1 /B=2", "/B=", "none", "1"},
      // Quotes vanish, blanks inside stay.
      {"/OriginExe=\"C:\\My Dir\\S.exe\" /S", "/OriginExe=", "", "C:\\My Dir\\S.exe"},
      {"-L=de -V=2", "-V=", "", "2"},
      {"-L=de -V=2", "V=", "none", "none"},
      // A value runs to the next blank + switch character, slashes included.
      {"/URL=http://h/a b/c /S", "/URL=", "", "http://h/a b/c"},
      {"/A=x /B=y", "/A", "", "x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SwitchValue(c.tail, c.name, c.fallback), c.expected)
        << "tail [" << c.tail << "] name [" << c.name << "]";
  }
}

TEST(SwitchInt64Test, ReadsDecimalOrFallsBack) {
  struct Case {
    std::string tail, name;
    int64_t fallback, expected;
  };
  const std::vector<Case> cases = {
      {"/N=42 /S", "/N=", 7, 42},
      {"/N=-3", "/N=", 7, -3},
      {"/N=9223372036854775807", "/N=", 7, INT64_MAX},
      {"/N=9223372036854775808", "/N=", 7, 7},
      {"/N=4x", "/N=", 7, 7},
      {"/N=", "/N=", 7, 7},
      {"/M=1", "/N=", -1, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SwitchInt64(c.tail, c.name, c.fallback), c.expected) << c.tail;
  }
}

TEST(HasSwitchTest, NeedsTheSwitchFollowedByABlankOrTheEnd) {
  struct Case {
    std::string tail, switch_text;
    bool expected;
  };
  const std::string tail = "/X=1 /DIR=C:\\Program Files\\A /S";
  const std::vector<Case> cases = {
      {tail, "/S", true},
      {tail, "/s", true},
      {tail, " /S ", true},
      {tail, "/X=1", true},
      {tail, "/X", false},  // only the switch with its value is followed by a blank
      {tail, "/D", false},
      {"/hide /S", "/HIDE", true},
      {"/hidex", "/hide", false},
      {"/SpanCdLvl=2", "/S", false},
      {"", "/S", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HasSwitch(c.tail, c.switch_text), c.expected)
        << "tail [" << c.tail << "] switch [" << c.switch_text << "]";
  }
}

TEST(RemoveSwitchTest, CutsFromTheSwitchToTheNextSlash) {
  struct Case {
    std::string line, switch_name, expected;
  };
  const std::vector<Case> cases = {
      {"E.exe /SpanCdLvl=2 /S", "/SpanCdLvl=", "E.exe /S"},
      {"E.exe /S /SpanCdLvl=2", "/SpanCdLvl=", "E.exe /S "},
      {"E.exe /SpanDiskFName1=D:\\Disk 1.exe /TH_ID=_5", "/SpanDiskFName1=", "E.exe /TH_ID=_5"},
      // Only the first occurrence.
      {"/SpanCdLvl=1 /SpanCdLvl=2", "/SpanCdLvl=", "/SpanCdLvl=2"},
      // Case-sensitive, like the rest of the engine line's switch handling.
      {"E.exe /spancdlvl=2 /S", "/SpanCdLvl=", "E.exe /spancdlvl=2 /S"},
      {"E.exe /S", "/SpanCdLvl=", "E.exe /S"},
      {"E.exe /S", "", "E.exe /S"},
      // A slash inside the value ends the cut there.
      {"/SpanDiskFName1=C:/x.exe /S", "/SpanDiskFName1=", "/x.exe /S"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemoveSwitch(c.line, c.switch_name), c.expected) << c.line;
  }
}

TEST(RemoveSwitchTest, RemovingBothSpanSwitchesInTurnLeavesTheRest) {
  // As the engine line of a relaunched part file arrives at the setup run.
  const std::string line =
      "C:\\T\\SETUP_5\\Engine.exe /SpanCdLvl=2 /SpanDiskFName1=\"E:\\Pkg 2.exe\" /TH_ID=_9 "
      "/OriginExe=\"C:\\A\\Pkg.exe\"";
  EXPECT_EQ(RemoveSwitch(RemoveSwitch(line, "/SpanCdLvl="), "/SpanDiskFName1="),
            "C:\\T\\SETUP_5\\Engine.exe /TH_ID=_9 /OriginExe=\"C:\\A\\Pkg.exe\"");
}

}  // namespace
