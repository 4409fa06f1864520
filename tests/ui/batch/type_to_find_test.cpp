// Finding rows by name in the batch list: the list's find message and typed characters. The
// list holds no texts of its own (owner data), so the window answers both.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/controls.h"
#include "tests/support/batch_window_driver.h"
#include "tests/support/temp_folder.h"
#include "ui/batch/batch_design.h"

namespace {

using namespace ui::batch;
using testing_support::BatchWindowDriver;

// A batch window with rows of these names (the paths need not exist to be found).
std::unique_ptr<BatchWindowDriver> WindowWithRows(const testing_support::TempFolder& dir) {
  auto driver = std::make_unique<BatchWindowDriver>();
  for (const char* name : {"alpha.txt", "Beta.txt", "bravo.log", "beta.txt.bak", "名字.txt"})
    driver->AppendRow(dir.Child(name), RowKind::kFile);
  return driver;
}

TEST(TypeToFind, FindMessageSearchesTheNamesAsItsFlagsSay) {
  const testing_support::TempFolder dir;
  const auto driver = WindowWithRows(dir);
  const struct {
    UINT flags;
    const wchar_t* text;
    int after;
    int row;
  } cases[] = {
      {LVFI_STRING, L"BETA.TXT", -1, 1},        // whole name, either case
      {LVFI_STRING, L"bravo", -1, -1},          // a whole name is not a beginning
      {LVFI_PARTIAL, L"br", -1, 2},             // a beginning
      {0x0004, L"beta.txt.", -1, 3},            // LVFI_SUBSTRING: the same as partial
      {LVFI_PARTIAL, L"名", -1, 4},             // beyond ASCII
      {LVFI_PARTIAL, L"al", 2, -1},             // from the start row on, not wrapping
      {LVFI_PARTIAL | LVFI_WRAP, L"al", 2, 0},  // wrapping to the top
      {LVFI_PARTIAL, L"gamma", -1, -1},         // nothing
      {LVFI_PARAM, L"alpha.txt", -1, -1},       // rows carry no item data
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.flags << " " << c.after);
    LVFINDINFOW info{};
    info.flags = c.flags;
    info.psz = c.text;
    EXPECT_EQ(SendMessageW(driver->control(超级列表框), LVM_FINDITEMW, static_cast<WPARAM>(c.after),
                           reinterpret_cast<LPARAM>(&info)),
              c.row);
  }
}

TEST(TypeToFind, TypedCharactersSelectTheNextRowWhoseNameBeginsWithThem) {
  const testing_support::TempFolder dir;
  const struct {
    int focused;
    const wchar_t* typed;  // in quick succession, as one search
    int selected;
  } cases[] = {
      {0, L"b", 1},   // the first match after the focused row
      {1, L"b", 2},   // the next one
      {0, L"bR", 2},  // several characters, either case
      {3, L"a", 0},   // past the end, from the top
      {2, L"z", 2},   // no match: the selection stays
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.focused << " " << c.selected);
    // A window of its own: the list joins characters typed close together into one search.
    const auto driver = WindowWithRows(dir);
    HWND list = driver->control(超级列表框);
    LVITEMW item{};
    item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(c.focused), reinterpret_cast<LPARAM>(&item));
    for (const wchar_t* typed = c.typed; *typed; ++typed) SendMessageW(list, WM_CHAR, *typed, 1);
    EXPECT_EQ(app::LvFirstSelected(list), c.selected);
    EXPECT_EQ(app::LvSelectedCount(list), 1);
  }
}

}  // namespace
