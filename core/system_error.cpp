#include "core/system_error.h"

#include "core/text_encoding.h"

namespace core {

std::string SystemErrorText(DWORD error) {
  wchar_t text[1024];
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, static_cast<DWORD>(std::size(text)), nullptr);
  std::wstring_view words(text, length);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' '))
    words.remove_suffix(1);
  return words.empty() ? "error " + std::to_string(error) : WideToUtf8(words);
}

}  // namespace core
