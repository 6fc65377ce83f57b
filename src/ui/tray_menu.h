#pragma once

#include <cstdint>
#include <memory>

#include "platform/window.h"

namespace orvo {

// The tray icon's menu, carried by a hidden window made on the first menu
// and kept until the end.
class TrayMenu final : private WindowEvents {
 public:
  enum class Command : std::uint8_t { kNone, kOptions, kExit, kWebSite, kVersion };

  explicit TrayMenu(WindowFactory& windows) : windows_(windows) {}

  // Pops the menu up at the pointer; the command the user chose, once the
  // menu has closed.
  Command Popup();

 private:
  void Click(ControlIndex) override {}
  // The menu's window is never destroyed, only hidden.
  void CloseRequested() override { window_->Hide(); }
  void SessionEnding() override {}

  WindowFactory& windows_;
  std::unique_ptr<Window> window_;
};

}  // namespace orvo
