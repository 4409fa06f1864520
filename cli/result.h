#pragma once

#include <string>

#include "core/result.h"

namespace cli {

using core::Error;
using core::Result;

// A character as an error message shows it: a blank named, printable ASCII quoted, anything
// else by its byte.
std::string DescribeCharacter(char c);

}  // namespace cli
