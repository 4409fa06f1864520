#include "cli/exif_date.h"

#include <string>

namespace cli {
namespace {

constexpr std::uint16_t kExifIfdPointer = 0x8769;
constexpr std::uint16_t kDateTimeOriginal = 0x9003;
constexpr std::uint16_t kCreateDate = 0x9004;
constexpr std::uint16_t kOffsetTimeOriginal = 0x9011;
constexpr std::uint16_t kOffsetTimeDigitized = 0x9012;
constexpr std::uint16_t kSubSecTimeOriginal = 0x9291;
constexpr std::uint16_t kSubSecTimeDigitized = 0x9292;
constexpr std::uint16_t kAsciiType = 2;
constexpr std::uint16_t kLongType = 4;
constexpr std::uint16_t kMaxEntries = 1024;
constexpr std::uint32_t kMaxText = 64;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text values this reader wants, by tag, as found (empty when missing).
struct ExifTexts {
  std::string dateTimeOriginal, createDate, subSecOriginal, subSecDigitized, offsetOriginal, offsetDigitized;
  std::string* For(std::uint16_t tag) {
    switch (tag) {
      case kDateTimeOriginal:
        return &dateTimeOriginal;
      case kCreateDate:
        return &createDate;
      case kSubSecTimeOriginal:
        return &subSecOriginal;
      case kSubSecTimeDigitized:
        return &subSecDigitized;
      case kOffsetTimeOriginal:
        return &offsetOriginal;
      case kOffsetTimeDigitized:
        return &offsetDigitized;
      default:
        return nullptr;
    }
  }
};

struct Tiff {
  HeaderReader& reader;
  std::uint64_t start;
  bool bigEndian;
};

// Reads one IFD's entries; fills the wanted texts not yet found, returns the Exif IFD pointer.
std::optional<std::uint32_t> ReadIfd(const Tiff& tiff, std::uint32_t ifdOffset, ExifTexts& texts) {
  const std::uint64_t at = tiff.start + ifdOffset;
  const auto count = tiff.reader.U16(at, tiff.bigEndian);
  if (!count || *count > kMaxEntries) return std::nullopt;
  std::optional<std::uint32_t> exifIfd;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::uint64_t entry = at + 2 + 12ull * i;
    const auto tag = tiff.reader.U16(entry, tiff.bigEndian);
    const auto type = tiff.reader.U16(entry + 2, tiff.bigEndian);
    const auto n = tiff.reader.U32(entry + 4, tiff.bigEndian);
    if (!tag || !type || !n) break;
    if (*tag == kExifIfdPointer && (*type == kLongType || *type == 13) && *n == 1) {
      exifIfd = tiff.reader.U32(entry + 8, tiff.bigEndian);
      continue;
    }
    std::string* text = texts.For(*tag);
    if (text == nullptr || !text->empty() || *type != kAsciiType || *n == 0 || *n > kMaxText) continue;
    std::uint64_t valueAt = entry + 8;
    if (*n > 4) {
      const auto offset = tiff.reader.U32(entry + 8, tiff.bigEndian);
      if (!offset) continue;
      valueAt = tiff.start + *offset;
    }
    const auto bytes = tiff.reader.Bytes(valueAt, *n);
    if (!bytes) continue;
    text->assign(bytes->begin(), bytes->end());
    if (const std::size_t nul = text->find('\0'); nul != std::string::npos) text->resize(nul);
  }
  return exifIfd;
}

// "+02:00" -> ticks; nothing for anything else.
std::optional<Ticks> ReadOffset(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':') return std::nullopt;
  if (!IsDigit(text[1]) || !IsDigit(text[2]) || !IsDigit(text[4]) || !IsDigit(text[5])) return std::nullopt;
  const int hours = (text[1] - '0') * 10 + (text[2] - '0');
  const int minutes = (text[4] - '0') * 10 + (text[5] - '0');
  if (hours > 23 || minutes > 59) return std::nullopt;
  const Ticks offset = hours * kTicksPerHour + minutes * kTicksPerMinute;
  return text[0] == '-' ? -offset : offset;
}

