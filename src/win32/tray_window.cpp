#include "win32/tray_window.h"

namespace orvo::win32 {

namespace {
// The class a script finds the program's tray window by.
constexpr wchar_t kClassName[] = L"OrvoAutocloseSysTray";
}  // namespace

TrayWindow::TrayWindow(Icons& icons) {
  // Without its window the icon still works, minus the mouse.
  window_.Create(kClassName, {WS_POPUP, WS_EX_TOOLWINDOW, 34, 34}, *this);
  icon_.emplace(shell_, ansi_, icons, reinterpret_cast<WindowHandle>(window_.hwnd()),
                RegisterWindowMessageA("TaskbarCreated"));
}

TrayWindow::~TrayWindow() {
  // The icon first: it takes itself out of the tray of a window that still
  // exists.
  icon_.reset();
  window_.Destroy();
}

LRESULT TrayWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (icon_) icon_->OnWindowMessage(msg, wparam, lparam);
  return DefWindowProcW(hwnd, msg, wparam, lparam);
}

}  // namespace orvo::win32
