// The parsers on small hand-made structures for what real tools do not write: damaged and
// hostile headers. Files made by real tools are checked against exiftool (media_date_check).
#include "cli/media_date.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/exif_date.h"

namespace cli {
namespace {

std::optional<FoundDate> Read(const std::string& bytes) {
  MemorySource source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  return ReadMediaDate(source);
}

std::string Be32(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}
std::string Le16(std::uint16_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string Le32(std::uint32_t v) {
  return Le16(static_cast<std::uint16_t>(v)) + Le16(static_cast<std::uint16_t>(v >> 16));
}
std::string Box(const std::string& type, const std::string& payload) {
  return Be32(static_cast<std::uint32_t>(8 + payload.size())) + type + payload;
}

// A little-endian TIFF whose IFD0 holds one entry.
std::string TiffWithEntry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
  return "II" + Le16(42) + Le32(8) + Le16(1) + Le16(tag) + Le16(type) + Le32(count) + Le32(value) + Le32(0);
}

Ticks Utc(const CivilTime& civil) { return TicksFromCivil(civil); }

TEST(MakeExifDate, ReadsDateFractionAndOffset) {
  const struct {
    const char* date;
    const char* subSec;
    const char* offset;
    std::variant<LocalTime, Instant> when;
  } cases[] = {
      {"2024:05:01 12:34:56", "", "", LocalTime{{2024, 5, 1, 12, 34, 56}}},
      {"2024:05:01 12:34:56", "05", "", LocalTime{{2024, 5, 1, 12, 34, 56, 500'000}}},
      {"2024:05:01 12:34:56", "123", "+02:00", Instant{Utc({2024, 5, 1, 10, 34, 56, 1'230'000})}},
      {"2024:05:01 12:34:56", "", "-05:30", Instant{Utc({2024, 5, 1, 18, 4, 56})}},
      {"2024:05:01 12:34:56", "", "+2:00", LocalTime{{2024, 5, 1, 12, 34, 56}}},
      {"2024-05-01 12:34:56\0", "", "", LocalTime{{2024, 5, 1, 12, 34, 56}}},
  };
  for (const auto& c : cases) {
    const auto found = MakeExifDate(c.date, c.subSec, c.offset, "DateTimeOriginal");
    ASSERT_TRUE(found) << c.date << c.offset;
    EXPECT_EQ(found->when, c.when) << c.date << " " << c.subSec << " " << c.offset;
  }
}

TEST(MakeExifDate, EmptyZeroAndImpossibleDatesAreNone) {
  for (const char* date : {"", "0000:00:00 00:00:00", "                   ", "2024:13:01 12:00:00",
                           "2024:02:30 12:00:00", "2024:05:01 12:00", "2024:05:01 12:00:00x"}) {
    EXPECT_FALSE(MakeExifDate(date, "", "", "DateTimeOriginal")) << date;
  }
}

TEST(ParseQuickTimeDate, ReadsTheOffsetFormsAppleWrites) {
  const struct {
    const char* text;
    std::variant<LocalTime, Instant> when;
  } cases[] = {
      {"2024-05-01T12:34:56+0200", Instant{Utc({2024, 5, 1, 10, 34, 56})}},
      {"2024-05-01T12:34:56-07:00", Instant{Utc({2024, 5, 1, 19, 34, 56})}},
      {"2024-05-01T12:34:56Z", Instant{Utc({2024, 5, 1, 12, 34, 56})}},
      {"2024-05-01T12:34:56", LocalTime{{2024, 5, 1, 12, 34, 56}}},
  };
  for (const auto& c : cases) {
    const auto found = ParseQuickTimeDate(c.text);
    ASSERT_TRUE(found) << c.text;
    EXPECT_EQ(found->when, c.when) << c.text;
  }
  for (const char* text : {"", "2024-05-01", "yesterday", "2024-05-01T25:00:00+0200"}) {
    EXPECT_FALSE(ParseQuickTimeDate(text)) << text;
  }
}

TEST(ReadMediaDate, DamagedOrHostileHeadersGiveNothing) {
  const std::string date = "2024:05:01 12:34:56";
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"text", "hello, world"},
      {"TIFF cut short", TiffWithEntry(0x9003, 2, 20, 26).substr(0, 15)},
      {"date offset past the end", TiffWithEntry(0x9003, 2, 20, 0xFFFFFFF0u)},
      {"Exif IFD pointing at IFD0", TiffWithEntry(0x8769, 4, 1, 8)},
      {"Exif IFD pointing past the end", TiffWithEntry(0x8769, 4, 1, 0x7FFFFFFF)},
      {"date of the wrong type", TiffWithEntry(0x9003, 3, 20, 26) + date + '\0'},
      {"JPEG segment shorter than its header", std::string("\xFF\xD8\xFF\xE1\x00\x01", 6)},
      {"JPEG of fill bytes", "\xFF\xD8" + std::string(1000, '\xFF')},
      {"box smaller than its header", Be32(4) + "ftyp" + Box("moov", "")},
      {"box larger than the file", Box("ftyp", "isom") + Be32(1000) + "moov"},
      {"mvhd time 0", Box("ftyp", "isom") + Box("moov", Box("mvhd", std::string(4, '\0') + Be32(0)))},
      {"PNG chunk past the end", std::string("\x89PNG\r\n\x1A\n", 8) + Be32(0x7FFFFFFF) + "IDAT"},
  };
  for (const auto& c : cases) EXPECT_FALSE(Read(c.bytes)) << c.what;
}

TEST(ReadMediaDate, FollowsBoxSizesToAMovieHeaderAtTheEnd) {
  // 2024-05-01 12:34:56 UTC in seconds since 1904.
  const Ticks utc = Utc({2024, 5, 1, 12, 34, 56});
  const auto seconds = static_cast<std::uint32_t>((utc - DaysFromCivil(1904, 1, 1) * kTicksPerDay) / kTicksPerSecond);
  const std::string file = Box("ftyp", "isom") + Box("mdat", std::string(200'000, 'x')) +
                           Box("moov", Box("mvhd", std::string(4, '\0') + Be32(seconds)));
  const auto found = Read(file);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->when, (std::variant<LocalTime, Instant>{Instant{utc}}));
}

TEST(HeaderReader, StopsWhenTheBudgetIsSpent) {
  const std::string bytes(4 * HeaderReader::kBlockSize, 'x');
  MemorySource source({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  HeaderReader reader(source, ReadBudget{2 * HeaderReader::kBlockSize, 100});
  EXPECT_TRUE(reader.U8(0));
  EXPECT_TRUE(reader.U8(HeaderReader::kBlockSize));
  EXPECT_FALSE(reader.U8(2 * HeaderReader::kBlockSize));
  EXPECT_TRUE(reader.U8(1));  // kept from before
}

}  // namespace
}  // namespace cli
