#pragma once

#include <string>
#include <string_view>

namespace core {

// The one place where text changes between UTF-8, which the whole program speaks, and the
// UTF-16 of the wide Windows calls.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace core
