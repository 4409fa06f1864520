#include "ui/batch/row_icons.h"

#include <shellapi.h>

#include "core/text_encoding.h"

namespace ui::batch {
namespace {

// From the name's extension alone: the shell neither opens nor reads the file.
constexpr UINT kFileQuery = SHGFI_TYPENAME | SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | SHGFI_SMALLICON;
constexpr UINT kFallbackQuery = SHGFI_TYPENAME | SHGFI_ICON | SHGFI_LINKOVERLAY | SHGFI_SMALLICON;
constexpr UINT kFolderIconQuery = SHGFI_ICON | SHGFI_SMALLICON;
// Which of the shell's own images a folder shows: the key that lets folders share one image.
constexpr UINT kFolderImageQuery = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
// Images come in kinds, not per row: a small step is enough.
constexpr int kGrowth = 16;

// The name part of a path, and its extension as the key of the shell's answer. Kept as
// written: for an extension it does not know, the shell words the type from the name itself.
std::wstring NameOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ExtensionKey(const std::wstring& name) {
  const std::size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

}  // namespace

RowIcons::RowIcons(COLORREF background) : images_(ImageList_Create(16, 16, ILC_COLOR24, 0, kGrowth)) {
  ImageList_SetBkColor(images_.get(), background);
}

int RowIcons::Add(HICON icon) {
  const app::UniqueIcon owned(icon);  // the image list keeps its own copy
  return owned ? ImageList_AddIcon(images_.get(), owned.get()) : -1;
}

const std::string* RowIcons::TypeName(const std::wstring& name) {
  return &*typeNames_.insert(core::WideToUtf8(name)).first;
}

RowIcons::Look RowIcons::ForFile(const std::string& path) {
  // The name alone carries everything this query looks at, and keeps long paths out of a
  // call that is limited to MAX_PATH.
  const std::wstring name = NameOf(core::Utf8ToWide(path));
  const std::wstring key = ExtensionKey(name);
  if (const auto known = byExtension_.find(key); known != byExtension_.end()) return known->second;
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kFileQuery)) return FromRealItem(path);
  const Look look{Add(info.hIcon), TypeName(info.szTypeName)};
  byExtension_.emplace(key, look);
  return look;
}

RowIcons::Look RowIcons::FromRealItem(const std::string& path) {
  if (const auto known = byPath_.find(path); known != byPath_.end()) return known->second;
  SHFILEINFOW info{};
  SHGetFileInfoW(core::Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kFallbackQuery);
  const Look look{Add(info.hIcon), TypeName(info.szTypeName)};
  byPath_.emplace(path, look);
  return look;
}

int RowIcons::ForFolder(const std::string& path) {
  const std::wstring wide = core::Utf8ToWide(path);
  SHFILEINFOW which{};
  if (!SHGetFileInfoW(wide.c_str(), FILE_ATTRIBUTE_NORMAL, &which, sizeof which, kFolderImageQuery))
    return FromRealItem(path).image;
  if (const auto known = bySystemImage_.find(which.iIcon); known != bySystemImage_.end()) return known->second;
  SHFILEINFOW info{};
  SHGetFileInfoW(wide.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kFolderIconQuery);
  const int image = Add(info.hIcon);
  bySystemImage_.emplace(which.iIcon, image);
  return image;
}

}  // namespace ui::batch
