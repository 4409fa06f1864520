#include "cli/time_precision.h"

#include <string>

namespace cli {
namespace {

constexpr Ticks kTicksPerMillisecond = kTicksPerSecond / 1000;

struct FileSystemPrecision {
  std::string_view name;
  TimePrecision precision;
};

// FAT keeps the creation time in 10-ms steps, the modification time in 2-s steps and only the
// date of the last access; exFAT adds 10-ms steps to modification but not to access.
constexpr FileSystemPrecision kKnown[] = {
    {"ntfs", {1, 1, 1}},
    {"refs", {1, 1, 1}},
    {"fat", {10 * kTicksPerMillisecond, 2 * kTicksPerSecond, kTicksPerDay}},
    {"fat12", {10 * kTicksPerMillisecond, 2 * kTicksPerSecond, kTicksPerDay}},
    {"fat16", {10 * kTicksPerMillisecond, 2 * kTicksPerSecond, kTicksPerDay}},
    {"fat32", {10 * kTicksPerMillisecond, 2 * kTicksPerSecond, kTicksPerDay}},
    {"exfat", {10 * kTicksPerMillisecond, 10 * kTicksPerMillisecond, 2 * kTicksPerSecond}},
    {"udf", {10, 10, 10}},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

Ticks TimePrecision::Get(TimeSlot slot) const {
  return SlotField(*this, slot);
}

TimePrecision PrecisionOfFileSystem(std::string_view name) {
  const std::string lower = Lower(name);
  for (const FileSystemPrecision& known : kKnown) {
    if (lower == known.name) return known.precision;
  }
  return {};
}

bool KeptWithin(std::uint64_t written, std::uint64_t read, Ticks precision) {
  const std::uint64_t distance = written > read ? written - read : read - written;
  return distance < static_cast<std::uint64_t>(precision < 1 ? 1 : precision);
}

}  // namespace cli
