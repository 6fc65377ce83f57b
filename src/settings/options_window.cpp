#include "app/frmMain.h"
#include "res/layout/layouts.h"

namespace orvo {

using namespace layout::frmMainControls;

void frmMain::Show() { window_->Show(); }

// Each box acts at once: the next scan already uses the new value.
void frmMain::optBEEP_Click() { StoreCheck(optBEEP, flags_.BeepFlag); }
void frmMain::CheTitle_Click() { StoreCheck(CheTitle, flags_.NoToolbarFlag); }
void frmMain::Check1_Click() { StoreCheck(Check1, flags_.NewWindowFlag); }

void frmMain::StoreCheck(ControlIndex box, std::string& flag) {
  flag = window_->CheckState(box) == 1 ? "1" : "0";
}

void frmMain::SetCheckValue(ControlIndex box, int value) {
  if (window_->CheckState(box) == value) return;
  window_->SetCheckState(box, value);
  Click(box);
}

// OK (also Enter and Esc): save, then close.
void frmMain::cmdHide_Click() {
  SaveSettingsFile();
  Unload();
}

void frmMain::cmdClose_Click() { Unload(); }

void frmMain::Unload() {
  bool cancel = false;
  Form_Unload(cancel);
}

// The window carries the program's state, its timers and the tray icon: it
// is never unloaded, only hidden.
void frmMain::Form_Unload(bool& Cancel) {
  Cancel = true;
  window_->Hide();
}

void frmMain::Click(ControlIndex control) {
  switch (control) {
    case optBEEP:
      optBEEP_Click();
      break;
    case CheTitle:
      CheTitle_Click();
      break;
    case Check1:
      Check1_Click();
      break;
    case cmdALLIE:
      cmdALLIE_Click();
      break;
    case cmdHide:
      cmdHide_Click();
      break;
    case cmdClose:
      cmdClose_Click();
      break;
    default:
      break;
  }
}

void frmMain::CloseRequested() { Unload(); }

}  // namespace orvo
