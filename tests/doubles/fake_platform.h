#pragma once

#include "app/platform.h"
#include "doubles/fake_desktop.h"
#include "doubles/fake_files.h"
#include "doubles/fake_icons.h"
#include "doubles/fake_process.h"
#include "doubles/fake_sound.h"
#include "doubles/fake_tray.h"
#include "doubles/fake_version_info.h"
#include "doubles/fake_window.h"
#include "doubles/virtual_clock.h"

namespace orvo::fake {

// Every double, wired into one Platform. The tray control sits on a fake
// window of its own, in a fake notification area.
struct FakePlatform {
  FakeDesktop desktop;
  VirtualClock clock;
  FakeSound sound;
  FakeIcons icons;
  FakeFiles files;
  CodePage ansi;
  FakeTrayShell shell;
  FakeWindows windows;
  WindowHandle tray_hwnd = windows.NewWindow(
      [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; });
  FakeControlHost tray_host{tray_hwnd};
  cSysTray tray{SysTrayPorts{tray_host, shell, windows, ansi}};
  FakeWindowFactory screens;
  FakeProcess process;
  FakeVersionInfo version;
  Platform platform{desktop, clock, sound, icons, files, ansi, screens, process, version, tray};

  // Sends the shell's tray callback for a mouse message to the control.
  void TrayMouse(std::uint32_t mouse_message) {
    windows.Send(tray_hwnd, 1125, 0, static_cast<std::intptr_t>(mouse_message));
  }
  // The picture the notification area shows now, by its resource name.
  std::string ShownIcon() const;
  // The tooltip the notification area shows now, in UTF-8.
  std::string ShownTip() const;
};

}  // namespace orvo::fake
