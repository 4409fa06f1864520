#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "app/seam.h"

namespace app {

// Every message and question the program shows.
enum class Message {
  kFileMissing,
  kConfirmModify,
  kModifyDone,
  kModifyFailed,
  kConfirmRemove,
  kConfirmClear,
  kPropertiesFailed,
  kLocateFailed,
  kAddFilesFirst,
  kChooseAttributes,
  kConfirmBatch,
  kFailedFiles,  // its text is the list of failed paths
  kBatchDone,
  kPleaseWait,
  kSystemTooOld,
};

struct MessageRow {
  const char* text;
  const char* title;
  UINT flags;  // without MB_TASKMODAL, which every box gets
};

const MessageRow& MessageRowOf(Message message);

// The failed-paths box (kFailedFiles) lists at most this many paths. A longer list ends with
// two lines: how many paths are not listed, and whether the whole list went to the clipboard.
inline constexpr std::size_t kFailedPathsListed = 30;
std::string FailedPathsTail(std::size_t unlisted, bool copiedToClipboard);

// Shows the message modal to its owner; returns the button pressed (IDOK, IDYES, IDNO ...).
int ShowMessage(HWND owner, Message message);
// The same with a text of the caller's (the failure list).
int ShowMessage(HWND owner, Message message, const std::string& text);
// A question: true only when answered Yes.
bool Ask(HWND owner, Message message);

// Stands in for MessageBoxA while it lives (tests): receives owner, text, title and the
// full flags, and returns the button to report.
using MessageBoxFunction =
    std::function<int(HWND owner, const std::string& text, const std::string& title, UINT flags)>;
using ScopedMessageBoxHandler = app::Seam<struct MessageBoxTag, MessageBoxFunction>;

}  // namespace app
