#pragma once

#include <cstdint>
#include <string>

namespace core {

// A whole number with a comma between each group of three digits: 1234567 -> "1,234,567".
std::string GroupDigits(std::uint64_t value);

}  // namespace core
