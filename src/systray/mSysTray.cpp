#include "systray/mSysTray.h"

#include "systray/cSysTray.h"

namespace orvo::mSysTray {

WindowProcAddress PrevWndProc = 0;

void InstallHook(WindowProcSlots& slots, WindowHandle hwnd, cSysTray* control) {
  PrevWndProc = slots.SetWindowProc(hwnd, slots.TrayWindowProcAddress());
  slots.SetUserData(hwnd, reinterpret_cast<std::uintptr_t>(control));
}

void RemoveHook(WindowProcSlots& slots, WindowHandle hwnd) {
  slots.SetWindowProc(hwnd, PrevWndProc);
}

std::intptr_t TrayWindowProc(WindowProcSlots& slots, WindowHandle hWnd, std::uint32_t uMsg,
                             std::uintptr_t wParam, std::intptr_t lParam) {
  const std::uint32_t taskbar_created = slots.TaskbarCreatedMessage();
  if (uMsg == TrayCallbackMessage || (taskbar_created != 0 && uMsg == taskbar_created)) {
    // A plain pointer: the control takes the hook off before it goes away.
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the user data is that pointer.
    if (auto* control = reinterpret_cast<cSysTray*>(slots.GetUserData(hWnd))) {
      if (uMsg == TrayCallbackMessage) {
        auto msg = static_cast<std::int32_t>(lParam);
        auto id = static_cast<std::int32_t>(wParam);
        control->TrayMouseMessage(msg, id);
      } else {
        control->ShellRestarted();
      }
    }
  }
  // The callback too goes on, once its event has returned.
  return slots.CallWindowProc(PrevWndProc, hWnd, uMsg, wParam, lParam);
}

}  // namespace orvo::mSysTray
