#pragma once

#include <cstdint>

#include "systray/tray_icon.h"

namespace orvo {

// The tray icon's menu.
class TrayMenu {
 public:
  enum class Command : std::uint8_t { kNone, kOptions, kExit, kWebSite, kVersion };

  explicit TrayMenu(TrayIcon& tray) : tray_(tray) {}

  // Pops the menu up at the pointer; the command the user chose, once the
  // menu has closed.
  Command Popup();

 private:
  TrayIcon& tray_;
};

}  // namespace orvo
