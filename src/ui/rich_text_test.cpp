// Tests of the rich-text tag language and of the label's size arithmetic.
#include "ui/rich_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ParseCase {
  const char* name;
  std::string text;
  std::string plain;
  std::vector<uint16_t> starts;
  std::vector<uint16_t> ends;
};

TEST(ParseRichTextTest, Cases) {
  const std::vector<ParseCase> cases = {
      {"plain text", "Hello", "Hello", {}, {}},
      {"empty", "", "", {}, {}},
      {"breaks around a question", "<P>Continue with Setup?<P>", "\r\nContinue with Setup?\r\n", {}, {}},
      {"unknown tag stays",
       "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue",
       "Please insert DISK #<DISK_NUM> and press OK to continue",
       {14},
       {30}},
      {"lower-case tags", "<b>INTERNET DOWNLOAD</b><p><p>Text", "INTERNET DOWNLOAD\r\n\r\nText", {0}, {17}},
      {"wrapper heading", "<<b>ERROR</b><P><P>Disk full<P>", "ERROR\r\n\r\nDisk full\r\n", {0}, {5}},
      {"heading mark only at the start", "x<<b>y</b>", "x<y", {2}, {3}},
      {"heading mark is case-exact", "<<B>y</B>", "<y", {1}, {2}},
      {"close before open", "x</B><B>y</B>", "xy", {}, {}},
      {"open without close", "a<B>b", "ab", {}, {}},
      {"empty run", "a<B></B>b", "ab", {}, {}},
      {"two runs", "<B>a</B>-<b>bc</b>", "a-bc", {0, 2}, {1, 4}},
      // The inner "<B>" is still in the text when the first run is recorded.
      {"open inside a run", "<B>a<B>b</B>c</B>", "abc", {0, 1}, {5, 3}},
      {"escaped break and tab", "a\\\\nb\\\\tc", "a\r\nb\tc", {}, {}},
      {"escapes are case-exact", "a\\\\Nb\\\\Tc", "a\\\\Nb\\\\Tc", {}, {}},
      {"tab tags", "a<t>b<T>c", "a\tb\tc", {}, {}},
      {"break counts two characters", "<P><B>x</B>", "\r\nx", {2}, {3}},
      {"other tags are text", "<I>i</I> <?> <BR>", "<I>i</I> <?> <BR>", {}, {}},
      {"bytes above 127 do not fold", "\xe9<b>\xe0</b>", "\xe9\xe0", {1}, {2}},
  };
  for (const auto& c : cases) {
    const RichText parsed = ParseRichText(c.text);
    EXPECT_EQ(parsed.plain, c.plain) << c.name;
    EXPECT_EQ(parsed.starts, c.starts) << c.name;
    EXPECT_EQ(parsed.ends, c.ends) << c.name;
  }
}

TEST(ParseRichTextTest, OffsetsWrapAt16Bits) {
  const std::string text = std::string(70000, 'a') + "<B>b</B>";
  const RichText parsed = ParseRichText(text);
  ASSERT_EQ(parsed.starts.size(), 1u);
  EXPECT_EQ(parsed.starts[0], static_cast<uint16_t>(70000));
  EXPECT_EQ(parsed.ends[0], static_cast<uint16_t>(70001));
  EXPECT_EQ(parsed.plain.size(), 70001u);
}

TEST(RichTextLineHeightTest, OnePixelMoreForMsPGothic) {
  EXPECT_EQ(RichTextLineHeight(13, 0, "Tahoma"), 13);
  EXPECT_EQ(RichTextLineHeight(13, 2, "Tahoma"), 15);
  EXPECT_EQ(RichTextLineHeight(13, 0, "MS PGothic"), 14);
  EXPECT_EQ(RichTextLineHeight(13, 0, "  ms pgothic "), 14);
  EXPECT_EQ(RichTextLineHeight(13, 0, "MS Gothic"), 13);
}

struct MeasureCase {
  const char* name;
  std::string plain;
  int width;
  int height;
  std::vector<std::string> measured;
};

TEST(MeasureRichLinesTest, Cases) {
  // Each character is 10 pixels wide except "W" (1300) and "w" (599); rows are 13 high.
  auto extent_of = [](std::string_view line) {
    int cx = 0;
    for (char c : line) cx += c == 'W' ? 1300 : c == 'w' ? 599 : 10;
    return cx;
  };
  const std::vector<MeasureCase> cases = {
      {"one line", "abc", 40, 13, {"abc"}},
      {"empty text is one space", "", 20, 13, {" "}},
      {"final break adds no row", "\r\nab\r\n", 30, 26, {"", "ab"}},
      {"empty line between breaks counts", "a\r\n\r\nb", 20, 39, {"a", "", "b"}},
      {"two breaks at the end", "a\r\n\r\n", 20, 13, {"a"}},
      {"lone CR and LF stay in the line", "a\rb\nc", 60, 13, {"a\rb\nc"}},
      {"1300 pixels take three rows", "W", 600, 39, {"W"}},
      {"599 pixels take one row", "w", 600, 13, {"w"}},
      {"600 pixels take two rows", "wa", 600, 26, {"wa"}},
      {"widest line sets the width", "abc\r\na", 40, 26, {"abc", "a"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> measured;
    const TextSize size = MeasureRichLines(c.plain, 13, [&](std::string_view line) {
      measured.emplace_back(line);
      return extent_of(line);
    });
    EXPECT_EQ(size.width, c.width) << c.name;
    EXPECT_EQ(size.height, c.height) << c.name;
    EXPECT_EQ(measured, c.measured) << c.name;
  }
}

TEST(FitRichLabelWidthTest, StopsAtFirstWidthThatFits) {
  std::vector<int> widths;
  FitRichLabelWidth(100, 26, [&](int width) {
    widths.push_back(width);
    return TextSize{width + 5, width >= 120 ? 26 : 39};
  });
  EXPECT_EQ(widths, (std::vector<int>{100, 110, 120}));
}

TEST(FitRichLabelWidthTest, FallsBackToWidestRequestPlusTen) {
  std::vector<int> widths;
  FitRichLabelWidth(100, 26, [&](int width) {
    widths.push_back(width);
    // Never fits; asks for most at the third try.
    return TextSize{widths.size() == 3 ? 450 : 90, 39};
  });
  ASSERT_EQ(widths.size(), 22u);
  EXPECT_EQ(widths.front(), 100);
  EXPECT_EQ(widths[20], 300);
  EXPECT_EQ(widths.back(), 460);
}

TEST(FitRichLabelWidthTest, FallbackNeverNarrowerThanStart) {
  int last = 0;
  FitRichLabelWidth(100, 13, [&](int width) {
    last = width;
    return TextSize{20, 14};
  });
  EXPECT_EQ(last, 110);
}

}  // namespace
