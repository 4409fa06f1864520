#pragma once

#include <compare>
#include <string>

namespace core {

// A local wall-clock date and time to the whole second, year 100 to 9999.
struct LocalDateTime {
  int year = 100;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;

  // Builds a value from six integers by clamping each field into its range; the day is
  // clamped to 1..31 first and then lowered to the length of the month.
  static LocalDateTime FromFields(int year, int month, int day, int hour, int minute, int second);

  // Fields are declared from the most significant, so member-wise order is chronological.
  friend auto operator<=>(const LocalDateTime&, const LocalDateTime&) = default;
};

// The earliest value. Handed to ApplyFileStamp it means "leave this time as it is", as
// does any value at or before it.
inline constexpr LocalDateTime KeepTime{100, 1, 1, 0, 0, 0};

inline bool IsKeepTime(const LocalDateTime& value) { return value <= KeepTime; }

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The one display format of every time, e.g. "2017-03-05 14:07:09".
inline constexpr char kDateTimeFormat[] = "yyyy-MM-dd HH:mm:ss";
std::string FormatLocalDateTime(const LocalDateTime& value);

}  // namespace core
