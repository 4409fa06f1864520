#include "app/clipboard.h"

#include <cstring>

#include "core/text_encoding.h"
#include "core/unique_resource.h"

namespace app {
namespace {

struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type memory) noexcept { GlobalFree(memory); }
};
using UniqueGlobalMemory = core::UniqueResource<GlobalMemoryTraits>;

// The clipboard is open for one window at a time; another program may hold it for a moment
// (a clipboard manager reading what was just put there), so opening is tried a few times.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) noexcept {
    for (int attempt = 0; attempt < kAttempts && !open_; ++attempt) {
      if (attempt > 0) Sleep(kPauseMs);
      open_ = OpenClipboard(owner) != FALSE;
    }
  }
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool open() const noexcept { return open_; }

 private:
  static constexpr int kAttempts = 5;
  static constexpr DWORD kPauseMs = 20;
  bool open_ = false;
};

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::string& text) {
  const std::wstring wide = core::Utf8ToWide(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  // The clipboard takes only movable global memory, and owns it once SetClipboardData succeeds.
  UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* target = GlobalLock(memory.get());
  if (!target) return false;
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory.get());

  const OpenClipboardScope clipboard(owner);
  if (!clipboard.open() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
  memory.release();
  return true;
}

}  // namespace app
