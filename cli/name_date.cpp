#include "cli/name_date.h"

namespace cli {
namespace {

constexpr NamePattern kPatterns[] = {
    {"IMG_YYYYMMDD_hhmmss", "IMG_20240501_123456"},
    {"IMG_YYYYMMDD_hhmmssfff", "IMG_20240501_123456789"},
    {"VID_YYYYMMDD_hhmmss", "VID_20240501_123456"},
    {"VID_YYYYMMDD_hhmmssfff", "VID_20240501_123456789"},
    {"PXL_YYYYMMDD_hhmmssfff", "PXL_20240501_123456789"},
    {"PXL_YYYYMMDD_hhmmss", "PXL_20240501_123456"},
    {"IMG-YYYYMMDD-WA####", "IMG-20240501-WA0001"},
    {"VID-YYYYMMDD-WA####", "VID-20240501-WA0001"},
    {"Screenshot_YYYY-MM-DD-hh-mm-ss", "Screenshot_2024-05-01-12-34-56"},
    {"Screenshot_YYYYMMDD-hhmmss", "Screenshot_20240501-123456"},
    {"YYYY-MM-DD hh.mm.ss", "2024-05-01 12.34.56"},
    {"YYYY-MM-DD_hh-mm-ss", "2024-05-01_12-34-56"},
    {"YYYYMMDD_hhmmss", "20240501_123456"},
};

constexpr int kMinNameYear = 1970;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Matches `pattern` at the start of `text`; fills the fields it names.
bool MatchAt(std::string_view pattern, std::string_view text, CivilTime& civil) {
  if (text.size() < pattern.size()) return false;
  civil = CivilTime{};
  civil.month = civil.day = 0;
  int fractionDigits = 0;
  for (std::size_t i = 0; i < pattern.size();) {
    const char p = pattern[i];
    int* field = nullptr;
    std::size_t width = 2;
    // A field is its whole token; a single letter (the M of IMG) stands for itself.
    const std::string_view token = pattern.substr(i, 2);
    if (pattern.substr(i, 4) == "YYYY") {
      field = &civil.year;
      width = 4;
    } else if (token == "MM") {
      field = &civil.month;
    } else if (token == "DD") {
      field = &civil.day;
    } else if (token == "hh") {
      field = &civil.hour;
    } else if (token == "mm") {
      field = &civil.minute;
    } else if (token == "ss") {
      field = &civil.second;
    }
    if (field != nullptr) {
      int value = 0;
      for (std::size_t k = i; k < i + width; ++k) {
        if (!IsDigit(text[k])) return false;
        value = value * 10 + (text[k] - '0');
      }
      *field = value;
      i += width;
      continue;
    }
    if (p == 'f' || p == '#') {
      if (!IsDigit(text[i])) return false;
      if (p == 'f' && fractionDigits < 7) {
        civil.fraction = civil.fraction * 10 + (text[i] - '0');
        ++fractionDigits;
      }
    } else if (Lower(p) != Lower(text[i])) {
      return false;
    }
    ++i;
  }
  for (int k = fractionDigits; k < 7 && fractionDigits > 0; ++k) civil.fraction *= 10;
  return true;
}

}  // namespace

std::span<const NamePattern> NamePatterns() { return kPatterns; }

std::optional<FoundDate> ReadNameDate(std::string_view name, int maxYear) {
  for (std::size_t start = 0; start < name.size(); ++start) {
    if (start > 0 && IsDigit(name[start - 1])) continue;
    for (const NamePattern& entry : kPatterns) {
      CivilTime civil;
      const std::string_view rest = name.substr(start);
      if (!MatchAt(entry.pattern, rest, civil)) continue;
      if (rest.size() > entry.pattern.size() && IsDigit(rest[entry.pattern.size()])) continue;
      if (civil.year < kMinNameYear || civil.year > maxYear || FindCivilTimeError(civil)) continue;
      return FoundDate{LocalTime{civil}, std::string(rest.substr(0, entry.pattern.size()))};
    }
  }
  return std::nullopt;
}

}  // namespace cli
