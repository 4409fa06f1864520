// Prints the date taken that fstamp's reader finds in each file named, one line each:
//   <file> TAB none | local TAB <civil time> | utc TAB <ticks since 1601>  TAB <source>
// for media_date_check.py, which compares it with what exiftool reads.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "cli/media_date.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    cli::MemorySource source(bytes);
    const auto found = cli::ReadMediaDate(source);
    if (!found) {
      std::printf("%s\tnone\n", argv[i]);
    } else if (const auto* local = std::get_if<cli::LocalTime>(&found->when)) {
      std::printf("%s\tlocal\t%s\t%s\n", argv[i],
                  cli::FormatIso8601(cli::TicksFromCivil(local->civil), 0).substr(0, 27).c_str(),
                  found->source.c_str());
    } else {
      std::printf("%s\tutc\t%lld\t%s\n", argv[i], static_cast<long long>(std::get<cli::Instant>(found->when).utc),
                  found->source.c_str());
    }
  }
  return 0;
}
