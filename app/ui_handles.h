#pragma once

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "core/unique_resource.h"

namespace app {

struct IconTraits {
  using Type = HICON;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { DestroyIcon(h); }
};
struct ImageListTraits {
  using Type = HIMAGELIST;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ImageList_Destroy(h); }
};
struct GdiObjectTraits {
  using Type = HGDIOBJ;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { DeleteObject(h); }
};
// Item identifier lists come from the shell allocator, which CoTaskMemFree frees.
struct PidlTraits {
  using Type = PIDLIST_ABSOLUTE;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type p) noexcept { CoTaskMemFree(p); }
};
struct MenuTraits {
  using Type = HMENU;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { DestroyMenu(h); }
};

using UniqueIcon = core::UniqueResource<IconTraits>;
using UniqueImageList = core::UniqueResource<ImageListTraits>;
using UniqueGdiObject = core::UniqueResource<GdiObjectTraits>;
using UniquePidl = core::UniqueResource<PidlTraits>;
using UniqueMenu = core::UniqueResource<MenuTraits>;

}  // namespace app
