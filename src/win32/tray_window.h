#pragma once

#include <windows.h>

#include <optional>

#include "systray/tray_icon.h"
#include "win32/message_window.h"
#include "win32/shell_notify_icon.h"
#include "win32/win_ansi.h"

namespace orvo::win32 {

// The hidden top-level window that the tray icon belongs to (a message-only
// window never hears "TaskbarCreated"), and the icon. Its procedure hands the
// shell's messages to the icon; the window itself is never shown.
class TrayWindow final : private MessageHandler {
 public:
  explicit TrayWindow(Icons& icons);
  TrayWindow(const TrayWindow&) = delete;
  TrayWindow& operator=(const TrayWindow&) = delete;
  ~TrayWindow();

  TrayIcon& icon() { return *icon_; }
  HWND hwnd() const { return window_.hwnd(); }

 private:
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;

  MessageWindow window_;
  WinTrayShell shell_;
  WinAnsiCodePage ansi_;
  std::optional<TrayIcon> icon_;
};

}  // namespace orvo::win32
