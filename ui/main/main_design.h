#pragma once

#include <span>

#include "app/window_design.h"
#include "version.h"

namespace ui::main {

// Control ids of the main window, unique within it.
enum Control : int {
  图片框1 = 1001,
  分组框1,
  标签1,
  编辑框_文件路径,
  按钮_浏览,
  分组框2,
  标签_文件大小,
  编辑框_文件大小,
  标签_创建时间,
  日期框_创建时间,
  标签_修改时间,
  日期框_修改时间,
  标签_访问时间,
  日期框_访问时间,
  标签_文件属性,
  选择框_只读,
  选择框_存档,
  选择框_隐藏,
  选择框_系统,
  选择框1,
  按钮_批量修改,
  按钮_修改,
};

inline constexpr char kCaption[] = "Tavrin文件时间属性修改器 FileStamp " FILESTAMP_VERSION_SHORT " · 意见反馈请至项目主页";
// The credit line beside the buttons.
inline constexpr char kCredit[] = "FileStamp " FILESTAMP_VERSION_SHORT;
inline constexpr int kDesignWidth = 479;
inline constexpr int kDesignHeight = 283;
inline constexpr int kClientHeight = 258;

std::span<const app::ControlSpec> MainDesign();

}  // namespace ui::main
