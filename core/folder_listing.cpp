#include "core/folder_listing.h"

#include "core/file_api.h"
#include "core/file_time_convert.h"
#include "core/text_encoding.h"
#include "core/win_handles.h"

namespace core {
namespace {

// Only a listing tells which kind of reparse point an entry is.
std::optional<DWORD> TagOf(const WIN32_FIND_DATAW& found) {
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return std::nullopt;
  return found.dwReserved0;
}

}  // namespace

DWORD ListFolder(const std::string& folder, const std::function<void(const FolderEntry&)>& visit) {
  if (folder.empty()) return ERROR_PATH_NOT_FOUND;
  FileApi& api = CurrentFileApi();
  std::wstring pattern = PlatformPath(folder);
  if (pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';

  WIN32_FIND_DATAW found;
  const UniqueFindHandle search(api.FindFirst(pattern.c_str(), &found));
  if (!search) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? 0 : error;
  }
  FolderEntry entry;
  do {
    const std::wstring_view name(found.cFileName);
    if (name == L"." || name == L"..") continue;
    entry.name = WideToUtf8(name);
    entry.state.creation = ToTicks(found.ftCreationTime);
    entry.state.modification = ToTicks(found.ftLastWriteTime);
    entry.state.access = ToTicks(found.ftLastAccessTime);
    entry.state.attributes = found.dwFileAttributes;
    entry.state.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    entry.reparseTag = TagOf(found);
    visit(entry);
  } while (api.FindNext(search.get(), &found));
  const DWORD error = GetLastError();
  return error == ERROR_NO_MORE_FILES ? 0 : error;
}

std::optional<DWORD> ReadReparseTag(const std::wstring& platformPath) {
  WIN32_FIND_DATAW found;
  const UniqueFindHandle search(CurrentFileApi().FindFirst(platformPath.c_str(), &found));
  if (!search) return std::nullopt;
  return TagOf(found);
}

}  // namespace core
