#include "win32/tray_window.h"

namespace orvo::win32 {

TrayWindow::TrayWindow(Icons& icons, ShellNotifyIcon shell)
    : taskbar_created_(RegisterWindowMessageA("TaskbarCreated")),
      shell_(shell),
      timers_(window_),
      icon_(*this, icons) {
  // The class a script finds the program by. Without the window the icon
  // still shows, but no timer ticks and the mouse goes unheard.
  window_.Create(L"OrvoAutocloseSysTray", {WS_POPUP, WS_EX_TOOLWINDOW, 34, 34}, *this);
}

void TrayWindow::Notify(std::uint32_t message, std::uint32_t flags, IconHandle icon) {
  shell_.Notify(hwnd(), message, flags, reinterpret_cast<HICON>(icon));
}

LRESULT TrayWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_TIMER) {
    timers_.Tick(wparam);
    return 0;
  }
  if (msg == ShellNotifyIcon::kCallbackMessage) {
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
