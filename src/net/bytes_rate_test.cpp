// Tests of the transfer meter: units and their thresholds, the thousands
// separators, the sample window and the 500 ms refresh of the rate, and the
// tick count's wrap.
#include "net/bytes_rate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr int64_t kKiB = 1024;
constexpr int64_t kMiB = 1048576;

TEST(ThousandsSepTest, GroupsTheDigitsLeftOfThePoint) {
  struct Case {
    std::string text;
    char separator;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"1234567", ',', "1,234,567"},   // seven digits: after the first and the fourth
      {"12345.6", ',', "12,345.6"},    // five before the point: after the second
      {"123456.0", ',', "123,456.0"},  // no separator in front of the first digit
      {"123.4567", ',', "123.4567"},   // decimals are never grouped
      {"1000.0", ',', "1,000.0"},
      {"12", ',', "12"},
      {"", ',', ""},
      {".12345", ',', ".12345"},      // nothing left of the point
      {"1.2.3456", ',', "1.2.3456"},  // the first point counts
      {"-123.5", ',', "-123.5"},      // a sign is not a digit
      {"-1234567.0", ',', "-1,234,567.0"},
      {"+1234", ',', "+1,234"},
      {"-", ',', "-"},
      {"1234567.0", ' ', "1 234 567.0"},  // the locale's separator
      {"1234567.0", '\'', "1'234'567.0"},
      {"1234567.0", '\xA0', "1\xA0" + "234\xA0"s + "567.0"},  // a byte above ASCII
      {"1234567.0", '.', "1,234,567.0"},                      // would read as decimal points
      {"1234567.0", '\0', "1,234,567.0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ThousandsSep(c.text, c.separator), c.expected) << "'" << c.text << "' '" << c.separator << "'";
  }
  EXPECT_EQ(ThousandsSep("9876543.21"), "9,876,543.21");
}

TEST(SizeTextTest, OneDecimalWithSeparators) {
  struct Case {
    int64_t value, unit;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {0, kKiB, "0.0"},
      {500 * kKiB, kKiB, "500.0"},
      {1500 * kKiB, kKiB, "1,500.0"},
      {15 * kMiB, kMiB, "15.0"},
      {3 * kMiB / 2, kMiB, "1.5"},
      {1126, kKiB, "1.1"},            // 1.0996
      {1280, kKiB, "1.3"},            // exactly 1.25: halves go up
      {1228, kKiB, "1.2"},            // 1.1992
      {52, 1040, "0.1"},              // exactly 0.05
      {51, 1040, "0.0"},              // 0.049
      {kKiB - 1, kKiB, "1.0"},        // rounding carries into the units
      {0xFFFFFFFF, kMiB, "4,096.0"},  // the largest 32-bit size
      {1234567 * kMiB, kMiB, "1,234,567.0"},
      {INT64_MAX, 1, "9,223,372,036,854,775,807.0"},
      {INT64_MIN, 1, "-9,223,372,036,854,775,808.0"},
      {-1536, kKiB, "-1.5"},
      {-1, kKiB, "0.0"},  // no "-0.0"
      {5, 0, "5.0"},      // no unit: plain count instead of a division by zero
      {5, -3, "5.0"},
      {1, INT64_MAX, "0.0"},
      {INT64_MAX, INT64_MAX, "1.0"},
      {INT64_MAX - 1, INT64_MAX, "1.0"},
      {INT64_MAX / 10 * 3, INT64_MAX, "0.3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SizeText(c.value, c.unit), c.expected) << c.value << " / " << c.unit;
  }
  EXPECT_EQ(SizeText(1500 * kKiB, kKiB, ' '), "1 500.0");
}

TEST(BytesRateTest, SizesInTheUnitOfTheMode) {
  struct Case {
    bool kilobytes, megabytes;
    uint32_t total, received;
    char separator;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {true, false, 1500 * kKiB, 500 * kKiB, ',', "500.0/1,500.0 KB"},
      {false, true, 15 * kMiB, 0, ',', "0.0/15.0 MB"},
      {true, true, 15 * kMiB, 3 * kMiB / 2, ',', "1.5/15.0 MB"},  // megabytes win
      {false, false, 1000, 250, ',', "250/1000 Bytes"},
      {false, false, 102400, 102400, ',', "102400/102400 Bytes"},  // byte counts are never grouped
      // Counts from 2^31 up stay positive.
      {false, false, 0xFFFFFFFF, 3000000000u, ',', "3000000000/4294967295 Bytes"},
      {false, true, 0xFFFFFFFF, 2000 * kMiB, '.', "2,000.0/4,096.0 MB"},
      {true, false, 2000 * kKiB, 1234 * kKiB, ' ', "1 234.0/2 000.0 KB"},
  };
  for (const auto& c : cases) {
    TBytesRate meter(c.kilobytes, c.megabytes, c.separator);
    EXPECT_EQ(meter.Text(c.total, c.received, 8192, 100000), c.expected);
  }
}

// Five samples `step_ms` apart, each of `chunk` bytes; the rate of the fifth.
std::string RateAfterFiveChunks(uint32_t chunk, uint32_t step_ms, uint32_t start_ms = 100000) {
  TBytesRate meter(false, false);
  std::string rate;
  for (uint32_t i = 0; i < 5; ++i) rate = meter.RateText(chunk, start_ms + i * step_ms);
  return rate;
}

TEST(BytesRateTest, RateOfTheLastFourChunksInKilobytesPerSecond) {
  struct Case {
    uint32_t chunk, step_ms;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {1024, 100, "10.00"},  // 4 KiB in 0.4 s
      {1024, 1, "1000.00"}, {8192, 7, "1142.86"},
      {1000, 300, "3.26"},  {32, 250, "0.13"},                 // exactly 0.125: halves go up
      {0, 100, "0.00"},     {0xFFFFFFFF, 1, "4194303999.02"},  // 16 GiB in 4 ms does not overflow
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RateAfterFiveChunks(c.chunk, c.step_ms), c.expected) << c.chunk << " every " << c.step_ms;
  }
}

