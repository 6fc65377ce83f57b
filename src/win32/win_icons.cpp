#include "win32/win_icons.h"

#include <windows.h>

#include <string>

#include "win32/last_error.h"

namespace orvo::win32 {

HResult WinIcons::LoadNamedIcon(std::string_view name, IconHandle& icon) {
  const std::string z(name);
  // Shared: the system keeps one copy per name, so the animation can load a
  // frame every tick without ever destroying one.
  HANDLE h = LoadImageA(GetModuleHandleW(nullptr), z.c_str(), IMAGE_ICON, 0, 0,
                        LR_DEFAULTSIZE | LR_SHARED);
  if (h == nullptr) return LastError();
  icon = reinterpret_cast<IconHandle>(h);
  return kOk;
}

}  // namespace orvo::win32
