#include "app/command_line.h"

namespace app {
namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) < 0x21; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::size_t pos = 0;
  if (!line.empty() && line[0] == '"') {
    const std::size_t close = line.find('"', 1);
    pos = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    while (pos < line.size() && line[pos] != ' ') ++pos;
  }

  std::vector<std::string> arguments;
  while (pos < line.size()) {
    if (IsSeparator(line[pos])) {
      ++pos;
    } else if (line[pos] == '"') {
      const std::size_t close = line.find('"', pos + 1);
      const std::size_t end = close == std::string_view::npos ? line.size() : close;
      arguments.emplace_back(line.substr(pos + 1, end - pos - 1));
      pos = close == std::string_view::npos ? line.size() : close + 1;
    } else {
      const std::size_t start = pos;
      while (pos < line.size() && !IsSeparator(line[pos]) && line[pos] != '"') ++pos;
      arguments.emplace_back(line.substr(start, pos - start));
    }
  }
  return arguments;
}

}  // namespace app
