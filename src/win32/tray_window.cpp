#include "win32/tray_window.h"

namespace orvo::win32 {

TrayWindow::TrayWindow(Icons& icons, NotifyA notify_a, NotifyW notify_w)
    : taskbar_created_(RegisterWindowMessageA("TaskbarCreated")),
      notify_a_(notify_a),
      notify_w_(notify_w),
      icon_(*this, icons) {
  // The class a script finds the program by. Without the window the icon
  // still shows, but no timer ticks and the mouse goes unheard.
  window_.Create(L"OrvoAutocloseSysTray", {WS_POPUP, WS_EX_TOOLWINDOW, 34, 34}, *this);
}

LRESULT TrayWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_TIMER) {
    OnTimer(wparam);
    return 0;
  }
  // The whole program hangs on this window: a close request (Alt+F4 while it
  // is in front after the menu, a script, a task kill without force) is
  // refused. The exit question is the way out.
  if (msg == WM_CLOSE || (msg == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_CLOSE)) return 0;
  if (msg == kCallbackMessage) {
    switch (lparam) {
      case WM_MOUSEMOVE:
        icon_.OnMouseMove();
        break;
      case WM_LBUTTONDOWN:
        icon_.OnButtonDown(TrayIconEvents::Button::kLeft);
        break;
      case WM_RBUTTONDOWN:
        icon_.OnButtonDown(TrayIconEvents::Button::kRight);
        break;
      default:
        break;
    }
  } else if (msg == taskbar_created_ && msg != 0) {
    icon_.OnTaskbarCreated();
  }
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace orvo::win32
