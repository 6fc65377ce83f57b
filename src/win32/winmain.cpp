#include <windows.h>

#include "app/program.h"
#include "win32/com_browser.h"
#include "win32/scoped.h"
#include "win32/tray_window.h"
#include "win32/win_ansi.h"
#include "win32/win_files.h"
#include "win32/win_icons.h"
#include "win32/win_process.h"
#include "win32/win_sound.h"
#include "win32/win_window.h"

// Every DLL loaded from here on (COM servers' dependencies, the shell's
// helpers) comes from System32, never from the program's folder, where a
// downloaded copy may sit beside DLLs it never asked for. Looked up, so that a
// Windows without the call still starts the program.
static void LoadDllsFromSystemOnly() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  // kernel32 is in every process.
  const auto set = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadDllsFromSystemOnly();
  // One program a session: started again (from the Startup folder, then by
  // hand) while it runs, it leaves the first in charge and ends before it
  // shows or reads anything. The object goes with the process, however that
  // ends; denied access means a copy with more rights (an elevated one) has it.
  const HANDLE running = CreateMutexW(nullptr, FALSE, L"Local\\OrvoAutoclose.Running");
  if (GetLastError() == (running ? ERROR_ALREADY_EXISTS : ERROR_ACCESS_DENIED)) return 0;
  // The browser objects live in single-threaded apartments; so do we.
  const orvo::win32::ComApartment apartment;
  if (!apartment.Entered()) return 1;
  orvo::win32::ComBrowserAutomation browser;
  orvo::win32::WinSound sound;
  orvo::win32::WinIcons icons;
  orvo::win32::WinFiles files;
  orvo::win32::WinAnsiCodePage ansi;
  orvo::win32::TrayWindow tray(icons);
  orvo::win32::WinWindowFactory windows(tray.hwnd());
  orvo::win32::WinProcess process;
  const orvo::Platform platform{browser, tray,    sound,   icons,      files,
                                ansi,    windows, process, tray.icon()};
  orvo::Program program(platform);
  program.Start();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // The windows are modeless: their dialog keys come through here.
    if (orvo::win32::PreTranslateWindowMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
