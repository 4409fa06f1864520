#include "cli/text_width.h"

#include <algorithm>
#include <iterator>

namespace cli {
namespace {

struct Range {
  char32_t first;
  char32_t last;
};

// Sorted, for a binary search. A short list after Unicode's East Asian Width (W and F) and
// its zero-width classes, enough for names in Chinese, Japanese, Korean and emoji.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC}, {0x2614, 0x2615}, {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF}, {0xA960, 0xA97F}, {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F}, {0x2060, 0x2064},
    {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF},
};

template <std::size_t N>
bool InRanges(const Range (&ranges)[N], char32_t c) {
  const auto it = std::upper_bound(std::begin(ranges), std::end(ranges), c,
                                   [](char32_t value, const Range& range) { return value < range.first; });
  return it != std::begin(ranges) && c <= std::prev(it)->last;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  // Sequence length, payload bits of the lead byte, and the smallest value that needs this
  // length (anything below is an overlong form).
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    minimum = 0x10000;
  }
  bool valid = length != 0 && pos + length <= text.size();
  for (std::size_t i = 1; valid && i < length; ++i) {
    valid = IsContinuation(byte(pos + i));
    value = (value << 6) | (byte(pos + i) & 0x3F);
  }
  if (!valid || value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++pos;
    return kStrayByteBase + lead;
  }
  pos += length;
  return value;
}

int CodePointWidth(char32_t codePoint) {
  if (InRanges(kZeroWidth, codePoint)) return 0;
  if (InRanges(kWide, codePoint)) return 2;
  return 1;
}

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t pos = 0; pos < text.size();) width += CodePointWidth(NextCodePoint(text, pos));
  return width;
}

}  // namespace cli
