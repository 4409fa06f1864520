#include "ui/batch/failure_report.h"

#include "app/clipboard.h"
#include "app/message_boxes.h"

namespace ui::batch {
namespace {

constexpr char kLineBreak[] = "\r\n";

// Each path followed by a line break.
std::string Lines(std::vector<std::string>::const_iterator first, std::vector<std::string>::const_iterator last) {
  std::string text;
  for (auto path = first; path != last; ++path) text.append(*path).append(kLineBreak);
  return text;
}

}  // namespace

void ShowFailedPaths(HWND owner, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  std::string text;
  if (paths.size() <= app::kFailedPathsListed) {
    text = Lines(paths.begin(), paths.end());
    // No empty last line.
    text.resize(text.size() - (sizeof kLineBreak - 1));
  } else {
    const bool copied = app::CopyTextToClipboard(owner, Lines(paths.begin(), paths.end()));
    text = Lines(paths.begin(), paths.begin() + app::kFailedPathsListed) +
           app::FailedPathsTail(paths.size() - app::kFailedPathsListed, copied);
  }
  app::ShowMessage(owner, app::Message::kFailedFiles, text);
}

}  // namespace ui::batch
