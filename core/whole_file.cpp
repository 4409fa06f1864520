#include "core/whole_file.h"

#include <algorithm>

#include "core/file_api.h"
#include "core/system_error.h"
#include "core/win_handles.h"

namespace core {
namespace {

constexpr DWORD kChunk = 1 << 20;
// Larger than any journal fstamp writes (a million paths is about 100 MB): anything bigger is
// not one of them, and reading it would only exhaust memory.
constexpr std::uint64_t kMaxBytes = std::uint64_t{1} << 30;

}  // namespace

DWORD ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  FileApi& api = CurrentFileApi();
  const UniqueFileHandle file(api.OpenFile(PlatformPath(path).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
  if (!file) return LastErrorOr(ERROR_FILE_NOT_FOUND);
  for (;;) {
    if (bytes.size() >= kMaxBytes) return ERROR_FILE_TOO_LARGE;
    const std::size_t used = bytes.size();
    bytes.resize(used + kChunk);
    DWORD read = 0;
    if (!api.ReadBytes(file.get(), bytes.data() + used, kChunk, &read)) {
      const DWORD error = LastErrorOr(ERROR_READ_FAULT);
      bytes.clear();
      return error;
    }
    bytes.resize(used + read);
    if (read == 0) return 0;
  }
}

DWORD WriteNewFileDurably(const std::string& path, std::string_view bytes) {
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  FileApi& api = CurrentFileApi();
  const std::wstring platformPath = PlatformPath(path);
  UniqueFileHandle file(api.OpenFile(platformPath.c_str(), GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
  if (!file) return LastErrorOr(ERROR_ACCESS_DENIED);

  DWORD error = 0;
  for (std::size_t done = 0; done < bytes.size() && error == 0;) {
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD written = 0;
    if (!api.WriteBytes(file.get(), bytes.data() + done, size, &written) || written == 0) {
      error = LastErrorOr(ERROR_WRITE_FAULT);
    }
    done += written;
  }
  if (error == 0 && !api.FlushFile(file.get())) error = LastErrorOr(ERROR_WRITE_FAULT);
  if (error != 0) {
    file.reset();
    DeleteFileW(platformPath.c_str());
  }
  return error;
}

DWORD RemoveFile(const std::string& path) {
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  return DeleteFileW(PlatformPath(path).c_str()) ? 0 : LastErrorOr(ERROR_ACCESS_DENIED);
}

}  // namespace core
