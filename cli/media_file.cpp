#include "cli/media_file.h"

#include <windows.h>

#include "cli/media_date.h"
#include "cli/name_date.h"
#include "cli/platform_time.h"
#include "core/file_api.h"
#include "core/win_handles.h"

namespace cli {
namespace {

// An open file read at offsets through the date readers' ByteSource.
class FileSource : public ByteSource {
 public:
  FileSource(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
  std::uint64_t size() const override { return size_; }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
    DWORD read = 0;
    if (!core::CurrentFileApi().ReadBytesAt(file_, offset, into.data(), static_cast<DWORD>(into.size()), &read))
      return 0;
    return read;
  }

 private:
  HANDLE file_;
  std::uint64_t size_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

std::optional<FoundDate> ReadTakenDate(const std::wstring& platformPath) {
  // With the right to write attributes the handle can be told not to update the access time
  // (an access time of all ones); without it, read anyway.
  core::FileApi& api = core::CurrentFileApi();
  core::UniqueFileHandle file(api.OpenFile(platformPath.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, kShareAll,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (file) {
    FILE_BASIC_INFO keep{};
    keep.LastAccessTime.QuadPart = -1;
    api.SetBasicInfo(file.get(), keep);
  } else {
    file.reset(api.OpenFile(platformPath.c_str(), GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    if (!file) return std::nullopt;
  }
  std::uint64_t size = 0;
  if (!api.QuerySize(file.get(), &size)) return std::nullopt;
  FileSource source(file.get(), size);
  return ReadMediaDate(source);
}

PathDates ReadPathDates(const SetRequest& request, const WalkItem& item, Ticks nowUtc) {
  PathDates dates;
  const bool folder = (item.stamp.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (UsesDate(request, DateOrigin::Taken)) {
    if (folder) {
      dates.taken.keep = true;
    } else {
      dates.taken = MakePathDate(DateOrigin::Taken, ReadTakenDate(item.platform), LocalToUtcByPlatform);
    }
  }
  if (UsesDate(request, DateOrigin::Name)) {
    const int lastYear = LastNameYear(nowUtc + OffsetByPlatform(nowUtc));
    const auto found = ReadNameDate(NameOfPath(item.shown), lastYear);
    dates.name = MakePathDate(DateOrigin::Name, found, LocalToUtcByPlatform);
    dates.name.keep = folder && !found;
  }
  return dates;
}

}  // namespace cli
