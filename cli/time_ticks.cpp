#include "cli/time_ticks.h"

#include <cstdio>
#include <cstdlib>

#include "core/local_date_time.h"

namespace cli {
namespace {

// Days from 1601-01-01 to 1970-01-01, the epoch of the days-from-civil algorithm below.
constexpr std::int64_t kDays1601To1970 = 134'774;

// Rounds toward negative infinity, so times before the epoch split into a day and a
// non-negative remainder.
std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

std::string TwoDigitRange(int high) {
  char text[16];
  std::snprintf(text, sizeof text, "(01-%02d)", high);
  return text;
}

}  // namespace

std::optional<std::string> FindCivilTimeError(const CivilTime& time) {
  const auto number = [](int value) { return std::to_string(value); };
  if (time.year < kMinYear) return "year " + number(time.year) + " is before " + number(kMinYear);
  if (time.year > kMaxYear) return "year " + number(time.year) + " is after " + number(kMaxYear);
  if (time.month < 1 || time.month > 12) return "month " + number(time.month) + " is out of range (01-12)";
  const int days = core::DaysInMonth(time.year, time.month);  // the month is known to be 1..12 here
  if (time.day < 1 || time.day > days) {
    char yearMonth[32];
    std::snprintf(yearMonth, sizeof yearMonth, "%04d-%02d", time.year, time.month);
    return "day " + number(time.day) + " is out of range for " + yearMonth + " " + TwoDigitRange(days);
  }
  if (time.hour < 0 || time.hour > 23) return "hour " + number(time.hour) + " is out of range (00-23)";
  if (time.minute < 0 || time.minute > 59) return "minute " + number(time.minute) + " is out of range (00-59)";
  if (time.second < 0 || time.second > 59) return "second " + number(time.second) + " is out of range (00-59)";
  if (time.fraction < 0 || time.fraction >= kTicksPerSecond) return "fraction of a second is out of range";
  return std::nullopt;
}

// Howard Hinnant's days_from_civil: March-based years make the leap day the last day of a
// year, so the day of the year follows from the month by one linear formula.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yearOfEra = y - era * 400;
  const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146'097 + dayOfEra - 719'468 + kDays1601To1970;
}

Ticks TicksFromCivil(const CivilTime& time) {
  return DaysFromCivil(time.year, time.month, time.day) * kTicksPerDay + time.hour * kTicksPerHour +
         time.minute * kTicksPerMinute + time.second * kTicksPerSecond + time.fraction;
}

// The inverse, civil_from_days, on the same March-based years.
CivilTime CivilFromTicks(Ticks ticks) {
  const std::int64_t days = FloorDiv(ticks, kTicksPerDay);
  std::int64_t rest = ticks - days * kTicksPerDay;

  const std::int64_t z = days - kDays1601To1970 + 719'468;
  const std::int64_t era = FloorDiv(z, 146'097);
  const std::int64_t dayOfEra = z - era * 146'097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;

  CivilTime time;
  time.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  time.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
  time.hour = static_cast<int>(rest / kTicksPerHour);
  rest %= kTicksPerHour;
  time.minute = static_cast<int>(rest / kTicksPerMinute);
  rest %= kTicksPerMinute;
  time.second = static_cast<int>(rest / kTicksPerSecond);
  time.fraction = static_cast<std::int32_t>(rest % kTicksPerSecond);
  return time;
}

std::string FormatIso8601(Ticks localTicks, Ticks offsetTicks) {
  const CivilTime time = CivilFromTicks(localTicks);
  // Minutes first: negating the ticks themselves could overflow at the type's minimum.
  const long long offsetMinutes = offsetTicks / kTicksPerMinute;
  const long long absMinutes = std::llabs(offsetMinutes);
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%07d%c%02lld:%02lld", time.year, time.month, time.day,
                time.hour, time.minute, time.second, static_cast<int>(time.fraction), offsetMinutes < 0 ? '-' : '+',
                absMinutes / 60, absMinutes % 60);
  return text;
}

std::string FormatShortTime(Ticks localTicks) {
  const CivilTime time = CivilFromTicks(localTicks);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return text;
}

}  // namespace cli
