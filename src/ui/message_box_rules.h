// The message box's decisions that need no window: the heading, the button
// sets, the geometry and which button a key picks. Slots are the three button
// places, 0 on the left; a slot without a button has no caption entry.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MsgBoxButton {
  int caption_index;  // item of the captions list
  int result;         // Win32 button code
};

// Buttons of the style's set (bits 0-3), left to right; none for 6 to 15.
std::vector<MsgBoxButton> MsgBoxButtons(uint32_t style);

// The text of a box in heading mode: the title (upper-cased when it is one of
// the built-in titles, exactly as written there) as a bold first line.
std::string MsgBoxHeadingText(const std::string& text, const std::string& title);

// The style as the box is asked for: right-to-left for the Hebrew and Arabic
// charsets (177, 178), the Close command disabled in mode 2.
uint32_t MsgBoxEffectiveStyle(uint32_t style, uintptr_t mode, int charset);

struct MsgBoxFrameMetrics {
  int cx_frame;
  int cy_frame;
  int cy_caption;
};

struct BoxRect {
  int x, y, width, height;
};

// Outer size of the box around a label of the given window size.
BoxRect MsgBoxOuterSize(int label_width, int label_height, const MsgBoxFrameMetrics& metrics);
// Where the label goes in a client area of the given size.
BoxRect MsgBoxLabelPlace(int client_width, int client_height, int label_width, int label_height);
// Button in `slot` of a set of `count`, for the given client size.
BoxRect MsgBoxButtonPlace(int client_width, int client_height, int slot, int count);

// The slot that the focus step gives to index `index` with `count` buttons
// (one negative index wraps once; then the remainder of a truncating
// division, so -1 with no button focused still lands on a button).
int MsgBoxFocusSlot(int index, int count);

using MsgBoxCaptions = std::array<std::optional<std::string>, 3>;

// Alt+character: a button whose caption's second character is the typed one
// (or the typed one upper-cased); the leftmost such button.
std::optional<int> MsgBoxAltKeySlot(const MsgBoxCaptions& captions, char typed);
// A key whose code read as a character and upper-cased is a letter: the
// button whose access character (after the first "&", else the first
// character) is that letter in any case; the rightmost such button.
std::optional<int> MsgBoxLetterKeySlot(const MsgBoxCaptions& captions, unsigned key_code);
