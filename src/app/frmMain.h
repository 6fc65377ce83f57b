#pragma once

#include <cstdint>
#include <memory>

#include "app/option_flags.h"
#include "platform/platform.h"

namespace orvo {

// The main window: the program's state, its two timers and, shown, the
// options window. One instance lives for the whole run.
class frmMain {
 public:
  static constexpr std::uint32_t kScanIntervalMs = 1000;
  static constexpr std::uint32_t kAnimateIntervalMs = 32;

  frmMain(Platform& platform, OptionFlags& flags);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // Pop-up scan, one tick of Timer2.
  void Timer2_Timer();
  // One frame of the tray icon's block animation, a tick of tmrAnimate.
  void tmrAnimate_Timer();
  // The options window's "close every running browser" button.
  void cmdALLIE_Click();

  // State, in the order the program declares it.
  bool BlockingOff = false;
  std::int16_t AnimFrame = 0;
  Ref<ShellWindows> ShellWins;    // created on first use, kept for the run
  Ref<BrowserWindow> BrowserWin;  // the window a walk is examining
  double BlockCount = 0;

  std::unique_ptr<Timer> Timer2;
  std::unique_ptr<Timer> tmrAnimate;
  cSysTray& SysTray;

 private:
  HResult StartBlockAnimation();
  // Puts the icon resource `name` into the tray; a name that cannot be
  // loaded leaves the icon as it is.
  void ShowTrayIcon(std::string_view name);

  // Runs `visit` for every browser window of the shell's collection, with the
  // window in BrowserWin. Creates the collection if there is none yet. A
  // failure to create or enumerate it, or to advance, ends the walk.
  void WalkShellWindows(void (frmMain::*visit)());

  void JudgeWindow();
  void QuitIfHtml();
  bool OpenerIsObject(Document& document);
  void BlockWindow(bool beep_rule);

  Platform& platform_;
  OptionFlags& flags_;
};

}  // namespace orvo
