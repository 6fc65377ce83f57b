#include "ui/tray_menu.h"

#include "res/layout/layouts.h"

namespace orvo {

TrayMenu::Command TrayMenu::Popup() {
  using namespace layout::tray_menu;
  switch (tray_.PopupMenu(layout::kTrayMenu)) {
    case kOptionsItem:
      return Command::kOptions;
    case kExitItem:
      return Command::kExit;
    case kWebSiteItem:
      return Command::kWebSite;
    case kVersionItem:
      return Command::kVersion;
    default:
      return Command::kNone;
  }
}

}  // namespace orvo
