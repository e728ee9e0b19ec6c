// Tag parsing and size arithmetic of the rich label. Tags are found in an
// upper-cased twin of the text that is edited in step with it, so a position
// found in the twin is valid in the text.
#include "ui/rich_text.h"

#include <algorithm>

#include "util/string_ops.h"

namespace {

void EraseBoth(std::string& text, std::string& upper, int position, size_t count) {
  text.erase(static_cast<size_t>(position - 1), count);
  upper.erase(static_cast<size_t>(position - 1), count);
}

}  // namespace

RichText ParseRichText(std::string_view source) {
  RichText result;
  std::string text = ConvertEscapes(source);
  // The heading mark: the wrappers put one extra "<" in front of a bold heading.
  if (StartsWith("<<b>", text, false)) text.erase(0, 1);
  std::string upper = UpperCaseAscii(text);

  for (;;) {
    const int open = Pos("<B>", upper);
    if (open == 0) break;
    EraseBoth(text, upper, open, 3);
    // Searched from the start again: a "</B>" left before this "<B>" closes
    // nothing and is found first, so this run stays regular.
    const int close = Pos("</B>", upper);
    if (close > open) {
      EraseBoth(text, upper, close, 4);
      result.starts.push_back(static_cast<uint16_t>(open - 1));
      result.ends.push_back(static_cast<uint16_t>(close - 1));
    }
  }
  for (int close = Pos("</B>", upper); close != 0; close = Pos("</B>", upper)) {
    EraseBoth(text, upper, close, 4);
  }
  result.plain = std::move(text);
  return result;
}

int RichTextLineHeight(int tm_height, int tm_external_leading, std::string_view face) {
  return tm_height + tm_external_leading + (SameTextTrimmed(face, "MS PGothic") ? 1 : 0);
}

TextSize MeasureRichLines(std::string_view plain, int line_height,
                          const std::function<int(std::string_view line)>& extent) {
  TextSize size;
  // An empty text still takes one row; a space gives it a width.
  std::string_view rest = plain.empty() ? std::string_view(" ") : plain;
  bool more = true;
  while (more) {
    const size_t brk = rest.find("\r\n");
    std::string_view line = rest;
    if (brk == std::string_view::npos) {
      rest = {};
    } else {
      line = rest.substr(0, brk);
      rest = rest.substr(brk + 2);
    }
    // A break at the very end adds no row; an empty line between two breaks does.
    more = !rest.empty();
    if (line.empty() && rest.empty()) break;
    const int cx = extent(line);
    size.width = std::max(size.width, cx + 10);
    size.height += (cx / kRichTextMaxWidth + 1) * line_height;
  }
  size.width = std::min(size.width, kRichTextMaxWidth);
  return size;
}

void FitRichLabelWidth(int width, int height, const std::function<TextSize(int width)>& resize) {
  int widest_asked = width;
  for (int step = 0; step <= 20; ++step) {
    const TextSize asked = resize(width + 10 * step);
    if (asked.height <= height) return;
    widest_asked = std::max(widest_asked, asked.width);
  }
  resize(widest_asked + 10);
}
