#include "app/code_page_check.h"

#include "app/message_boxes.h"

namespace app {

bool EnsureUtf8CodePage() {
  const auto& standIn = ScopedCodePage::Current();
  if ((standIn ? standIn() : GetACP()) == CP_UTF8) return true;
  ShowMessage(nullptr, Message::kSystemTooOld);
  return false;
}

}  // namespace app
