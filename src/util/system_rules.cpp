// Pure rules of the system queries.
#include "util/system_rules.h"

#include <cmath>
#include <cstdio>

bool IsDeveloperModeValue(std::string_view value) { return value == "847"; }

WindowOrigin CenteredIn(const WorkArea& area, int width, int height) {
  // Wide arithmetic: a huge window must not wrap the halving around.
  const int64_t x = area.left + (int64_t{area.right} - area.left - width) / 2;
  const int64_t y = area.top + (int64_t{area.bottom} - area.top - height) / 2;
  return {static_cast<int>(x), static_cast<int>(y)};
}

int PointsToPixelsAt(int points, int pixels_per_inch) {
  const int64_t product = int64_t{points} * pixels_per_inch;
  const int64_t magnitude = (std::llabs(product) + 36) / 72;
  return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

std::string FloatToFixed(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  // Rounded first, so that the C library's own (half-to-even) rounding never
  // applies; adding 0.0 turns a negative zero into zero.
  const double whole = std::round(value) + 0.0;
  char text[400];
  std::snprintf(text, sizeof text, "%.0f", whole);
  return text;
}

int64_t Min64(int64_t a, int64_t b) { return a < b ? a : b; }

int64_t Max64(int64_t a, int64_t b) { return a > b ? a : b; }

int64_t EnsureRange64(int64_t value, int64_t low, int64_t high) {
  if (value < low) value = low;
  if (value > high) value = high;
  return value;
}
