#pragma once

#include <memory>

#include "app/platform.h"
#include "ui/Form1.h"
#include "ui/frmAbout.h"

namespace orvo {

class frmMain;

// The hidden window that carries the tray menu, and the dialogs its commands
// open. Made on the first menu, kept until the end.
class Form3 final : private WindowEvents {
 public:
  Form3(frmMain& main, Platform& platform);

  // Pops up mnufile at the pointer; a chosen command has run when this
  // returns.
  void PopupMenu();

  void mnuOPTION_Click();
  void mnuEnd_Click();
  void mnuWEB_Click();
  void mnuVER_Click();

 private:
  void Click(ControlIndex) override {}
  void CloseRequested() override { Form_Unload(); }
  void SessionEnding() override {}
  // The menu's window is never unloaded, only hidden.
  void Form_Unload();

  frmMain& main_;
  Platform& platform_;
  std::unique_ptr<Window> window_;
  Form1 form1_;
  frmAbout about_;
};

// Opens the maker's page in a new browser window. When that fails nothing
// changes and nothing is shown.
void OpenHomePage(Platform& platform);

}  // namespace orvo
