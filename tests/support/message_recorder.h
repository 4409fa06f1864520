#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/message_boxes.h"

namespace testing_support {

struct ShownMessage {
  HWND owner;
  std::string text;
  std::string title;
  UINT flags;
};

// Answers the program's message boxes while it lives and records each one. Questions get
// the scripted answers in order (IDNO once they run out); other boxes get IDOK. An optional
// callback runs inside the box, as user actions would while a modal box is open.
class MessageRecorder {
 public:
  explicit MessageRecorder(std::deque<int> answers = {}, std::function<void(const ShownMessage&)> during = {});

  const std::vector<ShownMessage>& shown() const { return shown_; }
  std::vector<std::string> texts() const;

 private:
  std::deque<int> answers_;
  std::function<void(const ShownMessage&)> during_;
  std::vector<ShownMessage> shown_;
  app::ScopedMessageBoxHandler scope_;
};

// Dispatches this thread's messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Dispatches whatever is queued now.
void PumpPending();

}  // namespace testing_support
