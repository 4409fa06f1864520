#include "ui/main/main_design.h"

#include <commctrl.h>

namespace ui::main {
namespace {

constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX;
constexpr DWORD kEdit = ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD kPicker = DTS_UPDOWN | DTS_LONGDATEFORMAT | WS_TABSTOP | WS_DISABLED;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | BS_VCENTER | BS_MULTILINE | WS_TABSTOP | WS_DISABLED;
constexpr DWORD kButton = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;

// Table order is creation order and tab order; containers come before their controls.
constexpr app::ControlSpec kDesign[] = {
    // SS_REALSIZECONTROL: the box keeps its scaled size and the banner is drawn to fit it.
    {图片框1, 0, "STATIC", "", SS_BITMAP | SS_REALSIZECONTROL, 0, 4, -57, 464, 57},
    {分组框1, 0, "BUTTON", "", BS_GROUPBOX, 0, 5, 60, 463, 45},
    {标签1, 分组框1, "STATIC", "文件路径:", kLabel, 0, 11, 16, 56, 16},
    {编辑框_文件路径, 分组框1, "EDIT", "", kEdit, WS_EX_CLIENTEDGE, 69, 14, 300, 22},
    {按钮_浏览, 分组框1, "BUTTON", "浏览(&V)...", kButton | WS_TABSTOP, 0, 378, 13, 76, 23},
    {分组框2, 0, "BUTTON", "文件属性", BS_GROUPBOX, 0, 5, 110, 463, 110},
    {标签_文件大小, 分组框2, "STATIC", "文件大小:", kLabel, 0, 11, 22, 56, 16},
    {编辑框_文件大小, 分组框2, "EDIT", "", kEdit | WS_DISABLED, WS_EX_CLIENTEDGE, 71, 20, 145, 22},
    {标签_创建时间, 分组框2, "STATIC", "创建时间:", kLabel, 0, 246, 22, 56, 16},
    {日期框_创建时间, 分组框2, DATETIMEPICK_CLASSA, "", kPicker, 0, 307, 20, 145, 22},
    {标签_修改时间, 分组框2, "STATIC", "修改时间:", kLabel, 0, 11, 53, 56, 16},
    {日期框_修改时间, 分组框2, DATETIMEPICK_CLASSA, "", kPicker, 0, 71, 51, 145, 22},
    {标签_访问时间, 分组框2, "STATIC", "访问时间:", kLabel, 0, 246, 53, 56, 16},
    {日期框_访问时间, 分组框2, DATETIMEPICK_CLASSA, "", kPicker, 0, 307, 51, 145, 22},
    {标签_文件属性, 分组框2, "STATIC", "文件属性:", kLabel, 0, 11, 84, 56, 16},
    {选择框_只读, 分组框2, "BUTTON", "只读", kCheck, 0, 71, 85, 46, 16},
    {选择框_存档, 分组框2, "BUTTON", "存档", kCheck, 0, 172, 85, 46, 16},
    {选择框_隐藏, 分组框2, "BUTTON", "隐藏", kCheck, 0, 278, 85, 46, 16},
    {选择框_系统, 分组框2, "BUTTON", "系统", kCheck, 0, 381, 85, 46, 16},
    // A credit line: the box sits left of the client area, only the greyed caption shows,
    // right-aligned so that it ends at x = 137.
    {选择框1, 0, "BUTTON", kCredit, BS_AUTOCHECKBOX | BS_RIGHT | BS_VCENTER | WS_DISABLED, 0, -23, 232, 160,
     16},
    {按钮_批量修改, 0, "BUTTON", "批量修改(&B)...", kButton, 0, 259, 226, 106, 25},
    {按钮_修改, 0, "BUTTON", "修改(&M)...", kButton | WS_DISABLED, 0, 386, 226, 78, 25},
};

}  // namespace

std::span<const app::ControlSpec> MainDesign() { return kDesign; }

}  // namespace ui::main
