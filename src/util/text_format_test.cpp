// Tests of the text formatters: the MB thresholds and rounding, calendar
// arithmetic around the clock's 1899 origin, the fixed date formats and the
// range of the random numbers.
#include "util/text_format.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int64_t kMB = 1048576;

TEST(FormatMBTest, DecimalsDependOnTheSize) {
  struct Case {
    int64_t bytes;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {15 * kMB, "15.0"},
      {kMB * 3 / 2, "1.50"},
      {kMB / 2, "0.500"},
      {0, "0.000"},
      {-5 * kMB, "0.000"},
      {INT64_MIN, "0.000"},
      {1, "0.000"},
      {kMB - 1, "1.000"},      // below 1 MB: three decimals, even when it rounds to 1
      {kMB, "1.00"},           // exactly 1 MB takes two decimals
      {10 * kMB, "10.00"},     // exactly 10 is not above 10
      {10 * kMB + 1, "10.0"},  // anything above 10 takes one
      {1536 * kMB, "1536.0"},  // no thousands separator
      {123456789012345, "117737568.9"},
      {kMB * 5 / 4, "1.25"},
      {kMB * 21 / 2, "10.5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatMB(c.bytes), c.expected) << c.bytes;
  }
}

struct DateCase {
  int64_t seconds;
  int year, month, day, hour, minute, second;
};

TEST(DateTimeFromSecondsTest, CountsFromTheLastDaysOf1899) {
  constexpr int64_t kDay = 86400;
  const std::vector<DateCase> cases = {
      {0, 1899, 12, 30, 0, 0, 0},
      {kDay + 3661, 1899, 12, 31, 1, 1, 1},
      {2 * kDay, 1900, 1, 1, 0, 0, 0},
      {61 * kDay, 1900, 3, 1, 0, 0, 0},  // 1900 had no 29 February
      {-1, 1899, 12, 29, 23, 59, 59},
      {25569 * kDay, 1970, 1, 1, 0, 0, 0},
      {36585 * kDay, 2000, 2, 29, 0, 0, 0},  // 2000 did
      {36586 * kDay - 1, 2000, 2, 29, 23, 59, 59},
      {46365 * kDay + 45296, 2026, 12, 9, 12, 34, 56},
      {2958465 * kDay + kDay - 1, 9999, 12, 31, 23, 59, 59},
  };
  for (const auto& c : cases) {
    const DateTimeParts p = DateTimeFromSeconds(c.seconds);
    EXPECT_EQ(std::vector<int>({p.year, p.month, p.day, p.hour, p.minute, p.second}),
              std::vector<int>({c.year, c.month, c.day, c.hour, c.minute, c.second}))
        << c.seconds;
  }
}

TEST(DateTextTest, FixedFormats) {
  struct Case {
    DateTimeParts when;
    std::string date, date_time, stamp;
  };
  const std::vector<Case> cases = {
      {{2026, 12, 9, 7, 5, 3}, "09-DEC-2026", "09-DEC-2026 07:05:03", "09/12/26 07:05:03"},
      {{2000, 1, 31, 23, 59, 59}, "31-JAN-2000", "31-JAN-2000 23:59:59", "31/01/00 23:59:59"},
      {{987, 5, 1, 0, 0, 0}, "01-MAY-0987", "01-MAY-0987 00:00:00", "01/05/87 00:00:00"},
      // A month outside 1 to 12 has no name rather than a wrong one.
      {{2026, 13, 1, 0, 0, 0}, "01--2026", "01--2026 00:00:00", "01/13/26 00:00:00"},
      {{2026, 0, 1, 0, 0, 0}, "01--2026", "01--2026 00:00:00", "01/00/26 00:00:00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DateText(c.when), c.date);
    EXPECT_EQ(DateTimeText(c.when), c.date_time);
    EXPECT_EQ(TimeStampText(c.when), c.stamp);
  }
}

TEST(DateTextTest, UsesTheLocaleSeparatorsGiven) {
  const DateTimeParts when{2026, 3, 4, 5, 6, 7};
  EXPECT_EQ(DateTimeText(when, '.'), "04-MAR-2026 05.06.07");
  EXPECT_EQ(TimeStampText(when, '.', '.'), "04.03.26 05.06.07");
}

TEST(RandomTextTest, OffsetsLowByANumberBelowTheSpan) {
  struct Case {
    int64_t high, low;
    uint64_t drawn;
    std::string expected;
    uint64_t expected_bound;  // 0: the source must not be asked
  };
  const std::vector<Case> cases = {
      {100000, 10000, 0, "10000", 90001},
      {100000, 10000, 90000, "100000", 90001},
      {100000, 10000, 12345, "22345", 90001},
      {5, 5, 0, "5", 1},
      {4, 5, 0, "5", 0},  // empty range: low
      {-1, -10, 3, "-7", 10},
      {INT64_MAX, INT64_MIN, 0, std::to_string(INT64_MIN), UINT64_MAX},
  };
  for (const auto& c : cases) {
    uint64_t asked = 0;
    const std::string text = RandomText(c.high, c.low, [&](uint64_t bound) {
      asked = bound;
      return c.drawn;
    });
    EXPECT_EQ(text, c.expected) << c.high << " " << c.low;
    EXPECT_EQ(asked, c.expected_bound) << c.high << " " << c.low;
  }
}

TEST(RandomTextTest, ClockSeededNumbersStayInRangeAndVary) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const std::string text = RandomText(100000, 10000);
    const int64_t value = std::stoll(text);
    EXPECT_GE(value, 10000);
    EXPECT_LE(value, 100000);
    seen.insert(text);
  }
  EXPECT_GT(seen.size(), 1u);
}

}  // namespace
