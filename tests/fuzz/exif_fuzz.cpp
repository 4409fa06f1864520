// libFuzzer target for the TIFF/EXIF walk (TIFF files and the raws on it): any bytes, no
// crash, no read outside them, and only valid dates.
#include <optional>

#include "cli/exif_date.h"
#include "tests/fuzz/media_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  cli::MemorySource source({data, size});
  cli::HeaderReader reader(source);
  CheckFoundDate(cli::ReadExifDate(reader, 0));
  return 0;
}
