#include "app/frmMain.h"

namespace orvo {

// Never stand in the way of log-off or shutdown: leave as the exit
// confirmation's Yes does.
void frmMain::SessionEnding() { EndProgram(); }

void frmMain::EndProgram() {
  SaveSettingsFile();
  SysTray.InTray(false);
  platform_.process.End();
}

}  // namespace orvo
