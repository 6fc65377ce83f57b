#pragma once

#include <windows.h>

#include "systray/tray_icon.h"
#include "win32/message_window.h"
#include "win32/shell_notify_icon.h"
#include "win32/win_timer.h"

namespace orvo::win32 {

// The program's one hidden window. The tray icon belongs to it (a
// message-only window never hears "TaskbarCreated"), the icon's menu pops up
// on it, the timers tick on it, and it owns the windows that must have no
// taskbar button (an owned window never gets one). It is never shown.
class TrayWindow final : public TrayShell, private MessageHandler {
 public:
  explicit TrayWindow(Icons& icons, ShellNotifyIcon shell = ShellNotifyIcon());
  TrayWindow(const TrayWindow&) = delete;
  TrayWindow& operator=(const TrayWindow&) = delete;

  TrayIcon& icon() { return icon_; }
  TimerPort& timers() { return timers_; }
  HWND hwnd() const { return window_.hwnd(); }

  void SetTip(std::string_view tip) override { shell_.SetTip(tip); }
  void Notify(std::uint32_t message, std::uint32_t flags, IconHandle icon) override;
  // popup_menu.cpp
  int PopupMenu(std::span<const std::string_view> items) override;

 private:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;

  // First, so that it goes last: the icon takes itself out of the tray of a
  // window that still exists.
  MessageWindow window_;
  const UINT taskbar_created_;
  ShellNotifyIcon shell_;
  WinTimers timers_;
  TrayIcon icon_;
};

}  // namespace orvo::win32
