#pragma once

#include <string>
#include <unordered_map>

#include "cli/time_precision.h"

namespace cli {

// The time precision of the volume that holds a folder, asked of the volume once per folder
// and kept for the run.
class VolumePrecisions {
 public:
  // folder: a platform path ending in '\' (see FolderOf).
  const TimePrecision& For(const std::wstring& folder);

 private:
  std::unordered_map<std::wstring, TimePrecision> known_;
  const std::wstring* lastFolder_ = nullptr;
  const TimePrecision* last_ = nullptr;
};

}  // namespace cli
