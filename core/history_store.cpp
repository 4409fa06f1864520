#include "core/history_store.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/file_api.h"
#include "core/file_time_convert.h"
#include "core/folder_listing.h"
#include "core/system_error.h"
#include "core/text_encoding.h"
#include "core/whole_file.h"

namespace core {
namespace {

constexpr std::string_view kJournalSuffix = ".journal";
constexpr std::string_view kUndoneSuffix = ".undone";

std::string Join(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path.append(name);
}

std::string BaseId(std::uint64_t startUtc) {
  SYSTEMTIME fields{};
  const FILETIME time = FromTicks(startUtc);
  FileTimeToSystemTime(&time, &fields);
  char text[32];
  std::snprintf(text, sizeof text, "%04u%02u%02u-%02u%02u%02u-%03u", fields.wYear, fields.wMonth, fields.wDay,
                fields.wHour, fields.wMinute, fields.wSecond, fields.wMilliseconds);
  return text;
}

// Newest first: by start time, then by the number that tells apart changes of one millisecond.
bool Newer(const HistoryEntry& a, const HistoryEntry& b) {
  const auto split = [](const std::string& id) {
    const std::size_t dash = id.find('-', 16);
    return std::make_pair(id.substr(0, dash), dash == std::string::npos ? 1 : std::atoi(id.c_str() + dash + 1));
  };
  return split(a.id) > split(b.id);
}

bool Digits(std::string_view text, std::size_t from, std::size_t count) {
  if (text.size() < from + count) return false;
  return std::all_of(text.begin() + from, text.begin() + from + count, [](char c) { return c >= '0' && c <= '9'; });
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() > suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Creates the folder and every missing one above it.
DWORD MakeFolders(const std::string& folder) {
  const std::wstring path = PlatformPath(folder);
  if (CreateDirectoryW(path.c_str(), nullptr)) return 0;
  DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS) return 0;
  if (error != ERROR_PATH_NOT_FOUND) return error;
  const std::size_t cut = folder.find_last_of('\\');
  if (cut == std::string::npos || cut == 0) return error;
  if (const DWORD parent = MakeFolders(folder.substr(0, cut))) return parent;
  if (CreateDirectoryW(path.c_str(), nullptr)) return 0;
  error = GetLastError();
  return error == ERROR_ALREADY_EXISTS ? 0 : error;
}

}  // namespace

bool IsHistoryId(std::string_view text) {
  // YYYYMMDD-HHMMSS-mmm, then optionally -N
  if (text.size() < 19 || !Digits(text, 0, 8) || text[8] != '-' || !Digits(text, 9, 6) || text[15] != '-' ||
      !Digits(text, 16, 3)) {
    return false;
  }
  if (text.size() == 19) return true;
  return text[19] == '-' && text.size() > 20 && Digits(text, 20, text.size() - 20);
}

std::string HistoryFolder() {
  std::string base;
  if (const DWORD size = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0)) {
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), size);
    value.resize(length < size ? length : 0);
    base = WideToUtf8(value);
  }
  if (base.empty()) {
    PWSTR known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known))) base = WideToUtf8(known);
    CoTaskMemFree(known);
  }
  return base.empty() ? std::string() : Join(Join(base, "FileStamp"), "history");
}

DWORD RecordHistory(const std::string& folder, std::uint64_t startUtc, std::string_view journal, std::string& id) {
  if (folder.empty()) return ERROR_PATH_NOT_FOUND;
  if (const DWORD error = MakeFolders(folder)) return error;
  const std::string base = BaseId(startUtc);
  for (int number = 1; number < 1000; ++number) {
    const std::string candidate = number == 1 ? base : base + "-" + std::to_string(number);
    const DWORD error = WriteNewFileDurably(Join(folder, candidate + std::string(kJournalSuffix)), journal);
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;  // another change's name
    if (error == 0) id = candidate;
    return error;
  }
  return ERROR_FILE_EXISTS;
}

std::vector<HistoryEntry> ListHistory(const std::string& folder) {
  std::vector<HistoryEntry> entries;
  std::vector<std::string> undone;
  ListFolder(folder, [&](const FolderEntry& found) {
    if (found.IsFolder()) return;
    if (EndsWith(found.name, kJournalSuffix)) {
      HistoryEntry entry;
      entry.id = found.name.substr(0, found.name.size() - kJournalSuffix.size());
      entry.path = Join(folder, found.name);
      entry.bytes = found.state.size;
      entries.push_back(std::move(entry));
    } else if (EndsWith(found.name, kUndoneSuffix)) {
      undone.push_back(found.name.substr(0, found.name.size() - kUndoneSuffix.size()));
    }
  });
  for (HistoryEntry& entry : entries) entry.undone = std::find(undone.begin(), undone.end(), entry.id) != undone.end();
  std::sort(entries.begin(), entries.end(), Newer);
  return entries;
}

void PruneHistory(const std::string& folder, const HistoryLimits& limits, const std::string& keep) {
  std::size_t count = 0;
  std::uint64_t bytes = 0;
  for (const HistoryEntry& entry : ListHistory(folder)) {
    ++count;
    bytes += entry.bytes;
    if (entry.id == keep || (count <= limits.entries && bytes <= limits.bytes)) continue;
    RemoveHistoryEntry(folder, entry.id);
  }
}

DWORD MarkUndone(const std::string& folder, const std::string& id) {
  return WriteNewFileDurably(Join(folder, id + std::string(kUndoneSuffix)), "");
}

DWORD RemoveHistoryEntry(const std::string& folder, const std::string& id) {
  const DWORD error = RemoveFile(Join(folder, id + std::string(kJournalSuffix)));
  RemoveFile(Join(folder, id + std::string(kUndoneSuffix)));
  return error;
}

DWORD ClearHistory(const std::string& folder) {
  DWORD first = 0;
  for (const HistoryEntry& entry : ListHistory(folder)) {
    const DWORD error = RemoveHistoryEntry(folder, entry.id);
    if (!first) first = error;
  }
  return first;
}

}  // namespace core
