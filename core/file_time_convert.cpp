#include "core/file_time_convert.h"

namespace core {

// Both directions go through SystemTimeToTzSpecificLocalTime / TzSpecificLocalTimeToSystemTime
// with the current zone (null): they apply the daylight-saving rule of the date being
// converted, whereas FileTimeToLocalFileTime and LocalFileTimeToFileTime apply today's offset
// to every date. The ...Ex forms would do the same job but abort the process under Wine.

std::optional<LocalDateTime> FileTimeToLocal(const FILETIME& utc) {
  SYSTEMTIME utcFields;
  if (!::FileTimeToSystemTime(&utc, &utcFields)) return std::nullopt;
  SYSTEMTIME localFields;
  if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utcFields, &localFields)) return std::nullopt;
  // Milliseconds are dropped (truncation); FromFields clamps a local year past 9999.
  return LocalDateTime::FromFields(localFields.wYear, localFields.wMonth, localFields.wDay, localFields.wHour,
                                   localFields.wMinute, localFields.wSecond);
}

std::optional<FILETIME> LocalToFileTime(const LocalDateTime& local) {
  SYSTEMTIME localFields{};
  localFields.wYear = static_cast<WORD>(local.year);
  localFields.wMonth = static_cast<WORD>(local.month);
  localFields.wDayOfWeek = 0;  // ignored by the conversions
  localFields.wDay = static_cast<WORD>(local.day);
  localFields.wHour = static_cast<WORD>(local.hour);
  localFields.wMinute = static_cast<WORD>(local.minute);
  localFields.wSecond = static_cast<WORD>(local.second);
  localFields.wMilliseconds = 0;
  // Both calls refuse dates before 1601-01-01, the start of the file-time range.
  SYSTEMTIME utcFields;
  if (!::TzSpecificLocalTimeToSystemTime(nullptr, &localFields, &utcFields)) return std::nullopt;
  FILETIME utc;
  if (!::SystemTimeToFileTime(&utcFields, &utc)) return std::nullopt;
  return utc;
}

}  // namespace core
