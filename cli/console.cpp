#include "cli/console.h"

#include <algorithm>

#include "core/text_encoding.h"

namespace cli {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;
// WriteConsoleW takes a bounded amount per call on older systems.
constexpr std::size_t kConsoleChunk = 8 * 1024;

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

}  // namespace

HandleStream::HandleStream(HANDLE handle) : handle_(handle) {
  DWORD mode = 0;
  console_ = Usable(handle_) && GetConsoleMode(handle_, &mode);
}

HandleStream::~HandleStream() { Flush(); }

void HandleStream::Write(std::string_view utf8) {
  if (!Usable(handle_) || broken_) return;
  if (console_) {
    WriteConsoleText(utf8);
    return;
  }
  buffer_ += utf8;
  if (buffer_.size() >= kBufferBytes) Flush();
}

void HandleStream::Flush() {
  if (buffer_.empty()) return;
  WriteBytes(buffer_);
  buffer_.clear();
}

int HandleStream::Columns() const {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!console_ || !GetConsoleScreenBufferInfo(handle_, &info)) return 80;
  return std::max(20, info.srWindow.Right - info.srWindow.Left + 1);
}

void HandleStream::WriteBytes(std::string_view bytes) {
  while (!bytes.empty() && !broken_) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!WriteFile(handle_, bytes.data(), size, &written, nullptr) || written == 0) {
      broken_ = true;
      return;
    }
    bytes.remove_prefix(written);
  }
}

void HandleStream::WriteConsoleText(std::string_view utf8) {
  const std::wstring text = core::Utf8ToWide(utf8);
  std::wstring_view rest = text;
  while (!rest.empty()) {
    std::size_t size = std::min(rest.size(), kConsoleChunk);
    // Never split a surrogate pair between two calls.
    if (size < rest.size() && rest[size - 1] >= 0xD800 && rest[size - 1] <= 0xDBFF) --size;
    DWORD written = 0;
    if (!WriteConsoleW(handle_, rest.data(), static_cast<DWORD>(size), &written, nullptr) || written == 0) {
      broken_ = true;
      return;
    }
    rest.remove_prefix(std::min<std::size_t>(written, rest.size()));
  }
}

}  // namespace cli
