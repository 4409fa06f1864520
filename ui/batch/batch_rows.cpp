#include "ui/batch/batch_rows.h"

#include <windows.h>
// shlwapi.h needs windows.h before it.
#include <shlwapi.h>

#include "core/file_stamp.h"

namespace ui::batch {

void BatchRows::Append(BatchRow row) {
  row.nameStart = static_cast<std::uint32_t>(PathFindFileNameA(row.path.c_str()) - row.path.c_str());
  rows_.push_back(std::move(row));
}

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
      return row.path.substr(row.nameStart);
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
