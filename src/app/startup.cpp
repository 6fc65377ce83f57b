#include "app/frmMain.h"
#include "res/resource_names.h"

namespace orvo {

void frmMain::Form_Load() { Set_INI(); }

// Also what the tray menu's options command runs before it shows the window:
// the count starts again and blocking is on, whatever it was.
void frmMain::Set_INI() {
  BlockCount = 0;
  BlockingOff = false;
  // Picture and tip first, so that the icon enters the tray with both.
  ShowTrayIcon(res::kIconNotFlag);
  SysTray.TrayTip("ブロック：0");
  (void)Timer2->SetEnabled(true);
  SysTray.InTray(true);
  window_->Hide();
  LoadSettingsFile();
}

}  // namespace orvo
