#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui::batch {

// Reports a run's failed paths (in row order) in one box, one path per line. A list longer
// than the box shows is cut, and the whole list goes to the clipboard, so that none is lost.
void ShowFailedPaths(HWND owner, const std::vector<std::string>& paths);

}  // namespace ui::batch
