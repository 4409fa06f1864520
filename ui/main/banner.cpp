#include "ui/main/banner.h"

#include <cstring>

#include "resource_ids.h"

namespace ui::main {

Microsoft::WRL::ComPtr<IPicture> LoadBanner() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(IDR_BANNER), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return nullptr;
  const DWORD size = SizeofResource(instance, resource);
  const void* bytes = LockResource(LoadResource(instance, resource));
  if (!bytes || size == 0) return nullptr;

  // The stream takes ownership of the copy.
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  std::memcpy(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  Microsoft::WRL::ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }
  Microsoft::WRL::ComPtr<IPicture> picture;
  if (FAILED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_PPV_ARGS(&picture)))) return nullptr;
  return picture;
}

}  // namespace ui::main
