#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// Splits a process command line (UTF-8) into its arguments, skipping the program's own
// name first: a quoted name up to its closing quote, otherwise up to the first blank.
// After it every byte below 0x21 separates arguments; a double-quoted run is one argument
// without its quotes; an unquoted argument ends at a separator or at a double quote.
// Bytes of 0x80 and above are ordinary argument bytes, so a multi-byte UTF-8 character
// never splits an argument or swallows the quote or blank after it.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace app
