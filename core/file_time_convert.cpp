#include "core/file_time_convert.h"

#include <vector>

namespace core {
namespace {

// Both directions convert with the daylight-saving rule of the date's own year
// (GetTimeZoneInformationForYear). With a null zone SystemTimeToTzSpecificLocalTime applies
// the current year's rule to every date, and FileTimeToLocalFileTime applies today's offset;
// the ...Ex forms would do the job but abort the process under Wine.
//
// Reading a year's rule costs about a third of a millisecond and a batch run converts three
// times per row, so the rules are kept for a second: a change of the zone is seen after that.
class ZoneRules {
 public:
  std::optional<TIME_ZONE_INFORMATION> ForYear(int year) {
    if (year < 1601 || year > 30827) return std::nullopt;
    const ULONGLONG now = GetTickCount64();
    if (now - readAt_ > kKeepMs || rules_.empty()) {
      rules_.clear();
      readAt_ = now;
      if (GetDynamicTimeZoneInformation(&zone_) == TIME_ZONE_ID_INVALID) return std::nullopt;
    }
    for (const Rule& rule : rules_)
      if (rule.year == year) return rule.zone;
    TIME_ZONE_INFORMATION zone{};
    if (!GetTimeZoneInformationForYear(static_cast<USHORT>(year), &zone_, &zone)) return std::nullopt;
    // "Adjust for daylight saving time automatically" switched off: standard time all year.
    if (zone_.DynamicDaylightTimeDisabled) zone.StandardDate.wMonth = zone.DaylightDate.wMonth = 0;
    rules_.push_back({year, zone});
    return zone;
  }

 private:
  static constexpr ULONGLONG kKeepMs = 1000;
  struct Rule {
    int year;
    TIME_ZONE_INFORMATION zone;
  };
  DYNAMIC_TIME_ZONE_INFORMATION zone_{};
  std::vector<Rule> rules_;
  ULONGLONG readAt_ = 0;
};

ZoneRules& Rules() {
  static ZoneRules rules;
  return rules;
}

constexpr std::uint64_t kTicksPerMillisecond = 10'000;

// UTC fields -> local fields, by the rule of the UTC year; near New Year the local year can
// differ, and then its own rule decides.
std::optional<SYSTEMTIME> UtcFieldsToLocal(const SYSTEMTIME& utc) {
  auto zone = Rules().ForYear(utc.wYear);
  SYSTEMTIME local;
  if (!zone || !SystemTimeToTzSpecificLocalTime(&*zone, &utc, &local)) return std::nullopt;
  if (local.wYear != utc.wYear) {
    SYSTEMTIME again;
    zone = Rules().ForYear(local.wYear);
    if (zone && SystemTimeToTzSpecificLocalTime(&*zone, &utc, &again)) local = again;
  }
  return local;
}

std::optional<SYSTEMTIME> LocalFieldsToUtc(const SYSTEMTIME& local) {
  const auto zone = Rules().ForYear(local.wYear);
  SYSTEMTIME utc;
  if (!zone || !TzSpecificLocalTimeToSystemTime(&*zone, &local, &utc)) return std::nullopt;
  return utc;
}

}  // namespace

SYSTEMTIME ToSystemTime(const LocalDateTime& value) {
  SYSTEMTIME fields{};
  fields.wYear = static_cast<WORD>(value.year);
  fields.wMonth = static_cast<WORD>(value.month);
  fields.wDay = static_cast<WORD>(value.day);
  fields.wHour = static_cast<WORD>(value.hour);
  fields.wMinute = static_cast<WORD>(value.minute);
  fields.wSecond = static_cast<WORD>(value.second);
  return fields;
}

LocalDateTime FromSystemTime(const SYSTEMTIME& fields) {
  return LocalDateTime::FromFields(fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute,
                                   fields.wSecond);
}

std::optional<LocalDateTime> FileTimeToLocal(const FILETIME& utc) {
  SYSTEMTIME utcFields;
  if (!FileTimeToSystemTime(&utc, &utcFields)) return std::nullopt;
  const auto local = UtcFieldsToLocal(utcFields);
  if (!local) return std::nullopt;
  // Milliseconds are dropped (truncation); a local year past 9999 is clamped.
  return FromSystemTime(*local);
}

std::optional<FILETIME> LocalToFileTime(const LocalDateTime& local) {
  // Dates before 1601-01-01, the start of the file-time range, fail here.
  const auto utcFields = LocalFieldsToUtc(ToSystemTime(local));
  FILETIME utc;
  if (!utcFields || !SystemTimeToFileTime(&*utcFields, &utc)) return std::nullopt;
  return utc;
}

std::optional<std::int64_t> LocalOffsetAt(const FILETIME& utc) {
  SYSTEMTIME utcFields;
  if (!FileTimeToSystemTime(&utc, &utcFields)) return std::nullopt;
  const auto local = UtcFieldsToLocal(utcFields);
  FILETIME utcWhole, localWhole;  // both to the millisecond, as the calendar records hold them
  if (!local || !SystemTimeToFileTime(&utcFields, &utcWhole) || !SystemTimeToFileTime(&*local, &localWhole))
    return std::nullopt;
  return static_cast<std::int64_t>(ToTicks(localWhole) - ToTicks(utcWhole));
}

std::optional<FILETIME> LocalTicksToUtc(std::uint64_t localTicks) {
  const FILETIME localWhole = FromTicks(localTicks - localTicks % kTicksPerMillisecond);
  SYSTEMTIME localFields;
  if (!FileTimeToSystemTime(&localWhole, &localFields)) return std::nullopt;
  const auto utcFields = LocalFieldsToUtc(localFields);
  FILETIME utc;
  if (!utcFields || !SystemTimeToFileTime(&*utcFields, &utc)) return std::nullopt;
  return FromTicks(ToTicks(utc) + localTicks % kTicksPerMillisecond);
}

}  // namespace core
