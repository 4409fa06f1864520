#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "ui/batch/batch_window.h"

namespace testing_support {

// A real batch window for in-process tests, built from its design and shown, with the small
// steps a user would take on it. Destroyed with the driver.
class BatchWindowDriver {
 public:
  BatchWindowDriver();

  ui::batch::BatchWindow& window() { return window_; }
  HWND hwnd() const { return window_.hwnd(); }
  HWND control(int id) const { return window_.control(id); }

  std::string StatusText() const;
  int RowCount() const;
  std::string Cell(int row, int column) const;
  // The given column of every row, top to bottom.
  std::vector<std::string> Column(int column) const;
  // Appends a row of the given kind and path without looking at the path (a drive root's row
  // without the real drive).
  void AppendRow(const std::string& path, ui::batch::RowKind kind);

  // Selects exactly the given rows.
  void SelectRows(std::initializer_list<int> rows);

  // A left-button press and release on a time label, delivered to the label itself.
  void PressLabel(int label);
  // The text colour the window gives the label when it is painted.
  COLORREF LabelColor(int label) const;
  void Tick(int checkBox, bool ticked = true);

  // The list view's right-click notification, as the list sends it for a click on empty space.
  void NotifyRightClick();

 private:
  ui::batch::BatchWindow window_;
};

}  // namespace testing_support
