// libFuzzer target: the splitter must never crash or read out of bounds, and every argument
// it returns must be a piece of the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  std::size_t total = 0;
  for (const auto& argument : app::SplitCommandLine(line)) {
    if (line.find(argument) == std::string_view::npos) std::abort();
    total += argument.size();
  }
  if (total > size) std::abort();
  return 0;
}
