// Decisions behind the system queries that need no system: the developer
// switch's value, centring and point scaling arithmetic, whole-number text
// and 64-bit clamps. The Win32 layer feeds them what the system reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The environment variable that switches developer diagnostics on, and the
// test of its value (an unset variable reads as empty).
inline constexpr const char* kDeveloperModeVariable = "DVX";
bool IsDeveloperModeValue(std::string_view value);

struct WorkArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
struct WindowOrigin {
  int x = 0;
  int y = 0;
};
// The top-left corner that centres a window of the given size in the area.
// The halving truncates toward zero: an odd pixel of room is left on the
// right and bottom, and a window larger than the area by an odd amount
// sticks out one pixel further on the right and bottom.
WindowOrigin CenteredIn(const WorkArea& area, int width, int height);

// points * pixels_per_inch / 72, rounded half away from zero (as MulDiv).
int PointsToPixelsAt(int points, int pixels_per_inch);

// The value rounded half away from zero, in plain decimal digits without
// separators ("-0" never appears); "NAN", "INF" and "-INF" for the
// non-numbers.
std::string FloatToFixed(double value);

int64_t Min64(int64_t a, int64_t b);
int64_t Max64(int64_t a, int64_t b);
// The value raised to `low`, then lowered to `high`: with low > high the
// result is high.
int64_t EnsureRange64(int64_t value, int64_t low, int64_t high);
