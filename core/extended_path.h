#pragma once

#include <string>
#include <string_view>

namespace core {

// The form in which a path reaches the wide file calls: absolute, with the \\?\ prefix
// (\\?\UNC\server\share\... for a network path). With the prefix the platform neither
// shortens nor rewrites the path, so paths past 260 characters, names ending in a dot or a
// blank, and names such as CON or nul.txt all reach the file they name.
//
// Without the prefix Win32 does the rewriting itself; here only what a user means by a path
// is kept: '/' counts as '\', doubled separators, "." and ".." are resolved (never above the
// root), a trailing separator is dropped (a drive root keeps its own). A relative path is
// taken relative to currentFolder (an absolute folder); a path rooted without a drive
// ("\dir") takes the drive or share of currentFolder; "X:dir" is taken as "X:\dir" unless
// X is currentFolder's drive. A path that already has a \\?\ or \\.\ prefix is left as it
// is. An empty path stays empty. Both arguments and the result are UTF-8.
std::string ExtendedPath(std::string_view path, std::string_view currentFolder);

}  // namespace core
