#pragma once

#include <cstdint>

namespace orvo {

// Window handles, window procedures and message parameters, carried as the
// platform's pointer-sized values.
using WindowHandle = std::uintptr_t;
using WindowProcAddress = std::uintptr_t;

// The slots of a window that subclassing works with: its window procedure and
// its user data (SetWindowLongA / GetWindowLongA), and the call of a saved
// procedure (CallWindowProcA).
class WindowProcSlots {
 public:
  // Both setters return the previous value, 0 when the call failed.
  virtual WindowProcAddress SetWindowProc(WindowHandle hwnd, WindowProcAddress proc) = 0;
  virtual std::uintptr_t SetUserData(WindowHandle hwnd, std::uintptr_t data) = 0;
  virtual std::uintptr_t GetUserData(WindowHandle hwnd) = 0;
  virtual std::intptr_t CallWindowProc(WindowProcAddress proc, WindowHandle hwnd, std::uint32_t msg,
                                       std::uintptr_t wparam, std::intptr_t lparam) = 0;

  // The address under which this platform calls mSysTray::TrayWindowProc.
  virtual WindowProcAddress TrayWindowProcAddress() = 0;
  // The shell's registered "TaskbarCreated" message; 0 when there is none.
  virtual std::uint32_t TaskbarCreatedMessage() = 0;

 protected:
  ~WindowProcSlots() = default;
};

}  // namespace orvo
