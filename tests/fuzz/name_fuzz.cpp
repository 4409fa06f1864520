// libFuzzer target for the file-name patterns: any name, no crash, and a date found is valid,
// within 1970..the year given, and its source is a part of the name.
#include <cstdlib>
#include <string_view>

#include "cli/name_date.h"
#include "tests/fuzz/media_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  const auto found = cli::ReadNameDate(name, 2030);
  CheckFoundDate(found);
  if (found) {
    const int year = std::get<cli::LocalTime>(found->when).civil.year;
    if (year < 1970 || year > 2030 || name.find(found->source) == std::string_view::npos) std::abort();
  }
  return 0;
}
