#include "app/frmMain.h"
#include "res/layout/layouts.h"
#include "ui/Form1.h"

namespace orvo {

Form1::Form1(frmMain& main, Platform& platform) : main_(main), platform_(platform) {}

void Form1::Show() {
  if (!window_) window_ = platform_.windows.Create(layout::kForm1, *this);
  window_->Show();
}

// Yes: save, take the icon out of the tray, end the process at once.
void Form1::Command1_Click() { main_.EndProgram(); }

void Form1::Command2_Click() { Unload(); }

void Form1::Click(ControlIndex control) {
  using namespace layout::Form1Controls;
  if (control == Command1) Command1_Click();
  if (control == Command2) Command2_Click();
}

void Form1::CloseRequested() { Unload(); }

// Nothing may touch the window after this: it is gone.
void Form1::Unload() { window_.reset(); }

}  // namespace orvo
