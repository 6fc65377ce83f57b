#include "app/frmMain.h"

namespace orvo {

// Quits every browser window that shows an HTML page, pop-up or not. The scan
// pauses for the walk and is left as it was found: a user who switched
// blocking off from the tray keeps it off.
void frmMain::cmdALLIE_Click() {
  const bool scanning = Timer2->Enabled();
  (void)Timer2->SetEnabled(false);
  WalkShellWindows(&frmMain::QuitIfHtml);
  if (scanning) (void)Timer2->SetEnabled(true);
}

void frmMain::QuitIfHtml() {
  Ref<Document> document;
  bool html = false;
  if (Succeeded(BrowserWin->ReadDocument(document)) && document &&
      Succeeded(document->TestHtml(html)) && html) {
    (void)BrowserWin->Quit();
  }
}

}  // namespace orvo
