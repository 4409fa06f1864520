#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace ui::main {

// The banner picture from the program's resources, decoded by OLE; its bitmap lives as long
// as the returned picture. Null when it cannot be decoded.
Microsoft::WRL::ComPtr<IPicture> LoadBanner();

}  // namespace ui::main
