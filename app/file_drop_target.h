#pragma once

#include <windows.h>

#include <oleidl.h>
#include <wrl/client.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace app {

// Accepts the shell's file lists (CF_HDROP) dropped on one window and refuses any other
// data. A drop is not handled inside the drag-and-drop call: it is queued, and a posted
// kDropArrived message makes the window call DeliverPending, so the drag source is released
// at once and a long add runs from the window's own message handling.
class FileDropTarget final : public IDropTarget {
 public:
  static constexpr UINT kDropArrived = WM_APP + 0x40;
  using Handler = std::function<void(std::vector<std::string> paths)>;

  // Registers a new target on the window; null when OLE refuses (the window then simply
  // takes no drops).
  static Microsoft::WRL::ComPtr<FileDropTarget> Register(HWND window, Handler handler);
  void Revoke() noexcept;
  // Hands every queued drop, oldest first, to the handler.
  void DeliverPending();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) noexcept override;

 private:
  FileDropTarget(HWND window, Handler handler) : window_(window), handler_(std::move(handler)) {}
  ~FileDropTarget() = default;
  DWORD EffectFor(DWORD keys, DWORD allowed) const noexcept;

  LONG references_ = 1;
  HWND window_;
  Handler handler_;
  bool registered_ = false;
  bool accepting_ = false;
  std::deque<std::vector<std::string>> pending_;
};

// The paths of a shell file list, as UTF-8.
std::vector<std::string> PathsFromDataObject(IDataObject* data);

}  // namespace app
