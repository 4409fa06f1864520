#include "cli/when.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

namespace cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::size_t CountDigits(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - pos;
}

// Reads a field of exactly `width` digits at pos and moves past it.
Result<int> ReadField(std::string_view text, std::size_t& pos, std::size_t width, std::string_view name) {
  if (CountDigits(text, pos) != width) {
    return Error{std::string(name) + " needs exactly " + (width == 2 ? "two" : "four") + " digits"};
  }
  int value = 0;
  for (std::size_t end = pos + width; pos < end; ++pos) value = value * 10 + (text[pos] - '0');
  return value;
}

// Expects `separator` at pos and moves past it.
std::optional<Error> Expect(std::string_view text, std::size_t& pos, char separator, std::string_view after) {
  if (pos < text.size() && text[pos] == separator) {
    ++pos;
    return std::nullopt;
  }
  const std::string found = pos < text.size() ? DescribeCharacter(text[pos]) : std::string("the end");
  return Error{"expected '" + std::string(1, separator) + "' after the " + std::string(after) + ", found " + found};
}

Result<int> ReadYear(std::string_view text, std::size_t& pos) {
  const std::size_t digits = CountDigits(text, pos);
  // Five digits only for years past 9999, so "02024" is not a second spelling of 2024.
  if (digits != 4 && !(digits == 5 && text[pos] != '0')) return Error{"the year needs four digits (YYYY-MM-DD)"};
  int year = 0;
  for (std::size_t end = pos + digits; pos < end; ++pos) year = year * 10 + (text[pos] - '0');
  return year;
}

// The fraction after '.', 1 to 7 digits, as ticks.
Result<std::int32_t> ReadFraction(std::string_view text, std::size_t& pos) {
  const std::size_t digits = CountDigits(text, pos);
  if (digits == 0) return Error{"the fraction of a second needs digits after '.'"};
  if (digits > 7) return Error{"the fraction of a second has more than 7 digits (the finest step is 100 ns)"};
  std::int32_t ticks = 0;
  for (std::size_t i = 0; i < 7; ++i) ticks = ticks * 10 + (i < digits ? text[pos + i] - '0' : 0);
  pos += digits;
  return ticks;
}

// "+HH:MM" or "-HH:MM" at pos, as local minus UTC in ticks.
Result<Ticks> ReadOffset(std::string_view text, std::size_t& pos) {
  const bool negative = text[pos++] == '-';
  auto hours = ReadField(text, pos, 2, "the offset hour");
  if (!hours) return Error{hours.error()};
  if (auto error = Expect(text, pos, ':', "offset hour")) return *error;
  auto minutes = ReadField(text, pos, 2, "the offset minute");
  if (!minutes) return Error{minutes.error()};
  if (*hours > 23) return Error{"offset hour " + std::to_string(*hours) + " is out of range (00-23)"};
  if (*minutes > 59) return Error{"offset minute " + std::to_string(*minutes) + " is out of range (00-59)"};
  const Ticks offset = *hours * kTicksPerHour + *minutes * kTicksPerMinute;
  return negative ? -offset : offset;
}

// Reads the time of day after the date separator; fills hour to fraction.
std::optional<Error> ReadTimeOfDay(std::string_view text, std::size_t& pos, CivilTime& civil) {
  auto hour = ReadField(text, pos, 2, "the hour");
  if (!hour) return Error{hour.error()};
  if (auto error = Expect(text, pos, ':', "hour")) return error;
  auto minute = ReadField(text, pos, 2, "the minute");
  if (!minute) return Error{minute.error()};
  civil.hour = *hour;
  civil.minute = *minute;
  if (pos < text.size() && text[pos] == ':') {
    ++pos;
    auto second = ReadField(text, pos, 2, "the second");
    if (!second) return Error{second.error()};
    civil.second = *second;
    if (pos < text.size() && text[pos] == '.') {
      ++pos;
      auto fraction = ReadFraction(text, pos);
      if (!fraction) return Error{fraction.error()};
      civil.fraction = *fraction;
    }
  }
  return std::nullopt;
}

