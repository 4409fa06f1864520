// libFuzzer target for the segment and chunk walks of JPEG, PNG and WebP (seeded with them):
// any bytes, no crash, no read outside them, and only valid dates.
#include "cli/media_date.h"
#include "tests/fuzz/media_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cli::MemorySource source({data, size});
  CheckFoundDate(cli::ReadMediaDate(source));
  return 0;
}