// Leading digits of SubSecTime as a fraction of a second in ticks (7 digits at most count).
std::int32_t ReadFraction(std::string_view text) {
  std::int32_t ticks = 0;
  std::size_t digits = 0;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  for (std::size_t i = 0; i < 7; ++i) ticks = ticks * 10 + (i < digits ? text[i] - '0' : 0);
  return ticks;
}

}  // namespace

std::optional<FoundDate> MakeExifDate(std::string_view date, std::string_view subSeconds, std::string_view offset,
                                      std::string_view tagName) {
  // "YYYY:MM:DD HH:MM:SS"; some writers use '-' in the date.
  if (date.size() < 19) return std::nullopt;
  static constexpr std::string_view kShape = "dddd:dd:dd dd:dd:dd";
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const char c = date[i];
    if (kShape[i] == 'd' ? !IsDigit(c) : !(c == kShape[i] || (i < 10 && c == '-') || (i == 10 && c == 'T'))) {
      return std::nullopt;
    }
  }
  for (std::size_t i = 19; i < date.size(); ++i) {
    if (date[i] != ' ' && date[i] != '\0') return std::nullopt;
  }
  auto number = [&](std::size_t at, std::size_t width) {
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) value = value * 10 + (date[i] - '0');
    return value;
  };
  CivilTime civil;
  civil.year = number(0, 4);
  civil.month = number(5, 2);
  civil.day = number(8, 2);
  civil.hour = number(11, 2);
  civil.minute = number(14, 2);
  civil.second = number(17, 2);
  civil.fraction = ReadFraction(subSeconds);
  if (FindCivilTimeError(civil)) return std::nullopt;

  FoundDate found;
  found.source = "EXIF " + std::string(tagName);
  const auto shift = ReadOffset(offset);
  if (!shift) {
    found.when = LocalTime{civil};
    return found;
  }
  const Ticks utc = TicksFromCivil(civil) - *shift;
  if (utc < 0 || utc > kMaxTicks) return std::nullopt;
  found.when = Instant{utc};
  std::string_view shown = offset.substr(0, 6);
  found.source += " " + std::string(shown);
  return found;
}

std::optional<FoundDate> ReadExifDate(HeaderReader& reader, std::uint64_t start) {
  bool bigEndian = false;
  if (reader.Matches(start, "MM")) {
    bigEndian = true;
  } else if (!reader.Matches(start, "II")) {
    return std::nullopt;
  }
  const auto magic = reader.U16(start + 2, bigEndian);
  // 42 is TIFF; the raw formats of a few makers use their own (ORF 0x4F52/0x5352, RW2 0x55).
  if (!magic || (*magic != 42 && *magic != 0x55 && *magic != 0x4F52 && *magic != 0x5352)) return std::nullopt;
  const auto ifd0 = reader.U32(start + 4, bigEndian);
  if (!ifd0) return std::nullopt;
  const Tiff tiff{reader, start, bigEndian};
  ExifTexts fromIfd0, fromExif;
  const auto exifIfd = ReadIfd(tiff, *ifd0, fromIfd0);
  if (exifIfd && *exifIfd != *ifd0) ReadIfd(tiff, *exifIfd, fromExif);
  // The Exif IFD is where the standard puts them; IFD0 holds them in a few raw formats.
  for (ExifTexts* texts : {&fromExif, &fromIfd0}) {
    if (auto found =
            MakeExifDate(texts->dateTimeOriginal, texts->subSecOriginal, texts->offsetOriginal, "DateTimeOriginal")) {
      return found;
    }
  }
  for (ExifTexts* texts : {&fromExif, &fromIfd0}) {
    if (auto found = MakeExifDate(texts->createDate, texts->subSecDigitized, texts->offsetDigitized, "CreateDate")) {
      return found;
    }
  }
  return std::nullopt;
}

}  // namespace cli
