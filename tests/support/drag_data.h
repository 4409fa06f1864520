#pragma once

#include <windows.h>

#include <oleidl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace testing_support {

// What the shell hands a drop target when files are dragged: a data object holding one
// CF_HDROP file list (DROPFILES with wide paths) in global memory.
Microsoft::WRL::ComPtr<IDataObject> MakeFileListData(const std::vector<std::string>& paths);
// Dragged text from another program: CF_TEXT only.
Microsoft::WRL::ComPtr<IDataObject> MakeTextData(const std::string& text);

// The drop target OLE keeps for a window after RegisterDragDrop (the compatibility property
// it sets on the window); null when none is registered. Not AddRef'd.
IDropTarget* RegisteredDropTarget(HWND window);

// A drag source for DoDragDrop that lets the drag loop run the given number of rounds and then
// drops; Esc is never pressed.
Microsoft::WRL::ComPtr<IDropSource> MakeDroppingSource(int roundsBeforeDrop);

}  // namespace testing_support
