#pragma once

#include <cstdint>

#include "platform/window_proc.h"

namespace orvo {

class cSysTray;

// The window procedure that turns the shell's tray callbacks on a control's
// window into that control's mouse events.
namespace mSysTray {

// WM_USER + 101, registered with the shell by every add.
inline constexpr std::uint32_t TrayCallbackMessage = 1125;

// The procedure that was in place before TrayWindowProc. One slot for the
// program: one control at a time may have the hook installed.
extern WindowProcAddress PrevWndProc;

// Puts TrayWindowProc on `hwnd` and `control` in its user data.
void InstallHook(WindowProcSlots& slots, WindowHandle hwnd, cSysTray* control);
// Puts PrevWndProc back; the user data stays.
void RemoveHook(WindowProcSlots& slots, WindowHandle hwnd);

// Called by the platform for every message of a hooked window; returns what
// the previous procedure returns.
std::intptr_t TrayWindowProc(WindowProcSlots& slots, WindowHandle hWnd, std::uint32_t uMsg,
                             std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace mSysTray
}  // namespace orvo
