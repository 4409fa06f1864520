#include "cli/volume_precision.h"

#include "core/volume_info.h"

namespace cli {

const TimePrecision& VolumePrecisions::For(const std::wstring& folder) {
  // Paths come folder by folder, so the last answer is nearly always the one asked for.
  if (last_ && *lastFolder_ == folder) return *last_;
  auto found = known_.find(folder);
  if (found == known_.end()) {
    found = known_.emplace(folder, PrecisionOfFileSystem(core::FileSystemNameAt(folder))).first;
  }
  lastFolder_ = &found->first;
  last_ = &found->second;
  return *last_;
}

}  // namespace cli
