#pragma once

#include <string>
#include <string_view>

namespace app {

// Conversions for the few places that talk to wide-only interfaces.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace app
