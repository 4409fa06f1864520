#include "core/extended_path.h"

#include <algorithm>
#include <vector>

namespace core {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrive(std::string_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }

// \\?\, \\.\ and \??\ paths go to the platform untouched.
bool IsAlreadyDevicePath(std::string_view path) {
  return path.size() >= 4 && IsSeparator(path[0]) && (IsSeparator(path[1]) || path[1] == '?') &&
         (path[2] == '?' || path[2] == '.') && IsSeparator(path[3]);
}

bool IsUncPath(std::string_view path) { return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]); }

// The path's parts between separators, without empty parts and ".", with ".." taking the
// part before it away (and nothing above the first `fixed` parts).
void AppendParts(std::string_view path, std::vector<std::string_view>& parts, std::size_t fixed) {
  std::size_t pos = 0;
  while (pos <= path.size()) {
    std::size_t end = pos;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view part = path.substr(pos, end - pos);
    if (part == "..") {
      if (parts.size() > fixed) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
}

// An absolute path split into its parts, the first rootParts of which are its root: "X:",
// or server and share.
struct Parsed {
  bool unc = false;
  std::vector<std::string_view> parts;
  std::size_t rootParts = 0;
};

bool IsAbsolute(std::string_view path) {
  return IsUncPath(path) || (HasDrive(path) && path.size() > 2 && IsSeparator(path[2]));
}

Parsed ParseAbsolute(std::string_view absolute) {
  Parsed parsed;
  if (IsUncPath(absolute)) {
    parsed.unc = true;
    parsed.rootParts = 2;  // ".." never climbs above the share
    AppendParts(absolute, parsed.parts, parsed.rootParts);
  } else {
    parsed.rootParts = 1;
    parsed.parts.push_back(absolute.substr(0, 2));
    AppendParts(absolute.substr(2), parsed.parts, parsed.rootParts);
  }
  return parsed;
}

}  // namespace

std::string ExtendedPath(std::string_view path, std::string_view currentFolder) {
  if (path.empty()) return {};
  if (IsAlreadyDevicePath(path)) return std::string(path);

  Parsed parsed;
  if (IsAbsolute(path)) {
    parsed = ParseAbsolute(path);
  } else if (!IsAbsolute(currentFolder)) {
    return std::string(path);  // nothing to resolve against: the platform's own rules apply
  } else if (HasDrive(path)) {
    // "X:dir": relative to the current folder when that is on drive X, else to X's root.
    const bool sameDrive = HasDrive(currentFolder) && (currentFolder[0] | 0x20) == (path[0] | 0x20);
    if (sameDrive) {
      parsed = ParseAbsolute(currentFolder);
    } else {
      parsed.rootParts = 1;
      parsed.parts.push_back(path.substr(0, 2));
    }
    AppendParts(path.substr(2), parsed.parts, parsed.rootParts);
  } else {
    parsed = ParseAbsolute(currentFolder);
    if (IsSeparator(path[0])) parsed.parts.resize(std::min(parsed.parts.size(), parsed.rootParts));
    AppendParts(path, parsed.parts, parsed.rootParts);
  }

  std::string out = parsed.unc ? "\\\\?\\UNC\\" : "\\\\?\\";
  for (std::size_t i = 0; i < parsed.parts.size(); ++i) {
    if (i > 0) out += '\\';
    out += parsed.parts[i];
  }
  // A drive root keeps its backslash: "\\?\C:" would name the volume, not its root folder.
  if (!parsed.unc && parsed.parts.size() == 1) out += '\\';
  return out;
}

}  // namespace core
