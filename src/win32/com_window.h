#pragma once

#include "win32/com_support.h"

namespace orvo::win32 {

// One item of the shell's collection as a browser window, with its document
// and script window behind it; anything else (a folder view, a window that
// is already gone) is an empty reference.
[[nodiscard]] HResult ToBrowserWindow(Variant& item, Ref<BrowserWindow>& window);

}  // namespace orvo::win32
