// Tests of the byte-string helpers: replacement with its masking rules,
// stripping, positions, case folding limited to ASCII, padding, escapes and
// integer parsing.
#include "util/string_ops.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct ReplaceCase {
  std::string text, old_text, new_text, expected;
};

TEST(ReplaceStrTest, ReplacesEveryOccurrenceCaseSensitive) {
  const std::vector<ReplaceCase> cases = {
      {"a.b.c", ".", "-", "a-b-c"},
      {"aaa", "aa", "b", "ba"},     // left to right, no overlap
      {"aXa", "a", "aa", "aaXaa"},  // new containing old is not searched again
      {"abc", "", "x", "abc"},      // an empty old never occurs
      {"abc", "d", "x", "abc"},
      {"", "a", "x", ""},
      {"Hello", "hello", "x", "Hello"},  // case matters
      {"abab", "ab", "abab", "abababab"},
      {"a\0b\0"s, "\0"s, "-", "a-b-"},  // old made of the lowest byte
      {"\x01\x00\x01"s, "\x01", "z", "z\0z"s},
      {"\xe9t\xe9", "\xe9", "e", "ete"},  // bytes from 128 up
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceStr(c.text, c.old_text, c.new_text), c.expected)
        << "text '" << c.text << "' old '" << c.old_text << "'";
  }
}

TEST(ReplaceStrTest, EmptyReplacementRemovesAgainWhatClosesUp) {
  const std::vector<ReplaceCase> cases = {
      {"aabb", "ab", "", ""},    {"aabbb", "ab", "", "b"}, {"xaabbx", "ab", "", "xx"},
      {"a.b.c", ".", "", "abc"}, {"aaaa", "aa", "", ""},   {"aaa", "aa", "", "a"},
      {"cabab", "ab", "", "c"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceStr(c.text, c.old_text, c.new_text), c.expected) << c.text;
  }
}

TEST(ReplaceStrNoCaseTest, MatchesIgnoringAsciiCaseOnly) {
  const std::vector<ReplaceCase> cases = {
      {"Hello HELLO", "hello", "x", "x x"},
      {"Keep This", "this", "That", "Keep That"},  // unmatched text keeps its case
      {"AaBb", "ab", "", ""},                      // closes up as ReplaceStr does
      {"\xc9t\xe9", "\xe9", "e", "\xc9te"},        // no folding above ASCII
      {"[z]", "{Z}", "q", "[z]"},                  // [ and { are not a case pair
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceStrNoCase(c.text, c.old_text, c.new_text), c.expected) << c.text;
  }
}

// Straight rendering of the masking rule: mask each hit in a working copy and
// restart the search from the beginning every time.
std::string ReplaceByMasking(std::string text, const std::string& old_text,
                             const std::string& new_text) {
  std::string work = text;
  if (old_text.empty()) return text;
  char mask_char = 0;
  while (old_text.find(mask_char) != std::string::npos) ++mask_char;
  const std::string mask(new_text.size(), mask_char);
  for (size_t hit; (hit = work.find(old_text)) != std::string::npos;) {
    work.replace(hit, old_text.size(), mask);
    text.replace(hit, old_text.size(), new_text);
  }
  return text;
}

TEST(ReplaceStrTest, AgreesWithRestartingSearchOnRandomTexts) {
  std::mt19937 rng(12345);
  const std::string alphabet = "ab\0"s;
  auto random_text = [&](size_t max_len) {
    std::string s(rng() % (max_len + 1), ' ');
    for (char& c : s) c = alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 5000; ++round) {
    const std::string text = random_text(12);
    const std::string old_text = random_text(3);
    const std::string new_text = random_text(2);
    ASSERT_EQ(ReplaceStr(text, old_text, new_text), ReplaceByMasking(text, old_text, new_text))
        << "round " << round;
  }
}

TEST(ReplaceCharTest, ReplacesEveryByte) {
  EXPECT_EQ(ReplaceChar("a|b|c", '|', '*'), "a*b*c");
  EXPECT_EQ(ReplaceChar("a|b", '|', '|'), "a|b");
  EXPECT_EQ(ReplaceChar("\0x\0"s, '\0', '\xff'), "\xffx\xff");
}

struct StripCase {
  std::string text;
  char c;
  bool any_end, once;
  std::string expected;
};

