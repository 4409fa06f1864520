#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace cli {

// A point in time as 100-ns ticks since 1601-01-01 00:00 (the platform's file-time epoch),
// on the proleptic Gregorian calendar. Whether it counts UTC or local wall-clock time is said
// wherever one is passed. Signed, so a shift or an offset is a Ticks too.
using Ticks = std::int64_t;

inline constexpr Ticks kTicksPerSecond = 10'000'000;
inline constexpr Ticks kTicksPerMinute = 60 * kTicksPerSecond;
inline constexpr Ticks kTicksPerHour = 60 * kTicksPerMinute;
inline constexpr Ticks kTicksPerDay = 24 * kTicksPerHour;

// The years the platform's calendar record can hold; every time fstamp accepts lies in them.
inline constexpr int kMinYear = 1601;
inline constexpr int kMaxYear = 30827;
// 30827-12-31 23:59:59.9999999; 0 is 1601-01-01 00:00:00.
inline constexpr Ticks kMaxTicks = 9'223'149'887'999'999'999;

// Calendar fields of a time; `fraction` is the part of the second in ticks (0..9999999).
struct CivilTime {
  int year = kMinYear;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  std::int32_t fraction = 0;

  // Fields run from the most significant, so member-wise order is chronological.
  friend auto operator<=>(const CivilTime&, const CivilTime&) = default;
};

// What is wrong with the fields (e.g. "day 31 is out of range for 2024-04 (01-30)"), or
// nothing when every field is in range and the year is kMinYear..kMaxYear.
std::optional<std::string> FindCivilTimeError(const CivilTime& time);

// Days from 1601-01-01 to the date; negative before it. Any int year works (no range check).
std::int64_t DaysFromCivil(int year, int month, int day);

// Fields -> ticks for a time that FindCivilTimeError accepts (the result is then 0..kMaxTicks).
Ticks TicksFromCivil(const CivilTime& time);

// Ticks -> fields. Defined for every Ticks value: before 1601 the year goes below 1601 and
// past kMaxTicks above 30827, so a local time near either end still formats sensibly.
CivilTime CivilFromTicks(Ticks ticks);

// "2024-05-01T12:00:00.1234567+08:00": the local wall-clock time, always seven fraction digits,
// then the offset (local minus UTC) as +HH:MM or -HH:MM, whole minutes, zero as +00:00.
// A year past 9999 is written with its five digits.
std::string FormatIso8601(Ticks localTicks, Ticks offsetTicks);

// "2024-05-01 12:00:00": the same local time for people, to the whole second (truncated).
std::string FormatShortTime(Ticks localTicks);

}  // namespace cli
