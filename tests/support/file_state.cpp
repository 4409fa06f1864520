#include "tests/support/file_state.h"

#include <stdexcept>

#include "core/file_api.h"
#include "core/win_handles.h"

namespace testing_support {

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FromTicks(std::uint64_t ticks) {
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

FILETIME UtcTime(int year, int month, int day, int hour, int minute, int second, std::uint64_t extraTicks) {
  SYSTEMTIME fields{};
  fields.wYear = static_cast<WORD>(year);
  fields.wMonth = static_cast<WORD>(month);
  fields.wDay = static_cast<WORD>(day);
  fields.wHour = static_cast<WORD>(hour);
  fields.wMinute = static_cast<WORD>(minute);
  fields.wSecond = static_cast<WORD>(second);
  FILETIME time;
  if (!SystemTimeToFileTime(&fields, &time)) throw std::runtime_error("bad UTC fields");
  return FromTicks(Ticks(time) + extraTicks);
}

std::wstring WidePath(const std::string& path) { return core::PlatformPath(path); }

namespace {

// Opens for attribute access only, sharing everything, so that a holder elsewhere does not
// get in the way; backup semantics so that folders open too.
core::UniqueFileHandle OpenForMetadata(const std::string& path, DWORD access) {
  return core::UniqueFileHandle(CreateFileW(WidePath(path).c_str(), access,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

PathState ReadPathState(const std::string& path) {
  PathState state;
  state.attributes = GetFileAttributesW(WidePath(path).c_str());
  if (state.attributes == INVALID_FILE_ATTRIBUTES) throw std::runtime_error("no attributes for " + path);
  const auto file = OpenForMetadata(path, FILE_READ_ATTRIBUTES);
  FILETIME creation, access, write;
  if (!file || !GetFileTime(file.get(), &creation, &access, &write)) throw std::runtime_error("no times for " + path);
  state.creation = Ticks(creation);
  state.modification = Ticks(write);
  state.access = Ticks(access);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data))
    state.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return state;
}

void SetPathTimes(const std::string& path, const FILETIME* creation, const FILETIME* access, const FILETIME* write) {
  const auto file = OpenForMetadata(path, FILE_WRITE_ATTRIBUTES);
  if (!file || !SetFileTime(file.get(), creation, access, write))
    throw std::runtime_error("cannot set times of " + path);
}

void SetPathAttributes(const std::string& path, DWORD attributes) {
  if (!SetFileAttributesW(WidePath(path).c_str(), attributes))
    throw std::runtime_error("cannot set attributes of " + path);
}

}  // namespace testing_support

namespace core {

std::ostream& operator<<(std::ostream& out, const PathState& state) {
  return out << "{creation " << state.creation << ", modification " << state.modification << ", access " << state.access
             << ", attributes 0x" << std::hex << state.attributes << std::dec << ", size " << state.size << "}";
}

}  // namespace core