Result<When> ParseDateTime(std::string_view text) {
  std::size_t pos = 0;
  CivilTime civil;
  auto year = ReadYear(text, pos);
  if (!year) return Error{year.error()};
  if (auto error = Expect(text, pos, '-', "year")) return *error;
  auto month = ReadField(text, pos, 2, "the month");
  if (!month) return Error{month.error()};
  if (auto error = Expect(text, pos, '-', "month")) return *error;
  auto day = ReadField(text, pos, 2, "the day");
  if (!day) return Error{day.error()};
  civil.year = *year;
  civil.month = *month;
  civil.day = *day;

  bool hasTime = false;
  if (pos < text.size() && (text[pos] == 'T' || text[pos] == 't' || text[pos] == ' ')) {
    ++pos;
    if (auto error = ReadTimeOfDay(text, pos, civil)) return *error;
    hasTime = true;
  }

  std::optional<Ticks> offset;
  if (pos < text.size() && hasTime) {
    if (text[pos] == 'Z' || text[pos] == 'z') {
      ++pos;
      offset = 0;
    } else if (text[pos] == '+' || text[pos] == '-') {
      auto read = ReadOffset(text, pos);
      if (!read) return Error{read.error()};
      offset = *read;
    }
  }
  if (pos < text.size()) {
    return Error{"unexpected " + DescribeCharacter(text[pos]) + " after the " + (hasTime ? "time" : "date")};
  }

  if (auto error = FindCivilTimeError(civil)) return Error{*error};
  if (!offset) return LocalTime{civil};
  const Ticks utc = TicksFromCivil(civil) - *offset;
  if (utc < 0) return Error{"the instant is before 1601-01-01 00:00 UTC"};
  if (utc > kMaxTicks) return Error{"the instant is after 30827-12-31 UTC"};
  return Instant{utc};
}

// "+1d2h30m15s": groups of a number and a unit, the units from days down to seconds.
Result<When> ParseShift(std::string_view text) {
  static constexpr std::string_view kUnits = "dhms";
  static constexpr Ticks kUnitTicks[] = {kTicksPerDay, kTicksPerHour, kTicksPerMinute, kTicksPerSecond};
  const bool negative = text[0] == '-';
  if (text.size() == 1) return Error{"a shift needs a number and a unit after the sign, e.g. +1d or -2h30m"};

  Ticks total = 0;
  std::size_t lastUnit = std::string_view::npos;
  std::size_t pos = 1;
  while (pos < text.size()) {
    const std::size_t digits = CountDigits(text, pos);
    if (digits == 0) return Error{"expected a number in the shift, found " + DescribeCharacter(text[pos])};
    std::uint64_t number = 0;
    const auto [end, status] = std::from_chars(text.data() + pos, text.data() + pos + digits, number);
    const bool tooBig = status != std::errc() || number > static_cast<std::uint64_t>(kMaxTicks);
    pos += digits;
    if (pos == text.size())
      return Error{"the number " + std::string(text.substr(pos - digits)) + " has no unit (d, h, m or s)"};
    const std::size_t unit = kUnits.find(text[pos]);
    if (unit == std::string_view::npos)
      return Error{"unknown unit " + DescribeCharacter(text[pos]) + " (use d, h, m or s)"};
    if (lastUnit != std::string_view::npos && unit <= lastUnit) {
      if (unit == lastUnit) return Error{"the unit '" + std::string(1, text[pos]) + "' is given twice"};
      return Error{"units go from days down to seconds: '" + std::string(1, text[pos]) + "' cannot follow '" +
                   std::string(1, kUnits[lastUnit]) + "'"};
    }
    ++pos;
    lastUnit = unit;
    if (tooBig || static_cast<Ticks>(number) > (kMaxTicks - total) / kUnitTicks[unit]) {
      return Error{"the shift is larger than the whole range of file times"};
    }
    total += static_cast<Ticks>(number) * kUnitTicks[unit];
  }
  return Shift{negative ? -total : total};
}

}  // namespace

