#include "tests/support/message_recorder.h"

#include "app/message_loop.h"

namespace testing_support {

MessageRecorder::MessageRecorder(std::deque<int> answers, std::function<void(const ShownMessage&)> during)
    : answers_(std::move(answers)),
      during_(std::move(during)),
      scope_([this](HWND owner, const std::string& text, const std::string& title, UINT flags) {
        shown_.push_back({owner, text, title, flags});
        if (during_) during_(shown_.back());
        if ((flags & MB_TYPEMASK) != MB_YESNO) return IDOK;
        if (answers_.empty()) return IDNO;
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
      }) {}

std::vector<std::string> MessageRecorder::texts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : shown_) texts.push_back(message.text);
  return texts;
}

void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) break;
    app::DispatchLoopMessage(msg);
  }
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  for (;;) {
    PumpPending();
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

}  // namespace testing_support
