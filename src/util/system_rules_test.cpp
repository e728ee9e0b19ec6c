// Tests of the pure rules behind the system queries: the developer switch's
// value, centring in a work area, point scaling, whole-number text and the
// 64-bit clamps.
#include "util/system_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

TEST(DeveloperModeValueTest, OnlyTheExactValueSwitchesItOn) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"847", true},   {"", false},     {"8470", false},
      {"0847", false}, {" 847", false}, {"847 ", false},
      {"84", false},   {"848", false},  {std::string("847\0", 4), false},
  };
  for (const auto& [value, on] : cases) EXPECT_EQ(IsDeveloperModeValue(value), on) << "[" << value << "]";
}

TEST(CenteredInTest, HalvesTheSpareRoomTruncatingTowardZero) {
  struct Case {
    WorkArea area;
    int width, height;
    int x, y;
  };
  const std::vector<Case> cases = {
      {{0, 0, 1024, 768}, 300, 200, 362, 284},
      {{0, 0, 1024, 738}, 301, 201, 361, 268},
      // A work area that does not start at the origin (task bar left or top).
      {{60, 30, 1280, 1024}, 400, 300, 470, 377},
      // Larger than the area: the spare room is negative and -1 / 2 is 0.
      {{0, 0, 800, 600}, 801, 603, 0, -1},
      {{10, 10, 20, 20}, 40, 40, -5, -5},
      // A monitor left of the primary one has negative coordinates.
      {{-1920, 0, 0, 1080}, 101, 100, -1011, 490},
      {{0, 0, 0, 0}, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const WindowOrigin at = CenteredIn(c.area, c.width, c.height);
    EXPECT_EQ(at.x, c.x) << c.width << "x" << c.height;
    EXPECT_EQ(at.y, c.y) << c.width << "x" << c.height;
  }
}

TEST(PointsToPixelsAtTest, RoundsHalfAwayFromZero) {
  struct Case {
    int points, ppi, pixels;
  };
  const std::vector<Case> cases = {
      {72, 96, 96},  {8, 96, 11},
      {9, 96, 12},   {10, 96, 13},
      {3, 96, 4},    {1, 108, 2},
      {1, 36, 1},    {1, 35, 0},
      {-8, 96, -11}, {-1, 36, -1},
      {0, 96, 0},    {8, 120, 13},
      {12, 144, 24}, {1000000, 1000, 13888889},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PointsToPixelsAt(c.points, c.ppi), c.pixels) << c.points << "@" << c.ppi;
}

TEST(FloatToFixedTest, RoundsToAWholeNumberWithoutSeparators) {
  const std::vector<std::pair<double, std::string>> cases = {
      {0.0, "0"},
      {-0.0, "0"},
      {-0.4, "0"},
      {0.5, "1"},
      {1.5, "2"},
      {2.5, "3"},
      {-2.5, "-3"},
      {1234567.49, "1234567"},
      {-1234567.5, "-1234568"},
      {1e20, "100000000000000000000"},
      {9007199254740993.0, "9007199254740992"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FloatToFixed(value), text) << value;
}

TEST(Range64Test, ClampsAcrossTheWholeRange) {
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  struct Case {
    int64_t value, low, high, expected;
  };
  const std::vector<Case> cases = {
      {5, 1, 10, 5},
      {-5, 1, 10, 1},
      {50, 1, 10, 10},
      {1, 1, 1, 1},
      {kMin, kMin + 1, kMax, kMin + 1},
      {kMax, kMin, kMax - 1, kMax - 1},
      {kMax, kMin, kMax, kMax},
      // An empty range gives its upper end whatever the value.
      {5, 10, 1, 1},
      {-5, 10, 1, 1},
      {50, 10, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EnsureRange64(c.value, c.low, c.high), c.expected)
        << c.value << " in " << c.low << ".." << c.high;
  }
  EXPECT_EQ(Min64(kMin, kMax), kMin);
  EXPECT_EQ(Max64(kMin, kMax), kMax);
  EXPECT_EQ(Min64(-1, -2), -2);
  EXPECT_EQ(Max64(-1, -2), -1);
  EXPECT_EQ(Min64(int64_t{1} << 40, 7), 7);
  EXPECT_EQ(Max64(int64_t{1} << 40, 7), int64_t{1} << 40);
}

}  // namespace
