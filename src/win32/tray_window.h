#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/timer.h"
#include "systray/tray_icon.h"
#include "win32/message_window.h"

namespace orvo::win32 {

// The program's one hidden window. The tray icon belongs to it (a
// message-only window never hears "TaskbarCreated"), the icon's menu pops up
// on it, the timers tick on it, and it owns the windows that must have no
// taskbar button (an owned window never gets one). It is never shown.
class TrayWindow final : public TrayShell, public TimerPort, private MessageHandler {
 public:
  using NotifyA = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  using NotifyW = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
  static constexpr UINT kCallbackMessage = WM_USER + 101;

  // Tests may pass shell functions that look at the records first.
  explicit TrayWindow(Icons& icons, NotifyA notify_a = &Shell_NotifyIconA,
                      NotifyW notify_w = &Shell_NotifyIconW);
  TrayWindow(const TrayWindow&) = delete;
  TrayWindow& operator=(const TrayWindow&) = delete;

  TrayIcon& icon() { return icon_; }
  HWND hwnd() const { return window_.hwnd(); }

  // tray_records.cpp: the shell's calls in Windows' first records.
  // While the system code page carries the tip they are NOTIFYICONDATAA (88
  // bytes in the 32-bit program), as a Japanese system has always had them;
  // otherwise NOTIFYICONDATAW, which shows the tip right on any system. The
  // tip picks the form of every call from then on, and a long one is cut by
  // whole characters (never inside a double-byte character or a surrogate
  // pair), so that szTip keeps its NUL.
  void SetTip(std::string_view tip) override;
  void Notify(std::uint32_t message, std::uint32_t flags, IconHandle icon) override;
  // tray_menu.cpp
  int PopupMenu(std::span<const std::string_view> items) override;
  // tray_timers.cpp: window timers, whose ticks come through the message loop.
  std::unique_ptr<Timer> CreateTimer(std::uint32_t interval_ms, bool enabled,
                                     std::function<void()> tick) override;

 private:
  class WinTimer;
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;
  void OnTimer(WPARAM id);  // tray_timers.cpp

  // First, so that it goes last: the icon takes itself out of the tray of a
  // window that still exists.
  MessageWindow window_;
  const UINT taskbar_created_;
  const NotifyA notify_a_;
  const NotifyW notify_w_;
  bool ansi_ = true;
  std::string ansi_tip_;
  std::wstring wide_tip_;
  // Indexed by timer id - 1; a destroyed timer leaves an empty slot, so that a
  // WM_TIMER still queued for it finds nothing.
  std::vector<WinTimer*> timers_;
  TrayIcon icon_;
};

}  // namespace orvo::win32
