#include "ui/batch/batch_rows.h"

#include "core/file_stamp.h"

namespace ui::batch {
namespace {

// The name part of a path, as PathFindFileName finds it: after the last backslash (or the
// drive's colon), or the last part before a trailing backslash.
std::string NameOf(const std::string& path) {
  std::size_t end = path.size();
  if (end > 1 && path[end - 1] == '\\' && path[end - 2] != ':') --end;
  const std::size_t slash = path.find_last_of("\\:", end == 0 ? 0 : end - 1);
  if (slash == std::string::npos || (slash + 1 == path.size())) return path.substr(0, end);
  return path.substr(slash + 1, end - slash - 1);
}

}  // namespace

void BatchRows::RemoveMarked(const std::vector<bool>& marked) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i < marked.size() && marked[i]) continue;
    if (kept != i) rows_[kept] = std::move(rows_[i]);
    ++kept;
  }
  rows_.resize(kept);
}

void BatchRows::Clear() { std::vector<BatchRow>().swap(rows_); }

std::string BatchRows::CellText(std::size_t index, Column column) const {
  const BatchRow& row = rows_[index];
  switch (column) {
    case kColumnName:
      return NameOf(row.path);
    case kColumnSize:
      return row.kind == RowKind::kFile && row.sizeKnown ? core::FormatByteSize(row.size) : std::string();
    case kColumnType:
      switch (row.kind) {
        case RowKind::kDriveRoot:
          return kDriveType;
        case RowKind::kFolder:
          return kFolderType;
        case RowKind::kFile:
          return row.typeName ? *row.typeName : std::string();
      }
      return {};
    case kColumnPath:
      return row.path;
    case kColumnStatus:
      switch (row.status) {
        case RowStatus::kPending:
          return " -";
        case RowStatus::kSucceeded:
          return "成功";
        case RowStatus::kFailed:
          return "失败";
      }
  }
  return {};
}

}  // namespace ui::batch
