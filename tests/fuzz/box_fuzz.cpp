// libFuzzer target for the ISO base media boxes (HEIF's Exif item, QuickTime's mvhd and keys):
// any bytes, no crash, no read outside them, and only valid dates; the bytes as a QuickTime
// date text too.
#include <string_view>

#include "cli/media_date.h"
#include "tests/fuzz/media_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cli::MemorySource source({data, size});
  CheckFoundDate(cli::ReadMediaDate(source));
  CheckFoundDate(cli::ParseQuickTimeDate(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
