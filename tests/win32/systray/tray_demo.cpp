// Shows the tray icon with a Japanese tooltip for a while, for looking at it
// in Wine's notification area. Usage: tray_demo [seconds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win32/tray_host.h"

int main(int argc, char** argv) {
  const DWORD seconds = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 30;
  orvo::win32::SysTrayWindow window;
  orvo::cSysTray& tray = window.SysTray();
  int moves = 0;
  tray.MouseMove = [&](std::int32_t) {
    if (++moves == 1) std::puts("MouseMove");
  };
  tray.MouseDown = [](std::int16_t button, std::int32_t) { std::printf("MouseDown %d\n", button); };
  tray.TrayIcon(orvo::Picture{orvo::Picture::Type::kIcon, reinterpret_cast<std::uintptr_t>(
                                                              LoadIcon(nullptr, IDI_APPLICATION))});
  tray.TrayTip("ブロック：0");
  tray.InTray(true);
  std::fflush(stdout);

  const DWORD end = GetTickCount() + seconds * 1000;
  for (DWORD now = GetTickCount(); static_cast<LONG>(end - now) > 0; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    std::fflush(stdout);
  }
  tray.InTray(false);
  return 0;
}
