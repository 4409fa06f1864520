#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "cli/byte_source.h"
#include "cli/found_date.h"

namespace cli {

// The moment a picture was taken, from the TIFF structure (EXIF) that begins at `start`
// (its byte-order mark): DateTimeOriginal, else CreateDate (DateTimeDigitized), with the
// matching SubSecTime* as the fraction and OffsetTime* making it an instant. Looks in IFD0
// and the Exif IFD only, so there is no chain to loop on. Nothing when no valid date is there.
std::optional<FoundDate> ReadExifDate(HeaderReader& reader, std::uint64_t start);

// One EXIF date value ("2024:05:01 12:34:56", NUL or blanks may follow) with its sub-second
// digits and offset text ("+02:00"), either of which may be empty or malformed (then unused).
// Nothing for an all-zero, blank or impossible date.
std::optional<FoundDate> MakeExifDate(std::string_view date, std::string_view subSeconds, std::string_view offset,
                                      std::string_view tagName);

}  // namespace cli
