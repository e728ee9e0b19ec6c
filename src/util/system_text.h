// Small system queries: the last error as text and a millisecond clock.
#pragma once

#include <cstdint>
#include <string>

// The system's message for the calling thread's last error code, without the
// trailing line break; a fixed notice naming the code when the system has no
// text for it (codes with the top bit set are never looked up). The last
// error code is left as it was.
std::string LastErrorText();

// Milliseconds from a fixed point (the performance counter), for measuring
// intervals.
int64_t MsClock();
