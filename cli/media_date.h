#pragma once

#include <optional>

#include "cli/byte_source.h"
#include "cli/found_date.h"

namespace cli {

// The moment a photo or video was made, from its headers, by what the file begins with:
//   JPEG: the Exif APP1 segment; TIFF and the raws built on it (DNG, CR2, NEF, ARW, ORF, RW2);
//   PNG: the eXIf chunk; WebP: the EXIF chunk; HEIC/HEIF/AVIF: the Exif item of the meta box;
//   MP4/MOV/M4V/3GP: the com.apple.quicktime.creationdate key, else mvhd's creation time.
// Only headers are read: segments, chunks and boxes are followed by their sizes within the
// reader's budget. Nothing when there is no valid date (including a zero mvhd time).
std::optional<FoundDate> ReadMediaDate(ByteSource& source);

// The QuickTime creationdate text ("2024-05-01T12:34:56+0200", offset also as +02:00 or Z,
// or none for a local time).
std::optional<FoundDate> ParseQuickTimeDate(std::string_view text);

}  // namespace cli
