#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/ui_handles.h"

namespace ui::batch {

// The batch list's small icons (BatchImageList) and file type names. Rows that show the same
// icon share one image: a file row's icon and type come from its extension alone, and a folder
// row's icon is one of the shell's own, so the list of images grows with the kinds of icon
// shown, not with the rows.
class RowIcons {
 public:
  // size x size, 24-bit colour without mask, on the list's background colour.
  RowIcons(COLORREF background, int size);
  HIMAGELIST images() const { return images_.get(); }
  int size() const { return size_; }
  // Makes the list anew at another size with every image at the same index, so the rows'
  // indices stay valid. Returns the old list, for the caller to release once the list view
  // shows the new one (nothing when the size is the same).
  app::UniqueImageList Resize(int size);

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
  // Adds (and takes over) the icon the shell gave for the item; the question is kept so that
  // Resize can ask it again. -1 when there is no icon.
  int Add(HICON icon, const std::wstring& item, UINT query);
  // The size flag for the shell's icon queries, from the list's size.
  UINT SizeQuery() const;
  Look FromRealItem(const std::string& path);
  const std::string* TypeName(const std::wstring& name);

  // How the shell was asked for one image: its item and query.
  struct Source {
    std::wstring item;
    UINT query;
  };

  COLORREF background_;
  int size_;
  app::UniqueImageList images_;
  std::vector<Source> sources_;  // one per image, in image order
  std::unordered_map<std::wstring, Look> byExtension_;
  std::unordered_map<int, int> bySystemImage_;  // the shell's image index -> ours
  std::unordered_map<std::string, Look> byPath_;  // answers about real items
  std::unordered_set<std::string> typeNames_;     // stable storage the rows point into
};

}  // namespace ui::batch
