#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/local_date_time.h"

// Small helpers named by the control they work on; each is a message or two.
namespace app {

std::string GetText(HWND control);
void SetText(HWND control, const std::string& text);

bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);

// Date-time pickers hold local wall-clock time.
core::LocalDateTime DtpGetTime(HWND picker);
// False when the picker refuses the value (outside its range: before 1601, or 1752 in some
// builds of the control); it then keeps the value it had.
bool DtpSetTime(HWND picker, const core::LocalDateTime& value);
// The format text must stay valid while the picker lives.
void DtpSetFormat(HWND picker, const char* format);

int LvRowCount(HWND list);
std::string LvGetText(HWND list, int row, int column);
void LvSetText(HWND list, int row, int column, const std::string& text);
int LvSelectedCount(HWND list);
bool LvIsSelected(HWND list, int row);
int LvFirstSelected(HWND list);
int LvIndent(HWND list, int row);
int LvImage(HWND list, int row);

void SbSetText(HWND statusBar, const std::string& text);
std::string SbGetText(HWND statusBar);

}  // namespace app
