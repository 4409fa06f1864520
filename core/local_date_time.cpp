#include "core/local_date_time.h"

#include <algorithm>
#include <cstdio>

namespace core {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[std::clamp(month, 1, 12) - 1];
}

LocalDateTime LocalDateTime::FromFields(int year, int month, int day, int hour, int minute, int second) {
  LocalDateTime value;
  value.year = std::clamp(year, 100, 9999);
  value.month = std::clamp(month, 1, 12);
  value.day = std::min(std::clamp(day, 1, 31), DaysInMonth(value.year, value.month));
  value.hour = std::clamp(hour, 0, 23);
  value.minute = std::clamp(minute, 0, 59);
  value.second = std::clamp(second, 0, 59);
  return value;
}

std::string FormatLocalDateTime(const LocalDateTime& value) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", value.year, value.month, value.day,
                value.hour, value.minute, value.second);
  return text;
}

}  // namespace core
