#include "core/file_time_convert.h"

namespace core {

// Both directions go through SystemTimeToTzSpecificLocalTime / TzSpecificLocalTimeToSystemTime
// with the current zone (null): they apply the daylight-saving rule of the date being
// converted, whereas FileTimeToLocalFileTime and LocalFileTimeToFileTime apply today's offset
// to every date. The ...Ex forms would do the same job but abort the process under Wine.

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
  if (!::FileTimeToSystemTime(&utc, &utcFields)) return std::nullopt;
  SYSTEMTIME localFields;
  if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utcFields, &localFields)) return std::nullopt;
  // Milliseconds are dropped (truncation); a local year past 9999 is clamped.
  return FromSystemTime(localFields);
}

std::optional<FILETIME> LocalToFileTime(const LocalDateTime& local) {
  const SYSTEMTIME localFields = ToSystemTime(local);
  // Both calls refuse dates before 1601-01-01, the start of the file-time range.
  SYSTEMTIME utcFields;
  if (!::TzSpecificLocalTimeToSystemTime(nullptr, &localFields, &utcFields)) return std::nullopt;
  FILETIME utc;
  if (!::SystemTimeToFileTime(&utcFields, &utc)) return std::nullopt;
  return utc;
}

}  // namespace core
