// Tests of the message box's window-free rules: button sets, heading, style,
// geometry, focus wrapping and the keys that choose a button.
#include "ui/message_box_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MsgBoxButtonsTest, SetsAndResultCodes) {
  struct Case {
    uint32_t style;
    std::vector<int> captions;
    std::vector<int> results;
  };
  const std::vector<Case> cases = {
      {0x0, {0}, {1}},
      {0x1, {0, 1}, {1, 2}},
      {0x2, {4, 5, 6}, {3, 4, 5}},
      {0x3, {2, 3, 1}, {6, 7, 2}},
      {0x4, {2, 3}, {6, 7}},
      {0x5, {5, 1}, {4, 2}},
      {0x6, {}, {}},
      {0xF, {}, {}},
      {0x10000124, {2, 3}, {6, 7}},  // other bits do not change the set
  };
  for (const auto& c : cases) {
    std::vector<int> captions, results;
    for (const auto& b : MsgBoxButtons(c.style)) {
      captions.push_back(b.caption_index);
      results.push_back(b.result);
    }
    EXPECT_EQ(captions, c.captions) << std::hex << c.style;
    EXPECT_EQ(results, c.results) << std::hex << c.style;
  }
}

TEST(MsgBoxHeadingTextTest, BuiltInTitlesAreUpperCased) {
  struct Case {
    std::string title, heading;
  };
  const std::vector<Case> cases = {
      {"Error", "ERROR"},
      {"Confirm", "CONFIRM"},
      {"Attention", "ATTENTION"},
      {"error", "error"},    // the built-in titles match in their own case only
      {"rror", "RROR"},      // any part of the built-in list counts
      {"Fehler", "Fehler"},  // a translation stays as written
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MsgBoxHeadingText("Disk full", c.title), "<<b>" + c.heading + "</b><P><P>Disk full<P>")
        << c.title;
  }
}

TEST(MsgBoxEffectiveStyleTest, CharsetAndMode) {
  struct Case {
    uint32_t style;
    uintptr_t mode;
    int charset;
    uint32_t expected;
  };
  const std::vector<Case> cases = {
      {0x10, 0, 1, 0x10},
      {0x10, 0, 177, 0x180010},
      {0x10, 1, 178, 0x180010},
      {0x10, 0, 176, 0x10},
      {0x24, 2, 1, 0x10000024},
      {0x24, 3, 1, 0x24},
      {0x24, 0x12345, 177, 0x180024},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MsgBoxEffectiveStyle(c.style, c.mode, c.charset), c.expected) << c.mode << " " << c.charset;
  }
}

TEST(MsgBoxGeometryTest, OuterSize) {
  const MsgBoxFrameMetrics metrics{4, 4, 19};
  struct Case {
    int w, h, width, height;
  };
  const std::vector<Case> cases = {
      {150, 13, 360, 13 + 36 + 90 + 8 + 19},  // narrow label: wide margins, minimum width
      {300, 60, 300 + 54 + 64 + 8, 60 + 36 + 64 + 8 + 19},
      {199, 38, 199 + 54 + 128 + 8, 38 + 36 + 90 + 8 + 19},
      {200, 39, 360, 39 + 36 + 64 + 8 + 19},
      {610, 200, 610 + 54 + 64 + 8, 200 + 36 + 64 + 8 + 19},
  };
  for (const auto& c : cases) {
    const BoxRect r = MsgBoxOuterSize(c.w, c.h, metrics);
    EXPECT_EQ(r.width, c.width) << c.w << "x" << c.h;
    EXPECT_EQ(r.height, c.height) << c.w << "x" << c.h;
  }
}

