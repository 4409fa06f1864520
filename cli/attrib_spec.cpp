#include "cli/attrib_spec.h"

#include <cstdio>
#include <optional>

namespace cli {
namespace {

struct Letter {
  char upper;
  AttributeWord flag;
};
constexpr Letter kLetters[] = {{'R', kReadOnly}, {'H', kHidden}, {'S', kSystem}, {'A', kArchive}};

AttributeWord FlagOf(char c) {
  const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  for (const Letter& letter : kLetters) {
    if (letter.upper == upper) return letter.flag;
  }
  return 0;
}

char LetterOf(AttributeWord flag) {
  for (const Letter& letter : kLetters) {
    if (letter.flag == flag) return letter.upper;
  }
  return '?';
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }


}  // namespace

Result<AttribSpec> ParseAttribSpec(const std::vector<std::string_view>& words) {
  AttributeWord set = 0;
  AttributeWord clear = 0;
  bool exact = false;
  bool relative = false;  // any + or - seen
  bool any = false;

  for (const std::string_view word : words) {
    char sign = 0;
    bool signHasLetters = false;
    const auto closeGroup = [&]() -> std::optional<Error> {
      if (sign != 0 && sign != '=' && !signHasLetters) {
        return Error{"'" + std::string(1, sign) + "' needs letters after it (R, H, S or A)"};
      }
      return std::nullopt;
    };
    for (const char c : word) {
      if (IsBlank(c)) {
        if (auto error = closeGroup()) return *error;
        sign = 0;
        continue;
      }
      if (c == '+' || c == '-' || c == '=') {
        if (auto error = closeGroup()) return *error;
        if (c == '=') {
          if (exact) return Error{"'=' may appear only once"};
          exact = true;
        } else {
          relative = true;
        }
        if (exact && relative) return Error{"'=' cannot be combined with + or -"};
        sign = c;
        signHasLetters = false;
        any = true;
        continue;
      }
      const AttributeWord flag = FlagOf(c);
      if (flag == 0) return Error{"unknown attribute letter " + DescribeCharacter(c) + " (use R, H, S or A)"};
      if (sign == 0) {
        return Error{"the letter " + DescribeCharacter(c) + " needs a sign before it: +, - or ="};
      }
      signHasLetters = true;
      if (sign == '-') {
        clear |= flag;
      } else {
        set |= flag;
      }
      if ((set & clear & flag) != 0) {
        return Error{"the flag " + std::string(1, LetterOf(flag)) + " is both set and cleared"};
      }
    }
    if (auto error = closeGroup()) return *error;
  }
  if (!any) return Error{"the attribute change is empty (e.g. +R, -H, =RA or =)"};

  AttribSpec spec;
  spec.exact = exact;
  spec.set = set;
  spec.clear = exact ? (kFlagMask & ~set) : clear;
  return spec;
}

AttributeWord ApplyAttribSpec(const AttribSpec& spec, AttributeWord current) {
  return (current & ~(spec.clear & kFlagMask)) | (spec.set & kFlagMask);
}

std::string AttributeLetters(AttributeWord flags) {
  std::string letters;
  for (const Letter& letter : kLetters) {
    if ((flags & letter.flag) != 0) letters += letter.upper;
  }
  return letters;
}

bool LooksLikeAttribChange(std::string_view word) {
  if (word.empty() || (word[0] != '+' && word[0] != '-' && word[0] != '=')) return false;
  if (word == "=") return true;
  bool hasLetter = false;
  for (const char c : word) {
    if (FlagOf(c) != 0) {
      hasLetter = true;
    } else if (c != '+' && c != '-' && c != '=' && !IsBlank(c)) {
      return false;
    }
  }
  return hasLetter;
}

}  // namespace cli
