#include "cli/path_text.h"

namespace cli {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  const bool bareDrive = folder.size() == 2 && folder[1] == ':';
  if (!folder.empty() && !bareDrive && folder.back() != '\\' && folder.back() != '/') path += '\\';
  path += name;
  return path;
}

std::string WithoutExtendedPrefix(std::string_view path) {
  constexpr std::string_view kUnc = "\\\\?\\UNC\\";
  constexpr std::string_view kLocal = "\\\\?\\";
  if (path.substr(0, kUnc.size()) == kUnc) return "\\\\" + std::string(path.substr(kUnc.size()));
  if (path.substr(0, kLocal.size()) == kLocal) return std::string(path.substr(kLocal.size()));
  return std::string(path);
}

std::string PrintableLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return line;
}

}  // namespace cli
