#pragma once

#include <windows.h>

#include "platform/window_proc.h"

namespace orvo::win32 {

// Subclassing through user32's ANSI calls. Holds no state: any instance will
// do, and the tray procedure makes its own.
class WinWindowProcs final : public WindowProcSlots {
 public:
  WindowProcAddress SetWindowProc(WindowHandle hwnd, WindowProcAddress proc) override;
  std::uintptr_t SetUserData(WindowHandle hwnd, std::uintptr_t data) override;
  std::uintptr_t GetUserData(WindowHandle hwnd) override;
  std::intptr_t CallWindowProc(WindowProcAddress proc, WindowHandle hwnd, std::uint32_t msg,
                               std::uintptr_t wparam, std::intptr_t lparam) override;
  WindowProcAddress TrayWindowProcAddress() override;
  std::uint32_t TaskbarCreatedMessage() override;
};

}  // namespace orvo::win32
