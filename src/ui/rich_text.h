// The tag language of message-box texts ("<P>", "<T>", "<B>" ... "</B>") and
// the arithmetic that sizes a label for it. Pure: the measuring of a line in
// pixels and the resizing of a control come in as callbacks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct RichText {
  std::string plain;             // tags removed; line breaks are CR LF
  std::vector<uint16_t> starts;  // one entry per bold run, in the order found
  std::vector<uint16_t> ends;    // exclusive; CR and LF count one each
};

// Offsets are held in 16 bits as the label's callers always have; an offset
// past 65535 wraps.
RichText ParseRichText(std::string_view text);

struct TextSize {
  int width = 0;
  int height = 0;
};

// Height of one row of text: the font's height plus its external leading, one
// pixel more for "MS PGothic", whose glyphs otherwise touch the next row.
int RichTextLineHeight(int tm_height, int tm_external_leading, std::string_view face);

// Lines longer than this wrap in the label; it is also the widest a label gets.
constexpr int kRichTextMaxWidth = 600;

// Size of a plain text laid out in rows of `line_height`: `extent` gives the
// pixel width of one line (tabs not expanded). Every started 600 pixels of a
// line count as one row; the width is the widest line plus 10, at most 600.
TextSize MeasureRichLines(std::string_view plain, int line_height,
                          const std::function<int(std::string_view line)>& extent);

// Widens a label with bold runs until the control no longer asks for more
// height than `height`: `resize` sets the control's width (height stays
// `height`) and returns the size the control asked for after that. Leaves the
// control at the width that fitted, or at the widest width it asked for + 10.
void FitRichLabelWidth(int width, int height, const std::function<TextSize(int width)>& resize);
