#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/tray_shell.h"

namespace orvo::win32 {

using NotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
using NotifyIconFunctionW = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);

// The records as the version 1 NOTIFYICONDATAA / NOTIFYICONDATAW that this
// build's Shell_NotifyIconA / Shell_NotifyIconW take; nothing past szTip is set.
NOTIFYICONDATAA ToNativeRecord(const NotifyIconRecord& record);
NOTIFYICONDATAW ToNativeRecord(const NotifyIconRecordW& record);

// The notification area through Shell_NotifyIconA and Shell_NotifyIconW.
// Tests may pass functions that look at the record before handing it on.
class WinTrayShell final : public TrayShell {
 public:
  explicit WinTrayShell(NotifyIconFunction notify = &Shell_NotifyIconA,
                        NotifyIconFunctionW notify_w = &Shell_NotifyIconW)
      : notify_(notify), notify_w_(notify_w) {}
  void NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
  void NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) override;

 private:
  NotifyIconFunction notify_;
  NotifyIconFunctionW notify_w_;
};

}  // namespace orvo::win32
