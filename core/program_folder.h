#pragma once

#include <string>

namespace core {

// The folder that holds the running program file, without a trailing backslash.
std::string ProgramFolder();

}  // namespace core