TEST(MsgBoxGeometryTest, LabelAndButtons) {
  const BoxRect label = MsgBoxLabelPlace(400, 150, 151, 40);
  EXPECT_EQ(label.x, 54 + (400 - 54 - 151) / 2);
  EXPECT_EQ(label.y, (150 - 36 - 40) / 2);
  EXPECT_EQ(label.width, 151);
  EXPECT_EQ(label.y + label.height, 150 - 39);

  struct Case {
    int slot, count, x;
  };
  const std::vector<Case> cases = {{0, 1, 320}, {0, 2, 250}, {1, 2, 320},
                                   {0, 3, 180}, {1, 3, 250}, {2, 3, 320}};
  for (const auto& c : cases) {
    const BoxRect b = MsgBoxButtonPlace(400, 150, c.slot, c.count);
    EXPECT_EQ(b.x, c.x) << c.slot << "/" << c.count;
    EXPECT_EQ(b.y, 121);
    EXPECT_EQ(b.width, 70);
    EXPECT_EQ(b.height, 23);
  }
}

TEST(MsgBoxFocusSlotTest, Wraps) {
  struct Case {
    int index, count, slot;
  };
  const std::vector<Case> cases = {
      {0, 2, 0},  {1, 2, 1},  {2, 2, 0},  // 0x200 in a two-button box wraps to the first
      {-1, 2, 1}, {-1, 3, 2}, {3, 3, 0},  // left of the first, right of the last
      {-2, 2, 0}, {-2, 1, 0},             // no button focused, moving left
      {15, 3, 0}, {0, 1, 0},  {5, 0, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MsgBoxFocusSlot(c.index, c.count), c.slot) << c.index << "/" << c.count;
}

TEST(MsgBoxKeysTest, AltCharacter) {
  const MsgBoxCaptions yes_no_cancel{"&Yes", "&No", "&Cancel"};
  const MsgBoxCaptions same_letter{"&Retry", "&Redo", std::nullopt};
  const MsgBoxCaptions odd{"Ok", "&", "xY"};
  struct Case {
    const MsgBoxCaptions* captions;
    char typed;
    std::optional<int> slot;
  };
  const std::vector<Case> cases = {
      {&yes_no_cancel, 'y', 0},
      {&yes_no_cancel, 'N', 1},
      {&yes_no_cancel, 'c', 2},
      {&yes_no_cancel, 'x', std::nullopt},
      {&same_letter, 'r', 0},     // the leftmost wins
      {&odd, 'k', 0},             // second character, even without "&"
      {&odd, 'y', 2},             // typed lower case meets an upper-case caption
      {&odd, '&', std::nullopt},  // a one-character caption never matches
  };
  for (const auto& c : cases) EXPECT_EQ(MsgBoxAltKeySlot(*c.captions, c.typed), c.slot) << c.typed;
  const MsgBoxCaptions lower{"&ok", std::nullopt, std::nullopt};
  EXPECT_EQ(MsgBoxAltKeySlot(lower, 'O'), std::nullopt);  // only the typed character is folded
}

TEST(MsgBoxKeysTest, LetterKey) {
  const MsgBoxCaptions ok_cancel{"&OK", "&Cancel", std::nullopt};
  const MsgBoxCaptions same_letter{"&Retry", "&Redo", std::nullopt};
  const MsgBoxCaptions odd{"ok", "Re&try", ""};
  struct Case {
    const MsgBoxCaptions* captions;
    unsigned key;
    std::optional<int> slot;
  };
  const std::vector<Case> cases = {
      {&ok_cancel, 'O', 0},
      {&ok_cancel, 'C', 1},
      {&ok_cancel, 'Y', std::nullopt},
      {&same_letter, 'R', 1},  // the rightmost wins
      {&odd, 'O', 0},          // no "&": the first character
      {&odd, 'T', 1},          // the character after "&"
      {&odd, 'R', std::nullopt},
      {&ok_cancel, 0x0D, std::nullopt},  // not a letter
      {&ok_cancel, 0x63, 1},             // a key code in the lower-case range folds too (numeric pad 3)
  };
  for (const auto& c : cases) EXPECT_EQ(MsgBoxLetterKeySlot(*c.captions, c.key), c.slot) << c.key;
}

}  // namespace