TEST(StripCharTest, StripsEndsByFlags) {
  const std::vector<StripCase> cases = {
      {"\"\"a\"", '"', false, false, "a"},
      {"\"\"a\"", '"', false, true, "\"a"},
      {"|x|", '|', false, true, "x"},
      {"||x||", '|', false, true, "|x|"},
      {"|x", '|', false, true, "|x"},  // needs c at both ends without any-end
      {"|x", '|', true, true, "x"},
      {"x||", '|', true, false, "x"},
      {"|", '|', false, false, ""},  // c alone
      {"x", '|', true, false, "x"},
      {"", '|', true, false, ""},
      {"||", '|', false, true, ""},
      {"|||", '|', false, false, ""},
      {"\xff"
       "a\xff",
       '\xff', false, false, "a"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StripChar(c.text, c.c, c.any_end, c.once), c.expected)
        << "'" << c.text << "' any_end " << c.any_end << " once " << c.once;
  }
}

TEST(UnquoteTest, TrimsThenDropsAllOuterQuotes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"  \"C:\\Program Files\\App\"  ", "C:\\Program Files\\App"},
      {"\"\"a\"", "a"},
      {"\"a", "a"},
      {"a\"b", "a\"b"},
      {"\" a \"", " a "},  // blanks inside the quotes stay
      {"\"", ""},
      {"\t\r\n", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Unquote(text), expected) << text;
}

TEST(TextBeforeAfterTest, SplitAtFirstOccurrence) {
  struct Case {
    std::string text, sub, before, after;
  };
  const std::vector<Case> cases = {
      {"key=value=x", "=", "key", "value=x"},
      {"/Switch:=a", ":=", "/Switch", "a"},
      {"abc", "x", "", ""},
      {"abc", "", "", ""},
      {"=abc", "=", "", "abc"},
      {"abc=", "=", "abc", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextBefore(c.text, c.sub), c.before) << c.text;
    EXPECT_EQ(TextAfter(c.text, c.sub), c.after) << c.text;
  }
}

struct PosCase {
  std::string sub, text;
  int expected;
};

TEST(PositionTest, FirstAndLastOccurrence) {
  const std::vector<PosCase> first = {
      {"b", "abcb", 2}, {"x", "abc", 0}, {"", "abc", 0}, {"abcd", "abc", 0}, {"abc", "abc", 1},
  };
  for (const auto& c : first)
    EXPECT_EQ(Pos(c.sub, c.text), c.expected) << c.sub << " in " << c.text;

  const std::vector<PosCase> last = {
      {".", "a.b.c", 4}, {"aa", "aaaa", 3}, {"x", "abc", 0}, {"", "abc", 0}, {"c", "c", 1},
  };
  for (const auto& c : last)
    EXPECT_EQ(LastPos(c.sub, c.text), c.expected) << c.sub << " in " << c.text;

  const std::vector<PosCase> no_case = {
      {"EXE", "setup.exe", 7},
      {"\xe9", "\xc9", 0},
      {"`", "@", 0},
      {"", "a", 0},
  };
  for (const auto& c : no_case) EXPECT_EQ(PosNoCase(c.sub, c.text), c.expected) << c.sub;
}

