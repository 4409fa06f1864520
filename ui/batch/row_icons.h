#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "app/ui_handles.h"

namespace ui::batch {

// The batch list's small icons (BatchImageList) and file type names. Rows that show the same
// icon share one image: a file row's icon and type come from its extension alone, and a folder
// row's icon is one of the shell's own, so the list of images grows with the kinds of icon
// shown, not with the rows.
class RowIcons {
 public:
  // 16 x 16, 24-bit colour without mask, on the list's background colour.
  explicit RowIcons(COLORREF background);
  HIMAGELIST images() const { return images_.get(); }

  struct Look {
    int image = -1;  // -1: the shell had no icon
    const std::string* typeName = nullptr;
  };
  // A file row: asked from the name's extension alone; the shell neither opens nor reads the
  // file. When the shell cannot answer so, the real item is asked, with the shortcut overlay.
  Look ForFile(const std::string& path);
  // A folder row: the shell looks at the real folder, so special folders and drives get
  // their own icons. Its type name is not asked.
  int ForFolder(const std::string& path);

 private:
  int Add(HICON icon);
  Look FromRealItem(const std::string& path);
  const std::string* TypeName(const std::wstring& name);

  app::UniqueImageList images_;
  std::unordered_map<std::wstring, Look> byExtension_;
  std::unordered_map<int, int> bySystemImage_;  // the shell's image index -> ours
  std::unordered_map<std::string, Look> byPath_;  // answers about real items
  std::unordered_set<std::string> typeNames_;     // stable storage the rows point into
};

}  // namespace ui::batch
