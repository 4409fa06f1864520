#pragma once

#include <string_view>

namespace cli {

// True when the text holds '*' or '?'.
bool HasWildcard(std::string_view text);

// Whether a file name matches a pattern of its last path part: '*' stands for any run of
// characters (also none), '?' for exactly one character (a code point, not a byte). ASCII
// letters match in either case; other characters only as they are (the platform may fold
// more). "*.*" matches every name, as people used to the old prompt expect. Time grows with
// name length times pattern length at worst, never exponentially.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// A path cut after its last '\' or '/' (or after a drive "C:" when there is none): "dir\*.txt"
// -> {"dir\", "*.txt"}, "*.txt" -> {"", "*.txt"}.
struct PathParts {
  std::string_view folder;
  std::string_view lastPart;
};
PathParts SplitLastPart(std::string_view path);

// Name order for expanded wildcards: ASCII letters compared without case, ties broken by the
// exact bytes, so the order is total and the same on every platform.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace cli
