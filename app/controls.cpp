#include "app/controls.h"

#include <commctrl.h>

#include <vector>

#include "core/file_time_convert.h"
#include "core/text_encoding.h"

namespace app {

// Window texts cross in UTF-16, whose lengths the system reports exactly.
std::string GetText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return core::WideToUtf8(text);
}

void SetText(HWND control, const std::string& text) { SetWindowTextW(control, core::Utf8ToWide(text).c_str()); }

bool IsChecked(HWND checkBox) { return SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND checkBox, bool checked) {
  SendMessageA(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

core::LocalDateTime DtpGetTime(HWND picker) {
  SYSTEMTIME fields{};
  SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&fields));
  return core::FromSystemTime(fields);
}

bool DtpSetTime(HWND picker, const core::LocalDateTime& value) {
  SYSTEMTIME fields = core::ToSystemTime(value);
  return SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&fields)) != 0;
}

void DtpSetFormat(HWND picker, const char* format) {
  SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(format));
}

int LvRowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string LvGetText(HWND list, int row, int column) {
  // Asked in UTF-16, whose length the list reports exactly (a UTF-8 answer is counted in
  // characters, not bytes, and would cut a long name); grow until the text fits.
  std::wstring buffer(MAX_PATH + 1, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto copied = static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (copied + 1 < buffer.size()) return core::WideToUtf8(std::wstring_view(buffer.data(), copied));
    buffer.resize(buffer.size() * 4);
  }
}

void LvSetText(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = core::Utf8ToWide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int LvSelectedCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0)); }

bool LvIsSelected(HWND list, int row) {
  return (SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

int LvFirstSelected(HWND list) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

namespace {
LVITEMA QueryItem(HWND list, int row, UINT mask) {
  LVITEMA item{};
  item.mask = mask;
  item.iItem = row;
  SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item;
}
}  // namespace

int LvIndent(HWND list, int row) { return QueryItem(list, row, LVIF_INDENT).iIndent; }
int LvImage(HWND list, int row) { return QueryItem(list, row, LVIF_IMAGE).iImage; }

void SbSetText(HWND statusBar, const std::string& text) {
  SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string SbGetText(HWND statusBar) {
  // SB_GETTEXT takes no buffer size, so ask in UTF-16, whose length the bar reports exactly.
  const auto length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return core::WideToUtf8(text);
}

}  // namespace app
