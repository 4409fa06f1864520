#include "ui/batch/batch_design.h"

#include <commctrl.h>

namespace ui::batch {
namespace {

// SS_NOTIFY: the time labels take mouse presses (they switch their picker).
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY;
constexpr DWORD kPicker = DTS_UPDOWN | DTS_LONGDATEFORMAT | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | BS_VCENTER | BS_MULTILINE | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | WS_TABSTOP;
// The window owns the small-icon list and destroys it itself, so the list must not. The rows
// live in the window's own model; the list only shows them (owner data).
constexpr DWORD kList = LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_OWNERDATA;

// Table order is creation order and tab order; containers come before their controls.
constexpr app::ControlSpec kDesign[] = {
    {分组框, 0, "BUTTON", "文件属性", BS_GROUPBOX, 0, 5, 5, 565, 83},
    {标签_创建时间, 分组框, "STATIC", "创建时间:", kLabel, 0, 11, 22, 56, 16},
    {日期框_创建时间, 分组框, DATETIMEPICK_CLASSA, "", kPicker, 0, 71, 20, 145, 22},
    {标签_修改时间, 分组框, "STATIC", "修改时间:", kLabel, 0, 246, 22, 56, 16},
    {日期框_修改时间, 分组框, DATETIMEPICK_CLASSA, "", kPicker, 0, 307, 20, 145, 22},
    {标签_访问时间, 分组框, "STATIC", "访问时间:", kLabel, 0, 11, 53, 56, 16},
    {日期框_访问时间, 分组框, DATETIMEPICK_CLASSA, "", kPicker, 0, 71, 51, 145, 22},
    {选择框_只读, 分组框, "BUTTON", "只读", kCheck, 0, 246, 54, 46, 16},
    {选择框_存档, 分组框, "BUTTON", "存档", kCheck, 0, 301, 54, 46, 16},
    {选择框_隐藏, 分组框, "BUTTON", "隐藏", kCheck, 0, 355, 54, 46, 16},
    {选择框_系统, 分组框, "BUTTON", "系统", kCheck, 0, 410, 54, 46, 16},
    {按钮_浏览文件夹, 分组框, "BUTTON", "浏览(&V)...", kButton, 0, 475, 19, 80, 23},
    {按钮_批量修改, 分组框, "BUTTON", "修改(&M)...", kButton, 0, 475, 49, 80, 23},
    {超级列表框, 0, WC_LISTVIEWA, "", kList, WS_EX_CLIENTEDGE, 5, 94, 565, 252},
    // CCS_NORESIZE: the bar takes the height the layout gives it. Sizing itself, it would take
    // the system's DPI, not the window's, and never be lower than the system's caption buttons.
    {状态条, 0, STATUSCLASSNAMEA, "", CCS_BOTTOM | CCS_NORESIZE, 0, 0, 368, 575, 20},
};

constexpr ColumnSpec kColumns[] = {
    {"文件名", 135}, {"大小", 60}, {"类型", 95}, {"路径", 210}, {"状态", 40},
};

constexpr MenuItemSpec kMenu[] = {
    {菜单_移除选中项, "移除选中项(&D)..."},
    {菜单_清空所有项, "清空所有项(&C)..."},
    {0, "-"},
    {菜单_定位文件, "定位文件(&P)..."},
    {菜单_属性, "属性(&R)"},
};

}  // namespace

std::span<const app::ControlSpec> BatchDesign() { return kDesign; }
std::span<const ColumnSpec> BatchColumns() { return kColumns; }
std::span<const MenuItemSpec> BatchMenu() { return kMenu; }

}  // namespace ui::batch
