#pragma once

#include <cstddef>
#include <string_view>

namespace cli {

// What NextCodePoint returns for a byte that does not start a valid UTF-8 sequence: this base
// plus the byte, outside Unicode, so equal stray bytes still compare equal.
inline constexpr char32_t kStrayByteBase = 0x110000;

// Decodes the code point at pos and moves past it. Overlong forms, surrogates and values past
// U+10FFFF are not valid: each of their bytes comes back alone as kStrayByteBase + byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// Terminal columns of one code point: 2 for East Asian wide and fullwidth characters (CJK,
// Hangul, fullwidth forms, most emoji), 0 for combining marks and zero-width characters,
// 1 for everything else, stray bytes included.
int CodePointWidth(char32_t codePoint);

// Columns the UTF-8 text takes on a terminal.
std::size_t DisplayWidth(std::string_view text);

}  // namespace cli
