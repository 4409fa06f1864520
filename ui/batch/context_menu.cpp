#include "ui/batch/context_menu.h"

#include <utility>

#include "app/ui_handles.h"

namespace ui::batch {
int ShowPopupMenu(HWND owner, std::span<const PopupItem> items, POINT at) {
  app::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return 0;
  for (const PopupItem& item : items) {
    if (item.command == 0) {
      AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(item.command),
                  item.caption);
    }
  }
  // The choice comes back as the result rather than as a posted WM_COMMAND, so the caller runs
  // it while the state it computed for this opening still holds.
  constexpr UINT kFlags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
  if (const auto& standIn = ScopedPopupMenu::Current()) return standIn(menu.get(), owner, at, kFlags);
  return static_cast<int>(TrackPopupMenu(menu.get(), kFlags, at.x, at.y, 0, owner, nullptr));
}

}  // namespace ui::batch
