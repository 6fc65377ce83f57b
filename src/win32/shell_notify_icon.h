#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>
#include <string_view>

namespace orvo::win32 {

// The shell's calls for one icon, in Windows' first records. While the
// system code page carries the tip they are NOTIFYICONDATAA (88 bytes in the
// 32-bit program), as a Japanese system has always had them; otherwise
// NOTIFYICONDATAW, which shows the tip right on any system. A long tip is cut
// by whole characters (never inside a double-byte character or a surrogate
// pair), so that szTip keeps its NUL. Tests may pass functions that look at
// the record before handing it on.
class ShellNotifyIcon {
 public:
  using NotifyA = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  using NotifyW = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
  static constexpr UINT kCallbackMessage = WM_USER + 101;

  explicit ShellNotifyIcon(NotifyA notify_a = &Shell_NotifyIconA,
                           NotifyW notify_w = &Shell_NotifyIconW)
      : notify_a_(notify_a), notify_w_(notify_w) {}

  // UTF-8; it also picks the form of every call from now on, the calls that
  // do not carry it included.
  void SetTip(std::string_view tip);
  // Shell_NotifyIcon for the icon of `hwnd` (identifier 0): with NIF_MESSAGE
  // kCallbackMessage, with NIF_ICON `icon`, with NIF_TIP the tip.
  void Notify(HWND hwnd, DWORD message, UINT flags, HICON icon) const;

 private:
  NotifyA notify_a_;
  NotifyW notify_w_;
  bool ansi_ = true;
  std::string ansi_tip_;
  std::wstring wide_tip_;
};

}  // namespace orvo::win32
