#include "win32/scoped.h"
#include "win32/text.h"
#include "win32/tray_window.h"

namespace orvo::win32 {

int TrayWindow::PopupMenu(std::span<const std::string_view> items) {
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == "-") {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.get(), MF_STRING, i + 1, Widen(items[i]).c_str());
    }
  }
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close on a click elsewhere.
  SetForegroundWindow(hwnd());
  // Left and top aligned at the pointer, as the flags' zero values say.
  const int chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON, at.x,
                                    at.y, 0, hwnd(), nullptr);
  PostMessageW(hwnd(), WM_NULL, 0, 0);
  return chosen > 0 ? chosen - 1 : -1;
}

}  // namespace orvo::win32
