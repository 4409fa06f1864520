#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/result.h"
#include "core/attribute_set.h"

namespace cli {

// A path's whole attribute word, with the platform's own bit values.
using AttributeWord = std::uint32_t;

// The core's flag bits as whole-word values.
inline constexpr AttributeWord kReadOnly = core::kReadOnly;
inline constexpr AttributeWord kHidden = core::kHidden;
inline constexpr AttributeWord kSystem = core::kSystem;
inline constexpr AttributeWord kArchive = core::kArchive;
// The four flags fstamp shows and changes; every other bit is always kept.
inline constexpr AttributeWord kFlagMask = core::kWriteMask;

// A change to the four flags: clear `clear`, then set `set` (never overlapping, both within
// kFlagMask). `exact` records that it came from "=..." (then set | clear == kFlagMask).
struct AttribSpec {
  bool exact = false;
  AttributeWord set = 0;
  AttributeWord clear = 0;
  friend bool operator==(const AttribSpec&, const AttribSpec&) = default;
};

// Reads one SPEC given as one or more words: groups of a sign and letters R, H, S, A (any case),
// joined ("+rh-s") or apart ("+R", "-H"; blanks inside a word also separate). "=RA" asks for
// exactly these flags, "=" for none; "=" appears once and never beside + or -. A letter both
// set and cleared, a sign without letters (other than "="), a letter without a sign or an
// unknown letter is an error.
Result<AttribSpec> ParseAttribSpec(const std::vector<std::string_view>& words);

// The new attribute word: bits outside kFlagMask come through unchanged.
AttributeWord ApplyAttribSpec(const AttribSpec& spec, AttributeWord current);

// The letters of the set flags among R, H, S, A, in that order ("RA"; "" for none).
std::string AttributeLetters(AttributeWord flags);

// True for a word that begins with a sign and holds only signs, R/H/S/A letters and blanks,
// with at least one letter, or is exactly "=": after --attrib's one word, the command line
// refuses such a word rather than take it as a PATH or an unknown option.
bool LooksLikeAttribChange(std::string_view word);

}  // namespace cli
