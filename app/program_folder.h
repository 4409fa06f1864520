#pragma once

#include <string>

namespace app {

// The folder that holds the running program file, without a trailing backslash.
std::string ProgramFolder();

}  // namespace app