TEST(PositionTest, ReversePosIsCountedInTheReversedText) {
  const std::vector<PosCase> cases = {
      {".EXE", "setup.exe", 1},   // the text ends with the substring
      {"setup", "setup.exe", 5},  // position is not converted back
      {"ab", "xbax", 0},
      {"", "abc", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReversePosNoCase(c.sub, c.text), c.expected) << c.sub;
  EXPECT_EQ(ReverseStr("ab\xff"),
            "\xff"
            "ba");
}

TEST(PositionTest, PosFromStartsAtIndex) {
  struct Case {
    std::string sub, text;
    int start, expected;
  };
  const std::vector<Case> cases = {
      {"a", "abab", 1, 1},    {"a", "abab", 2, 3},  {"a", "abab", 3, 3}, {"a", "abab", 4, 0},
      {"a", "abab", 0, 1},    {"a", "abab", -5, 1}, {"b", "abab", 4, 4}, {"b", "abab", 5, 0},
      {"b", "abab", 1000, 0}, {"", "abab", 1, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PosFrom(c.sub, c.text, c.start), c.expected) << c.sub << " from " << c.start;
  }
  EXPECT_EQ(PosFromNoCase("B", "abAb", 3), 4);
  EXPECT_EQ(PosFromNoCase("b", "ABAB", 5), 0);
}

TEST(CompareTest, StartsAndEndsWith) {
  EXPECT_TRUE(EndsWith(".EXE", "Setup.exe"));
  EXPECT_TRUE(EndsWith("", "abc"));
  EXPECT_FALSE(EndsWith("xabc", "abc"));
  EXPECT_FALSE(EndsWith(".exe", "setup.ex"));
  EXPECT_FALSE(EndsWith("\xe9", "\xc9"));

  EXPECT_TRUE(StartsWith("/Auto", "/Auto=1", false));
  EXPECT_FALSE(StartsWith("/AUTO", "/Auto=1", false));
  EXPECT_TRUE(StartsWith("/AUTO", "/Auto=1", true));
  EXPECT_FALSE(StartsWith("", "abc", true));  // an empty prefix never matches
  EXPECT_FALSE(StartsWith("", "", false));
  EXPECT_FALSE(StartsWith("abcd", "abc", true));
  EXPECT_FALSE(StartsWith("b", "ab", true));  // found, but not at position 1
}

TEST(CompareTest, SameTextTrimmedFoldsAsciiAndBlanks) {
  EXPECT_TRUE(SameTextTrimmed("  C:\\App\\Run.EXE\t", "c:\\app\\run.exe"));
  EXPECT_TRUE(SameTextTrimmed("\0a\x20"s, "A"));
  EXPECT_TRUE(SameTextTrimmed("", " \r\n"));
  EXPECT_FALSE(SameTextTrimmed("a b", "ab"));  // inner blanks count
  EXPECT_FALSE(SameTextTrimmed("\xe9", "\xc9"));
  EXPECT_FALSE(SameTextTrimmed("a\x7f", "a"));  // code 127 is not a blank
  EXPECT_FALSE(SameTextNoCase("ab", "abc"));
}

TEST(CaseTest, UpperCasesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCaseAscii("az{`@AZ"), "AZ{`@AZ");
  EXPECT_EQ(UpperCaseAscii("\xe0\xff\x80"), "\xe0\xff\x80");
  EXPECT_EQ(UpperAscii('q'), 'Q');
  EXPECT_EQ(UpperAscii('\xf1'), '\xf1');
}

TEST(TrimTest, RemovesControlAndSpaceAtBothEnds) {
  EXPECT_EQ(Trim(" \t\x01 a b\r\n\x20"), "a b");
  EXPECT_EQ(Trim("\0\0"s), "");
  EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0");  // high bytes are not blanks
  EXPECT_EQ(TrimView("  x"), "x");
}

TEST(FormatTest, PaddingAndSmallConversions) {
  EXPECT_EQ(PadLeft("42", 5, ' '), "   42");
  EXPECT_EQ(PadLeft("123456", 5, ' '), "123456");
  EXPECT_EQ(PadLeft("abc", 0, '*'), "abc");
  EXPECT_EQ(PadLeft("abc", -3, '*'), "abc");
  EXPECT_EQ(ZeroPad("7", 3), "007");
  EXPECT_EQ(IntToZeroPad(5, 2), "05");
  EXPECT_EQ(IntToZeroPad(2001, 2), "2001");
  EXPECT_EQ(IntToZeroPad(-5, 4), "00-5");  // the sign is just text to the padding
  EXPECT_EQ(IntToZeroPad(INT64_MIN, 1), "-9223372036854775808");
  EXPECT_EQ(BoolToText(true), "TRUE");
  EXPECT_EQ(BoolToText(false), "FALSE");
  EXPECT_EQ(IfThenStr(true, "a", "b"), "a");
  EXPECT_EQ(IfThenStr(false, "a", "b"), "b");
}

TEST(ConvertEscapesTest, LineAndTabMarks) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a\\\\nb", "a\r\nb"},        {"a\\\\tb", "a\tb"},
      {"a\\\\Nb", "a\\\\Nb"},  // backslash forms are case-sensitive
      {"a\\nb", "a\\nb"},      // one backslash is no escape
      {"a<P>b<p>c", "a\r\nb\r\nc"}, {"a<T>b<t>c", "a\tb\tc"},
      {"<B>x</B>", "<B>x</B>"},     {"\\\\\\\\n", "\\\\\r\n"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ConvertEscapes(text), expected) << text;
}

TEST(ParseInt64Test, DecimalWithSignAndBlanks) {
  const std::vector<std::pair<std::string, std::optional<int64_t>>> cases = {
      {"0", 0},
      {"42", 42},
      {"-42", -42},
      {"+42", 42},
      {" \t 17\r\n", 17},
      {"007", 7},
      {"9223372036854775807", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},
      {"9223372036854775808", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"- 1", std::nullopt},
      {"1 2", std::nullopt},
      {"12a", std::nullopt},
      {"0x10", std::nullopt},
      {"$10", std::nullopt},
      {"1.5", std::nullopt},
      {"\xb2", std::nullopt},  // superscript two in Latin-1
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseInt64(text), expected) << text;
}

}  // namespace
