#pragma once

#include <string>
#include <string_view>

namespace cli {

// An entry's path: the folder as it was written, a '\' unless it already ends in a separator
// (or is empty, or a bare drive "C:"), then the name.
std::string JoinPath(std::string_view folder, std::string_view name);

// A path as people read it: the extended prefix a journal keeps taken off ("\\?\C:\x" ->
// "C:\x", "\\?\UNC\server\share" -> "\\server\share"); any other path as it is.
std::string WithoutExtendedPrefix(std::string_view path);

// Text for one line of a console: control characters (which could steer the terminal or
// break the line) become '?'.
std::string PrintableLine(std::string_view text);

}  // namespace cli
