// Pure rules of the message box: button sets, heading, geometry and keys.
#include "ui/message_box_rules.h"

#include <algorithm>

#include "util/string_ops.h"

namespace {

constexpr char kBuiltInTitles[] = "|Error|Attention|Confirm|";
constexpr int kBandWidth = 54;    // dark band with the icon on the left
constexpr int kButtonStrip = 36;  // grey strip with the buttons at the bottom
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 23;

}  // namespace

std::vector<MsgBoxButton> MsgBoxButtons(uint32_t style) {
  enum { kOk = 0, kCancel = 1, kYes = 2, kNo = 3, kAbort = 4, kRetry = 5, kIgnore = 6 };
  switch (style & 0xF) {
    case 0:
      return {{kOk, 1}};
    case 1:
      return {{kOk, 1}, {kCancel, 2}};
    case 2:
      return {{kAbort, 3}, {kRetry, 4}, {kIgnore, 5}};
    case 3:
      return {{kYes, 6}, {kNo, 7}, {kCancel, 2}};
    case 4:
      return {{kYes, 6}, {kNo, 7}};
    case 5:
      return {{kRetry, 4}, {kCancel, 2}};
    default:
      return {};
  }
}

std::string MsgBoxHeadingText(const std::string& text, const std::string& title) {
  // Only the English built-in titles are shouted; a translated title is shown
  // as the translator wrote it.
  const std::string heading = Pos(title, kBuiltInTitles) > 0 ? UpperCaseAscii(title) : title;
  return "<<b>" + heading + "</b><P><P>" + text + "<P>";
}

uint32_t MsgBoxEffectiveStyle(uint32_t style, uintptr_t mode, int charset) {
  if (charset == 177 || charset == 178) style |= 0x80000 | 0x100000;
  if (mode == 2) style |= 0x10000000;
  return style;
}

BoxRect MsgBoxOuterSize(int label_width, int label_height, const MsgBoxFrameMetrics& metrics) {
  const int side = label_width < 200 ? 64 : 32;
  const int vertical = label_height < 39 ? 45 : 32;
  const int width = label_width + kBandWidth + 2 * side + 2 * metrics.cx_frame;
  const int height = label_height + kButtonStrip + 2 * vertical + 2 * metrics.cy_frame + metrics.cy_caption;
  return {0, 0, std::max(width, 360), height};
}

BoxRect MsgBoxLabelPlace(int client_width, int client_height, int label_width, int label_height) {
  const int x = kBandWidth + (client_width - kBandWidth - label_width) / 2;
  const int y = (client_height - kButtonStrip - label_height) / 2;
  // Down to two pixels above the separator lines.
  return {x, y, label_width, client_height - y - 39};
}

BoxRect MsgBoxButtonPlace(int client_width, int client_height, int slot, int count) {
  const int from_right = count - 1 - slot;
  return {client_width - 80 - kButtonWidth * from_right, client_height - 29, kButtonWidth, kButtonHeight};
}

int MsgBoxFocusSlot(int index, int count) {
  if (count <= 0) return -1;
  if (index < 0) index += count;
  return index % count;
}

std::optional<int> MsgBoxAltKeySlot(const MsgBoxCaptions& captions, char typed) {
  std::optional<int> slot;
  for (int i = 2; i >= 0; --i) {
    const auto& caption = captions[static_cast<size_t>(i)];
    if (!caption || caption->size() < 2) continue;
    const char c = (*caption)[1];
    if (c == typed || c == UpperAscii(typed)) slot = i;
  }
  return slot;
}

std::optional<int> MsgBoxLetterKeySlot(const MsgBoxCaptions& captions, unsigned key_code) {
  const char letter = UpperAscii(static_cast<char>(key_code & 0xFF));
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  std::optional<int> slot;
  for (int i = 0; i <= 2; ++i) {
    const auto& caption = captions[static_cast<size_t>(i)];
    if (!caption || caption->empty()) continue;
    const size_t amp = caption->find('&');
    const size_t at = amp == std::string::npos ? 0 : amp + 1;
    if (at < caption->size() && UpperAscii((*caption)[at]) == letter) slot = i;
  }
  return slot;
}
