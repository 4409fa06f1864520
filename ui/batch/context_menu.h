#pragma once

#include <windows.h>

#include <functional>
#include <span>

#include "app/seam.h"

// The batch list's pop-up menu: built anew for each opening, with the states computed for it.
namespace ui::batch {

struct PopupItem {
  int command;  // 0 for a separator
  const char* caption;
  bool enabled;
};

// Builds the items as a pop-up menu (a disabled item greyed), shows it at the screen point,
// owned by owner, and returns the command chosen, or 0 when the menu was dismissed. The
// menu is destroyed before this returns.
int ShowPopupMenu(HWND owner, std::span<const PopupItem> items, POINT at);

// Stands in for the modal tracking of the menu while it lives (tests: a real pop-up menu runs
// its own loop until a real click). Gets the built menu, owner, point and flags, and returns
// the command to report (0 for a dismissed menu).
using TrackMenuFunction = std::function<int(HMENU menu, HWND owner, POINT at, UINT flags)>;
using ScopedPopupMenu = app::Seam<struct PopupMenuTag, TrackMenuFunction>;

}  // namespace ui::batch
