#include "cli/wildcard.h"

#include <algorithm>
#include <string>

#include "cli/text_width.h"

namespace cli {
namespace {

char32_t FoldAscii(char32_t c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

std::u32string Decode(std::string_view text) {
  std::u32string codePoints;
  codePoints.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) codePoints += FoldAscii(NextCodePoint(text, pos));
  return codePoints;
}

unsigned char FoldByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

// Greedy with one backtrack point: on a mismatch, the last '*' takes one more character.
// Earlier stars never need revisiting, since the last one can absorb whatever they would.
bool MatchesWildcard(std::string_view nameText, std::string_view patternText) {
  if (patternText == "*.*") patternText = "*";
  const std::u32string name = Decode(nameText);
  const std::u32string pattern = Decode(patternText);

  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starP = std::u32string::npos;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (starP != std::u32string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

PathParts SplitLastPart(std::string_view path) {
  std::size_t cut = path.find_last_of("\\/");
  if (cut != std::string_view::npos) {
    ++cut;
  } else if (path.size() >= 2 && path[1] == ':') {
    cut = 2;
  } else {
    cut = 0;
  }
  return {path.substr(0, cut), path.substr(cut)};
}

bool NameLess(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = FoldByte(a[i]);
    const unsigned char y = FoldByte(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace cli