std::string DescribeCharacter(char c) {
  if (c == ' ') return "' ' (a blank)";
  const auto byte = static_cast<unsigned char>(c);
  char text[16];
  if (byte > 0x20 && byte < 0x7F) {
    std::snprintf(text, sizeof text, "'%c'", c);
  } else {
    std::snprintf(text, sizeof text, "byte 0x%02X", byte);
  }
  return text;
}

std::string_view TimeSlotName(TimeSlot slot) {
  switch (slot) {
    case TimeSlot::Created:
      return "created";
    case TimeSlot::Modified:
      return "modified";
    case TimeSlot::Accessed:
      return "accessed";
  }
  return "";
}

Result<When> ParseWhen(std::string_view text) {
  if (text.empty()) return Error{"the time is empty"};
  if (IsDigit(text[0])) return ParseDateTime(text);
  if (text[0] == '+' || text[0] == '-') return ParseShift(text);
  if (EqualsNoCase(text, "now")) return Now{};
  for (const TimeSlot slot : {TimeSlot::Created, TimeSlot::Modified, TimeSlot::Accessed}) {
    if (EqualsNoCase(text, TimeSlotName(slot))) return TimeOf{slot};
  }
  for (const auto& [word, origin] : {std::pair{std::string_view("taken"), DateOrigin::Taken},
                                     std::pair{std::string_view("name"), DateOrigin::Name}}) {
    if (text.size() < word.size() || !EqualsNoCase(text.substr(0, word.size()), word)) continue;
    const std::string_view rest = text.substr(word.size());
    if (rest.empty()) return DateOf{origin};
    if (rest[0] != '+' && rest[0] != '-') break;
    auto shift = ParseShift(rest);
    if (!shift) return Error{shift.error()};
    return DateOf{origin, std::get<Shift>(*shift).delta};
  }
  return Error{
      "expected a date (YYYY-MM-DD[ HH:MM[:SS[.fffffff]]][Z|+HH:MM]), now, a shift such as +1d2h, "
      "created, modified, accessed, taken or name"};
}

Ticks SlotTimes::Get(TimeSlot slot) const { return SlotField(*this, slot); }

Result<Ticks> ResolveWhen(const When& when, TimeSlot slot, const SlotTimes& before, Ticks nowUtc,
                          const LocalToUtc& localToUtc) {
  Ticks utc = 0;
  if (const auto* local = std::get_if<LocalTime>(&when)) {
    auto converted = localToUtc(local->civil);
    if (!converted) return converted;
    utc = *converted;
  } else if (const auto* instant = std::get_if<Instant>(&when)) {
    utc = instant->utc;
  } else if (std::holds_alternative<Now>(when)) {
    utc = nowUtc;
  } else if (const auto* shift = std::get_if<Shift>(&when)) {
    const Ticks current = before.Get(slot);
    // Checked before adding: both lie within the range, so only the sum can overflow.
    if (current < 0 || current > kMaxTicks)
      return Error{"the current " + std::string(TimeSlotName(slot)) +
                   " time is outside 1601..30827 and cannot be shifted"};
    if (shift->delta < -current || shift->delta > kMaxTicks - current) {
      return Error{"the shifted " + std::string(TimeSlotName(slot)) + " time falls outside 1601..30827"};
    }
    utc = current + shift->delta;
  } else if (const auto* of = std::get_if<TimeOf>(&when)) {
    utc = before.Get(of->slot);
  } else {
    return Error{"the " + std::string(TimeSlotName(slot)) + " time needs the path's own date"};
  }
  if (utc < 0 || utc > kMaxTicks) return Error{"the time falls outside 1601..30827"};
  return utc;
}

}  // namespace cli
