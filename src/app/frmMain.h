#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "app/option_flags.h"
#include "app/platform.h"

namespace orvo {

class Form3;
// Defined beside Form3 in ui/, so that this folder needs no view of it.
struct Form3Deleter {
  void operator()(Form3* menu) const;
};

// The main window: the program's state, its two timers and, shown, the
// options window. One instance lives for the whole run.
class frmMain : private WindowEvents {
 public:
  static constexpr std::uint32_t kScanIntervalMs = 1000;
  static constexpr std::uint32_t kAnimateIntervalMs = 32;

  frmMain(Platform& platform, OptionFlags& flags);
  ~frmMain();
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // Start-up: the program's state, the tray icon, the scan, the settings.
  void Form_Load();
  void Set_INI();

  // set.ini beside the program.
  void LoadSettingsFile();
  void SaveSettingsFile();

  // The options window.
  void Show();
  void optBEEP_Click();
  void CheTitle_Click();
  void Check1_Click();
  void cmdHide_Click();
  void cmdClose_Click();
  void Form_Unload(bool& Cancel);

  // Saves the settings, takes the icon out of the tray and ends the process.
  void EndProgram();

  // The tray icon's mouse events.
  void SysTray_MouseDown(std::int16_t& Button, std::int32_t Id);
  void SysTray_MouseMove(std::int32_t Id);

  // Pop-up scan, one tick of Timer2.
  void Timer2_Timer();
  // One frame of the tray icon's block animation, a tick of tmrAnimate.
  void tmrAnimate_Timer();
  // The options window's "close every running browser" button.
  void cmdALLIE_Click();

  // State, in the order the program declares it.
  bool BlockingOff = false;
  std::int16_t AnimFrame = 0;
  Ref<ShellWindows> ShellWins;    // created on first use, kept while it works
  Ref<BrowserWindow> BrowserWin;  // the window a walk is examining
  double BlockCount = 0;

  std::unique_ptr<Timer> Timer2;
  std::unique_ptr<Timer> tmrAnimate;
  cSysTray& SysTray;

 private:
  // The window's events: clicks, the close box, the end of the session.
  void Click(ControlIndex control) override;
  void CloseRequested() override;
  void SessionEnding() override;
  // Requests the unload of the window, which Form_Unload turns into hiding.
  void Unload();
  // Sets a check box as code does: a change runs its click handler.
  void SetCheckValue(ControlIndex box, int value);
  void StoreCheck(ControlIndex box, std::string& flag);

  HResult StartBlockAnimation();
  std::string_view CountTip();
  // Puts the icon resource `name` into the tray; a name that cannot be
  // loaded leaves the icon as it is.
  void ShowTrayIcon(std::string_view name);

  // Runs `visit` for every browser window of the shell's collection, with the
  // window in BrowserWin. Creates the collection if there is none yet. A
  // failure to create or enumerate it, or to advance, ends the walk; one whose
  // server has gone is let go and made anew by the next walk. Where no call
  // can go out, walks nothing.
  void WalkShellWindows(void (frmMain::*visit)());

  void JudgeWindow();
  void QuitIfHtml();
  bool OpenerIsObject(Document& document);
  void BlockWindow(bool beep_rule);

  Platform& platform_;
  OptionFlags& flags_;
  std::unique_ptr<Window> window_;
  std::unique_ptr<Form3, Form3Deleter> form3_;
  std::array<char, 64> count_tip_{};
};

}  // namespace orvo