TEST(BytesRateTest, FirstFourSamplesShowSizesOnly) {
  TBytesRate meter(false, true);
  const uint32_t total = 15 * kMiB;
  // The first chunk is outside the window of the fifth sample: its size must not count.
  const std::vector<uint32_t> chunks = {1000000, 1024, 1024, 1024, 1024};
  std::vector<std::string> texts;
  uint32_t received = 0;
  for (size_t i = 0; i < chunks.size(); ++i) {
    received += chunks[i];
    texts.push_back(meter.Text(total, received, chunks[i], 5000 + 100 * static_cast<uint32_t>(i)));
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"1.0/15.0 MB", "1.0/15.0 MB", "1.0/15.0 MB", "1.0/15.0 MB",
                                             "1.0/15.0 MB   -   10.00 KB/Sec"}));
}

TEST(BytesRateTest, RateIsRefreshedAtMostEvery500Milliseconds) {
  TBytesRate meter(true, false);
  std::string rate;
  for (uint32_t t = 1000; t <= 1400; t += 100) rate = meter.RateText(1024, t);
  ASSERT_EQ(rate, "10.00");

  // Four times faster chunks, but within 500 ms of the last rate: it stays.
  EXPECT_EQ(meter.RateText(4096, 1401), "10.00");
  EXPECT_EQ(meter.Text(3000, 2000, 4096, 1700), "2.0/2.9 KB   -   10.00 KB/Sec");
  EXPECT_EQ(meter.RateText(4096, 1900), "10.00");  // exactly 500 ms is not more
  // 16 KiB in the 501 ms from 1400 to 1901.
  EXPECT_EQ(meter.RateText(4096, 1901), "31.94");
}

TEST(BytesRateTest, NoRateWhileNoTimePassed) {
  TBytesRate meter(false, false);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(meter.RateText(8192, 7777), "") << i;
  // Time moves again: 25 KiB in the 10 ms of the window.
  for (int i = 0; i < 3; ++i) meter.RateText(8192, 7777);
  EXPECT_EQ(meter.RateText(1024, 7787), "2500.00");
}

TEST(BytesRateTest, TickCountWrapAndZeroTick) {
  // Across the wrap of the 32-bit tick count the window is still 400 ms.
  EXPECT_EQ(RateAfterFiveChunks(1024, 100, 0xFFFFFF00u), "10.00");
  // A clock that starts at 0 gives its rate at the fifth sample as any other.
  EXPECT_EQ(RateAfterFiveChunks(1024, 100, 0), "10.00");
}

TEST(BytesRateTest, ResetStartsANewWindow) {
  TBytesRate meter(false, false);
  for (uint32_t t = 1000; t <= 1400; t += 100) meter.RateText(1024, t);
  ASSERT_EQ(meter.RateText(1024, 1401), "10.00");
  meter.Reset();
  for (uint32_t t = 1500; t <= 1800; t += 100) EXPECT_EQ(meter.RateText(2048, t), "") << t;
  // No wait for 500 ms after the last rate of the earlier window.
  EXPECT_EQ(meter.RateText(2048, 1900), "20.00");
}

}  // namespace
