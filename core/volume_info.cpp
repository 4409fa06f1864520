#include "core/volume_info.h"

#include "core/file_api.h"
#include "core/text_encoding.h"

namespace core {

std::string FileSystemNameAt(const std::wstring& platformFolder) {
  wchar_t name[MAX_PATH + 1] = {};
  if (platformFolder.empty() || !CurrentFileApi().QueryFileSystemName(platformFolder.c_str(), name, MAX_PATH + 1))
    return {};
  return WideToUtf8(name);
}

}  // namespace core
