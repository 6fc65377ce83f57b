#include "win32/win_window_procs.h"

#include "systray/mSysTray.h"

namespace orvo::win32 {

namespace {

HWND AsHwnd(WindowHandle hwnd) { return reinterpret_cast<HWND>(hwnd); }

#ifdef _WIN64
std::uintptr_t SetLong(WindowHandle hwnd, int index, std::uintptr_t value) {
  return static_cast<std::uintptr_t>(
      SetWindowLongPtrA(AsHwnd(hwnd), index, static_cast<LONG_PTR>(value)));
}
std::uintptr_t GetLong(WindowHandle hwnd, int index) {
  return static_cast<std::uintptr_t>(GetWindowLongPtrA(AsHwnd(hwnd), index));
}
#else
std::uintptr_t SetLong(WindowHandle hwnd, int index, std::uintptr_t value) {
  return static_cast<std::uintptr_t>(
      static_cast<DWORD>(SetWindowLongA(AsHwnd(hwnd), index, static_cast<LONG>(value))));
}
std::uintptr_t GetLong(WindowHandle hwnd, int index) {
  return static_cast<std::uintptr_t>(static_cast<DWORD>(GetWindowLongA(AsHwnd(hwnd), index)));
}
#endif

LRESULT CALLBACK TrayWndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  WinWindowProcs slots;
  return mSysTray::TrayWindowProc(slots, reinterpret_cast<WindowHandle>(hwnd), msg, wparam, lparam);
}

}  // namespace

WindowProcAddress WinWindowProcs::SetWindowProc(WindowHandle hwnd, WindowProcAddress proc) {
  return SetLong(hwnd, GWLP_WNDPROC, proc);
}

std::uintptr_t WinWindowProcs::SetUserData(WindowHandle hwnd, std::uintptr_t data) {
  return SetLong(hwnd, GWLP_USERDATA, data);
}

std::uintptr_t WinWindowProcs::GetUserData(WindowHandle hwnd) {
  return GetLong(hwnd, GWLP_USERDATA);
}

std::intptr_t WinWindowProcs::CallWindowProc(WindowProcAddress proc, WindowHandle hwnd,
                                             std::uint32_t msg, std::uintptr_t wparam,
                                             std::intptr_t lparam) {
  return CallWindowProcA(reinterpret_cast<WNDPROC>(proc), AsHwnd(hwnd), msg, wparam, lparam);
}

WindowProcAddress WinWindowProcs::TrayWindowProcAddress() {
  return reinterpret_cast<WindowProcAddress>(&TrayWndProc);
}

std::uint32_t WinWindowProcs::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

}  // namespace orvo::win32
