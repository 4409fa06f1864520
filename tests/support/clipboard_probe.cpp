#include "tests/support/clipboard_probe.h"

#include <windows.h>

#include <stdexcept>

#include "app/clipboard.h"
#include "core/text_encoding.h"

namespace testing_support {

std::optional<std::string> ClipboardText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::string> result;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      // The memory may be larger than the text: the text ends at its null.
      const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
      std::size_t length = 0;
      while (length < capacity && text[length] != L'\0') ++length;
      result = core::WideToUtf8(std::wstring_view(text, length));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

void SetClipboardText(const std::string& text) {
  if (!app::CopyTextToClipboard(nullptr, text)) throw std::runtime_error("clipboard refused a text");
}

}  // namespace testing_support
