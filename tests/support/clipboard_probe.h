#pragma once

#include <optional>
#include <string>

namespace testing_support {

// The Unicode text the clipboard holds, if any.
std::optional<std::string> ClipboardText();
// Puts a text of the test's own on the clipboard (to see later whether it was replaced).
void SetClipboardText(const std::string& text);

}  // namespace testing_support
