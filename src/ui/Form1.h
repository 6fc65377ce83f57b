#pragma once

#include <memory>

#include "app/platform.h"

namespace orvo {

class frmMain;

// The exit confirmation. Its window exists from the exit command until the
// user's answer; only Yes ends the program.
class Form1 : private WindowEvents {
 public:
  Form1(frmMain& main, Platform& platform);

  // Shows the one confirmation, made anew when it was closed.
  void Show();

  void Command1_Click();  // はい
  void Command2_Click();  // いいえ

 private:
  void Click(ControlIndex control) override;
  void CloseRequested() override;
  void SessionEnding() override {}
  void Unload();

  frmMain& main_;
  Platform& platform_;
  std::unique_ptr<Window> window_;
};

}  // namespace orvo
