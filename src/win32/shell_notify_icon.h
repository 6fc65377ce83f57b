#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "platform/tray_shell.h"

namespace orvo::win32 {

using NotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);

// The 88 bytes as the NOTIFYICONDATAA version 1 that this build's
// Shell_NotifyIconA takes; nothing past szTip is set.
NOTIFYICONDATAA ToNativeRecord(const NotifyIconRecord& record);

// The notification area through Shell_NotifyIconA. Tests may pass a function
// that looks at the record before handing it on.
class WinTrayShell final : public TrayShell {
 public:
  explicit WinTrayShell(NotifyIconFunction notify = &Shell_NotifyIconA) : notify_(notify) {}
  HResult NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;

 private:
  NotifyIconFunction notify_;
};

}  // namespace orvo::win32
