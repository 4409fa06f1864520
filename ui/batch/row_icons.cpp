#include "ui/batch/row_icons.h"

#include <utility>

#include "core/text_encoding.h"

namespace ui::batch {
namespace {

// From the name's extension alone: the shell neither opens nor reads the file. Each icon query
// gets its size flag from the list's size (SizeQuery).
constexpr UINT kFileQuery = SHGFI_TYPENAME | SHGFI_ICON | SHGFI_USEFILEATTRIBUTES;
constexpr UINT kFallbackQuery = SHGFI_TYPENAME | SHGFI_ICON | SHGFI_LINKOVERLAY;
constexpr UINT kFolderIconQuery = SHGFI_ICON;
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

app::UniqueImageList NewImageList(int size, COLORREF background) {
  app::UniqueImageList images(ImageList_Create(size, size, ILC_COLOR24, 0, kGrowth));
  ImageList_SetBkColor(images.get(), background);
  return images;
}

}  // namespace

RowIcons::RowIcons(COLORREF background, int size)
    : background_(background), size_(size), images_(NewImageList(size, background)) {}

// The shell's small icons have the small size of the system's DPI: a larger list takes its
// large icons, scaled down, rather than small ones blown up.
UINT RowIcons::SizeQuery() const { return size_ <= GetSystemMetrics(SM_CXSMICON) ? SHGFI_SMALLICON : SHGFI_LARGEICON; }

int RowIcons::Add(HICON icon, const std::wstring& item, UINT query) {
  const app::UniqueIcon owned(icon);  // the image list keeps its own copy
  const int image = owned ? ImageList_AddIcon(images_.get(), owned.get()) : -1;
  if (image >= 0) sources_.push_back({item, query & ~SHGFI_TYPENAME});
  return image;
}

app::UniqueImageList RowIcons::Resize(int size) {
  if (size == size_) return {};
  app::UniqueImageList old = std::exchange(images_, NewImageList(size, background_));
  size_ = size;
  // Every slot exists before it is filled, so an icon that fails leaves a blank, not a shift.
  const int count = static_cast<int>(sources_.size());
  ImageList_SetImageCount(images_.get(), static_cast<UINT>(count));
  for (int i = 0; i < count; ++i) {
    const Source& source = sources_[static_cast<std::size_t>(i)];
    SHFILEINFOW info{};
    // What the shell no longer answers (a path gone since) is taken from the old list, scaled.
    const bool asked =
        SHGetFileInfoW(source.item.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, source.query | SizeQuery());
    const app::UniqueIcon icon(asked && info.hIcon ? info.hIcon : ImageList_GetIcon(old.get(), i, ILD_NORMAL));
    if (icon) ImageList_ReplaceIcon(images_.get(), i, icon.get());
  }
  return old;
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
  if (!SHGetFileInfoW(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kFileQuery | SizeQuery()))
    return FromRealItem(path);
  const Look look{Add(info.hIcon, name, kFileQuery), TypeName(info.szTypeName)};
  byExtension_.emplace(key, look);
  return look;
}

RowIcons::Look RowIcons::FromRealItem(const std::string& path) {
  if (const auto known = byPath_.find(path); known != byPath_.end()) return known->second;
  const std::wstring wide = core::Utf8ToWide(path);
  SHFILEINFOW info{};
  SHGetFileInfoW(wide.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kFallbackQuery | SizeQuery());
  const Look look{Add(info.hIcon, wide, kFallbackQuery), TypeName(info.szTypeName)};
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
  SHGetFileInfoW(wide.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, kFolderIconQuery | SizeQuery());
  const int image = Add(info.hIcon, wide, kFolderIconQuery);
  bySystemImage_.emplace(which.iIcon, image);
  return image;
}

}  // namespace ui::batch
