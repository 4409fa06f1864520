#include "app/file_drop_target.h"

#include <shellapi.h>

#include "core/text_encoding.h"

namespace app {
namespace {

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

std::vector<std::string> PathsFromDataObject(IDataObject* data) {
  std::vector<std::string> paths;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (!data || FAILED(data->GetData(&format, &medium))) return paths;
  if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = DragQueryFileW(drop, i, nullptr, 0);
      std::wstring path(length + 1, L'\0');
      DragQueryFileW(drop, i, path.data(), length + 1);
      path.resize(length);
      paths.push_back(core::WideToUtf8(path));
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return paths;
}

Microsoft::WRL::ComPtr<FileDropTarget> FileDropTarget::Register(HWND window, Handler handler) {
  Microsoft::WRL::ComPtr<FileDropTarget> target;
  target.Attach(new FileDropTarget(window, std::move(handler)));
  if (FAILED(RegisterDragDrop(window, target.Get()))) return nullptr;
  target->registered_ = true;
  return target;
}

void FileDropTarget::Revoke() noexcept {
  if (registered_) RevokeDragDrop(window_);
  registered_ = false;
}

void FileDropTarget::DeliverPending() {
  while (!pending_.empty()) {
    std::vector<std::string> paths = std::move(pending_.front());
    pending_.pop_front();
    handler_(std::move(paths));
  }
}

HRESULT FileDropTarget::QueryInterface(REFIID riid, void** object) noexcept {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG FileDropTarget::AddRef() noexcept { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG FileDropTarget::Release() noexcept {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

// The cursor while dragging: copy, move with Shift, refused with Ctrl+Shift; always one of the
// effects the source allows.
DWORD FileDropTarget::EffectFor(DWORD keys, DWORD allowed) const noexcept {
  if (!accepting_) return DROPEFFECT_NONE;
  DWORD effect = DROPEFFECT_COPY;
  if ((keys & MK_SHIFT) && (keys & MK_CONTROL)) {
    effect = DROPEFFECT_NONE;
  } else if (keys & MK_SHIFT) {
    effect = DROPEFFECT_MOVE;
  }
  return effect & allowed;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) noexcept {
  FORMATETC format = FileListFormat();
  accepting_ = data && data->QueryGetData(&format) == S_OK;
  if (effect) *effect = EffectFor(keys, *effect);
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD keys, POINTL, DWORD* effect) noexcept {
  if (effect) *effect = EffectFor(keys, *effect);
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() noexcept {
  accepting_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
  FORMATETC format = FileListFormat();
  const bool isFileList = data && data->QueryGetData(&format) == S_OK;
  accepting_ = false;
  // The program never takes the files over: a move reported to the source (a file manager)
  // makes it delete its originals. Whatever the keys, a drop is a copy.
  if (effect) *effect = isFileList ? (*effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
  if (!isFileList) return S_OK;
  try {
    std::vector<std::string> paths = PathsFromDataObject(data);
    if (paths.empty()) return S_OK;
    pending_.push_back(std::move(paths));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  PostMessageA(window_, kDropArrived, 0, 0);
  return S_OK;
}

}  // namespace app
