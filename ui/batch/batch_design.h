#pragma once

#include <span>

#include "app/window_design.h"

namespace ui::batch {

// Control ids of the batch window, unique within it.
enum Control : int {
  分组框 = 2001,
  标签_创建时间,
  日期框_创建时间,
  标签_修改时间,
  日期框_修改时间,
  标签_访问时间,
  日期框_访问时间,
  选择框_只读,
  选择框_存档,
  选择框_隐藏,
  选择框_系统,
  按钮_浏览文件夹,
  按钮_批量修改,
  超级列表框,
  状态条,
};

// Context-menu commands.
enum MenuCommand : int {
  菜单_移除选中项 = 2101,
  菜单_清空所有项,
  菜单_定位文件,
  菜单_属性,
};

struct ColumnSpec {
  const char* header;
  int width;
};

struct MenuItemSpec {
  int command;  // 0 for a separator
  const char* caption;
};

inline constexpr char kCaption[] = "批量修改";
inline constexpr int kDesignWidth = 581;
inline constexpr int kDesignHeight = 396;
inline constexpr int kClientHeight = 371;
inline constexpr char kStatusDesignText[] = "支持直接拖放多个文件或文件夹...";

// Column indexes of a row.
enum Column : int { kColumnName = 0, kColumnSize, kColumnType, kColumnPath, kColumnStatus };

std::span<const app::ControlSpec> BatchDesign();
std::span<const ColumnSpec> BatchColumns();
std::span<const MenuItemSpec> BatchMenu();

}  // namespace ui::batch
